#include "ui/calculator_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include "config/input_rules.h"
#include "config/shown_texts.h"
#include "geo/calculator_request.h"
#include "ui/character_validator.h"
#include "ui/check_state.h"
#include "ui/core_text.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/palette_colours.h"
#include "ui/plain_text.h"
#include "ui/screen_fit_area.h"
#include "ui/spoken_line.h"
#include "ui/whole_text.h"

namespace zelvar {
namespace {

// Until a box is clicked, the caption the tracker's users know, with its two blanks.
const QColor kWrittenBeacon(255, 255, 128);
// Why Write is off fits two lines below it: a long pasted text quoted in it is cut in the middle.
constexpr qsizetype kLongestReason = 110;
constexpr int kReasonLines = 2;
// A line edit's own maximum length, for a field whose rule sets none.
constexpr int kUnlimitedLength = 32767;

QString shortened(const QString& reason) {
    if (reason.size() <= kLongestReason)
        return reason;
    constexpr qsizetype kEnd = kLongestReason / 2 - 1;
    return reason.left(kEnd) + QChar(0x2026) + reason.right(kEnd);
}

// Typed, pasted, dropped and composed text all pass the field's rule.
QLineEdit* boldField(const QString& name, const QString& text, CalculatorField rule,
                     QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    QFont font = field->font();
    font.setBold(true);
    field->setFont(font);
    field->setValidator(new CharacterValidator(
        field, [&rule = inputRule(rule)](int code) { return acceptedCode(rule, code, false); }));
    return field;
}

// A loaded text goes in as the file has it. (Through the rule, a text holding some characters it
// takes and some it does not would lose the others; cut to the length, a file's altitude "001200"
// would become 120 m.)
void writeUnruled(QLineEdit* field, const QString& text, CalculatorField kind) {
    const std::size_t typed = inputRule(kind).maxLength;
    writeWhole(field, text, typed == 0 ? kUnlimitedLength : static_cast<int>(typed));
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* owner, CalculatorHost host)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(std::move(host)),
      content_(new QWidget(this)) {
    setObjectName("frmLatLon");
    setWindowTitle(shown(ShownText::CalculatorTitle));
    buildControls();
    arrangeControls();
    spoken_ = new SpokenLine({latitude_, longitude_, altitude_}, this);

    // Whichever way a coordinate changes, Write follows it.
    for (QLineEdit* coordinate : {latitude_, longitude_})
        connect(coordinate, &QLineEdit::textChanged, this, &CalculatorWindow::revalidate);
    keepTwoStateAfterClick(hundredths_);
    keepTwoStateAfterClick(altitudeIncluded_);
    connect(hundredths_, &QCheckBox::stateChanged, this, &CalculatorWindow::showNotation);
    connect(altitudeIncluded_, &QCheckBox::stateChanged, this,
            &CalculatorWindow::showAltitudeChoice);
    connect(writeButton_, &QPushButton::clicked, this, &CalculatorWindow::writeBeacon);
    connect(closeButton_, &QPushButton::clicked, this, &CalculatorWindow::closeCalculator);
    // The locator shown is that of the text Write would write: every input counts.
    connect(altitude_, &QLineEdit::textChanged, this, &CalculatorWindow::revalidate);
    connect(altitudeIncluded_, &QCheckBox::stateChanged, this, &CalculatorWindow::revalidate);
    connect(normalForm_, &QRadioButton::toggled, this, &CalculatorWindow::revalidate);
    // Esc closes it as Close does.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &CalculatorWindow::closeCalculator);
    hide();
}

void CalculatorWindow::buildControls() {
    coordinatesFrame_ = new QGroupBox(shown(ShownText::CoordinatesAtStart), this);
    coordinatesFrame_->setObjectName("zFrame2");
    latitude_ = boldField("txtLat", "00.00.00", CalculatorField::Latitude, coordinatesFrame_);
    longitude_ = boldField("txtLng", "00.00.00", CalculatorField::Longitude, coordinatesFrame_);
    latitudeLabel_ = new QLabel(shown(ShownText::Latitude), coordinatesFrame_);
    latitudeLabel_->setObjectName("zLabel02");
    latitudeLabel_->setBuddy(latitude_);
    longitudeLabel_ = new QLabel(shown(ShownText::Longitude), coordinatesFrame_);
    longitudeLabel_->setObjectName("zLabel01");
    longitudeLabel_->setBuddy(longitude_);

    hundredths_ = new QCheckBox(shown(ShownText::Cent), coordinatesFrame_);
    hundredths_->setObjectName("chkCent");
    hundredths_->setToolTip(shown(ShownText::CentHint));
    hundredths_->setChecked(true);
    QFont small = hundredths_->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    hundredths_->setFont(small);

    altitudeIncluded_ = new QCheckBox(shown(ShownText::AltitudeIncluded), coordinatesFrame_);
    altitudeIncluded_->setObjectName("chkAlt");
    altitude_ = boldField("txtAlt", "0", CalculatorField::Altitude, coordinatesFrame_);
    altitude_->setMaxLength(static_cast<int>(inputRule(CalculatorField::Altitude).maxLength));
    altitude_->setEnabled(false);
    altitudeUnit_ = new QLabel(shown(ShownText::Meters), coordinatesFrame_);
    altitudeUnit_->setObjectName("Label3");
    altitudeUnit_->setEnabled(false);

    formFrame_ = new QGroupBox(shown(ShownText::BeaconType), this);
    formFrame_->setObjectName("Frame1");
    normalForm_ = new QRadioButton(shown(ShownText::NormalForm), formFrame_);
    normalForm_->setObjectName("optLLtoNorm");
    compressedForm_ = new QRadioButton(shown(ShownText::CompressedForm), formFrame_);
    compressedForm_->setObjectName("optLLtoComp");
    compressedForm_->setChecked(true);

    notations_ = new QLabel(shown(ShownText::NotationsShown), coordinatesFrame_);
    notations_->setObjectName("lblNotations");
    notations_->setWordWrap(true);
    notations_->setFont(small);
    notations_->setTextFormat(Qt::PlainText);

    writeButton_ = new QPushButton(shown(ShownText::WriteCoordinates), this);
    writeButton_->setObjectName("cmdCalc");
    reason_ = new QLabel(this);
    reason_->setObjectName("lblWriteReason");
    reason_->setWordWrap(true);
    // The typed text, as it stands.
    reason_->setTextFormat(Qt::PlainText);
    // Room kept for it, so that the window does not change its size as the user types.
    reason_->setMinimumHeight(kReasonLines * reason_->fontMetrics().lineSpacing());
    reason_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    locator_ = new QLabel(this);
    locator_->setObjectName("lblLocator");
    locator_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    closeButton_ = new QPushButton(shown(ShownText::Close), this);
    closeButton_->setObjectName("OKButton");
    // Enter presses the focused button, as Space does.
    writeButton_->setAutoDefault(true);
    closeButton_->setAutoDefault(true);

    // What a screen reader says of each field and box.
    latitude_->setAccessibleName(shown(ShownText::LatitudeName));
    longitude_->setAccessibleName(shown(ShownText::LongitudeName));
    for (QLineEdit* coordinate : {latitude_, longitude_})
        coordinate->setAccessibleDescription(shown(ShownText::Notation));
    hundredths_->setAccessibleName(shown(ShownText::Cent));
    hundredths_->setAccessibleDescription(shown(ShownText::CentHint));
    altitudeIncluded_->setAccessibleName(shown(ShownText::AltitudeIncludedName));
    altitude_->setAccessibleName(shown(ShownText::AltitudeName));
    altitude_->setAccessibleDescription(shown(ShownText::Meters));
}

void CalculatorWindow::arrangeControls() {
    auto* coordinates = new QGridLayout(coordinatesFrame_);
    coordinates->addWidget(latitudeLabel_, 0, 0);
    coordinates->addWidget(longitudeLabel_, 0, 1);
    coordinates->addWidget(hundredths_, 0, 2, Qt::AlignRight | Qt::AlignTop);
    coordinates->addWidget(latitude_, 1, 0);
    coordinates->addWidget(longitude_, 1, 1);
    coordinates->addWidget(altitudeIncluded_, 2, 0);
    auto* altitude = new QHBoxLayout;
    altitude->addWidget(altitude_);
    altitude->addWidget(altitudeUnit_);
    coordinates->addLayout(altitude, 2, 1);
    coordinates->addWidget(notations_, 3, 0, 1, 3);

    auto* forms = new QVBoxLayout(formFrame_);
    forms->addWidget(normalForm_);
    forms->addWidget(compressedForm_);
    forms->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(writeButton_);
    buttons->addSpacing(writeButton_->fontMetrics().averageCharWidth() * 2);
    buttons->addWidget(locator_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);

    auto* window = new QGridLayout(content_);
    window->addWidget(coordinatesFrame_, 0, 0);
    window->addWidget(formFrame_, 0, 1);
    window->addLayout(buttons, 1, 0, 1, 2);
    window->addWidget(reason_, 2, 0, 1, 2);
    window->setSizeConstraint(QLayout::SetFixedSize);
    window->setContentsMargins(QMargins());
    // On a screen narrower than the calculator (1280x720 at 200 %, in French or German) Close and
    // the beacon types were beyond the screen's edge: it keeps within the screen and scrolls, as
    // the main window does.
    area_ = new ScreenFitArea(content_, this);
    auto* frame = new QVBoxLayout(this);
    frame->addWidget(area_);
    content_->installEventFilter(this);

    setTabOrder(latitude_, longitude_);
    setTabOrder(longitude_, writeButton_);
    setTabOrder(writeButton_, hundredths_);
    setTabOrder(hundredths_, closeButton_);
    setTabOrder(closeButton_, altitudeIncluded_);
    setTabOrder(altitudeIncluded_, altitude_);
    setTabOrder(altitude_, compressedForm_);
    setTabOrder(compressedForm_, normalForm_);
}

void CalculatorWindow::fitToScreen() {
    setFixedSize(
        area_->windowSizeOnScreen(content_->sizeHint().grownBy(layout()->contentsMargins())));
}

void CalculatorWindow::showEvent(QShowEvent* event) {
    // The frame and the screen are the window manager's, known once shown.
    fitToScreen();
    QWidget::showEvent(event);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::Resize)
        fitToScreen();
    return QWidget::eventFilter(watched, event);
}

void CalculatorWindow::showCalculator() {
    // Judged again with the main window's symbol as it is now: the first opening, too, names the
    // locator of what Write would write.
    revalidate();
    show();
    raise();
    activateWindow();
}

void CalculatorWindow::showNotation() {
    revalidate();
    coordinatesFrame_->setTitle(shown(hundredths_->checkState() == Qt::Checked
                                          ? ShownText::CoordinatesCent
                                          : ShownText::CoordinatesSec));
}

void CalculatorWindow::showAltitudeChoice() {
    const bool included = altitudeIncluded_->checkState() == Qt::Checked;
    normalForm_->setText(
        shown(included ? ShownText::NormalFormWithAltitude : ShownText::NormalForm));
    altitude_->setEnabled(included);
    altitudeUnit_->setEnabled(included);
}

CalculatorInputs CalculatorWindow::inputs() const {
    return {toLatin1(latitude_->text()), toLatin1(longitude_->text()),  checkValue(hundredths_),
            toLatin1(altitude_->text()), checkValue(altitudeIncluded_), normalForm_->isChecked()};
}

void CalculatorWindow::setInputs(const CalculatorInputs& inputs) {
    writeUnruled(latitude_, fromLatin1(inputs.latitude), CalculatorField::Latitude);
    writeUnruled(longitude_, fromLatin1(inputs.longitude), CalculatorField::Longitude);
    writeCheck(hundredths_, inputs.centChecked);
    writeUnruled(altitude_, fromLatin1(inputs.altitude), CalculatorField::Altitude);
    writeCheck(altitudeIncluded_, inputs.altitudeChecked);
    (inputs.normalForm ? normalForm_ : compressedForm_)->setChecked(true);
    // A box written with the state it had already sends no signal.
    showNotation();
    showAltitudeChoice();
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        closeCalculator();
        return;
    }
    event->accept();
}

// The core's reason as a sentence: 'Invalid latitude "x" (Grad.Min.Cent): ...'.
QString CalculatorWindow::coordinatesProblem() const {
    const Result<GeoPoint> point = requestedPoint(request());
    if (point)
        return {};
    return fromUtf8(asSentence(point.error().reason));
}

void CalculatorWindow::revalidate() {
    const QString problem = coordinatesProblem();
    writeButton_->setEnabled(problem.isEmpty());
    showReason(problem);
    // A locator in Latitude gives both coordinates: Longitude waits, greyed, until it is gone.
    const bool locator = holdsLocator(toLatin1(latitude_->text()));
    longitude_->setEnabled(!locator);
    longitude_->setToolTip(locator ? shown(ShownText::LongitudeFromLocator) : QString());
    QString locatorShown;
    if (problem.isEmpty()) {
        if (const Result<CalculatedPosition> position = calculatePosition(request()))
            locatorShown = shown(ShownText::LocatorShown).arg(fromUtf8(position->locator));
    }
    locator_->setText(locatorShown);
    spoken_->changed(problem.isEmpty() ? locatorShown : reason_->text());
}

void CalculatorWindow::showReason(const QString& reason) {
    const QString shown = shortened(withHiddenShown(reason));
    reason_->setText(shown);
    // A greyed button still shows its tip, and a screen reader reads the reason with it.
    writeButton_->setToolTip(shown);
    writeButton_->setAccessibleDescription(shown);
}

PositionRequest CalculatorWindow::request() const {
    // Text that is not Latin-1 cannot be a coordinate nor a symbol; UTF-8 keeps it from looking
    // like one ("€" is no "?").
    auto bytes = [](const QString& text) {
        return QString::fromLatin1(text.toLatin1()) == text ? toLatin1(text) : text.toStdString();
    };
    CalculatorInputs typed = inputs();
    typed.latitude = bytes(latitude_->text());
    typed.longitude = bytes(longitude_->text());
    return calculatorRequest(typed, host_.symbol ? bytes(host_.symbol()) : std::string(),
                             host_.alternateTable && host_.alternateTable());
}

void CalculatorWindow::writeBeacon() {
    // Pasted or dropped text never passed a key release: check again, and write nothing when
    // the coordinates, the altitude or the symbol cannot make a position.
    revalidate();
    Result<CalculatedPosition> position = calculatePosition(request());
    if (!position) {
        showReason(shown(ShownText::NothingWritten).arg(fromUtf8(position.error().reason)));
        return;
    }
    if (!host_.beacon)
        return;
    altitude_->setText(fromLatin1(position->altitude));
    host_.beacon->writeUnfiltered(fromLatin1(position->text));
    setBackground(host_.beacon, QPalette::Base, kWrittenBeacon);
}

void CalculatorWindow::closeCalculator() {
    hide();
    if (host_.beacon) {
        setBackground(host_.beacon, QPalette::Base, std::nullopt);
    }
}

}  // namespace zelvar
