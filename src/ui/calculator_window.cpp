#include "ui/calculator_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/check_state.h"

namespace zelvar {
namespace {

const QString kFrameCaptionAtStart = QStringLiteral("Lat / Lon  coordinates [+/-Grad.Min.Cent]");
const QString kFrameCaptionCent = QStringLiteral("Lat / Lon coordinates [+/-Grad.Min.Cent]");
const QString kFrameCaptionSec = QStringLiteral("Lat / Lon coordinates [+/-Grad.Min.Sec]");
const QString kNormalCaption = QStringLiteral("Normal     (20 chars)");
const QString kNormalCaptionWithAltitude = QStringLiteral("Normal     (*29* chars)");
const QColor kWrittenBeacon(255, 255, 128);

// Typed characters the fields take. Control codes (Backspace, the editing shortcuts) pass.
bool acceptsCharacter(QChar c, bool coordinate) {
    if (c.unicode() < 32 || c.unicode() == 127) {
        return true;
    }
    if ((c >= u'0' && c <= u'9') || c == u'-') {
        return true;
    }
    return coordinate && c == u'.';
}

QLineEdit* boldField(const QString& name, const QString& text, QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    QFont font = field->font();
    font.setBold(true);
    field->setFont(font);
    return field;
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

void paintBase(QLineEdit* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* owner, CalculatorHost host)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(std::move(host)) {
    setObjectName("frmLatLon");
    setWindowTitle("Calculate APRS Coordinates for GPSless Mode");
    buildControls();
    arrangeControls();

    for (QLineEdit* field : {txtLat_, txtLng_, txtAlt_}) {
        field->installEventFilter(this);
    }
    keepTwoStateAfterClick(chkCent_);
    keepTwoStateAfterClick(chkAlt_);
    connect(chkCent_, &QCheckBox::stateChanged, this, &CalculatorWindow::chkCentClick);
    connect(chkAlt_, &QCheckBox::stateChanged, this, &CalculatorWindow::chkAltClick);
    connect(cmdCalc_, &QPushButton::clicked, this, &CalculatorWindow::writeBeacon);
    connect(okButton_, &QPushButton::clicked, this, &CalculatorWindow::closeCalculator);
    hide();
}

void CalculatorWindow::buildControls() {
    zFrame2_ = new QGroupBox(kFrameCaptionAtStart, this);
    zFrame2_->setObjectName("zFrame2");
    txtLat_ = boldField("txtLat", "00.00.00", zFrame2_);
    txtLng_ = boldField("txtLng", "00.00.00", zFrame2_);
    zLabel02_ = new QLabel("La&titude:", zFrame2_);
    zLabel02_->setObjectName("zLabel02");
    zLabel02_->setBuddy(txtLat_);
    zLabel01_ = new QLabel("Lo&ngitude:", zFrame2_);
    zLabel01_->setObjectName("zLabel01");
    zLabel01_->setBuddy(txtLng_);

    chkCent_ = new QCheckBox("Cent.", zFrame2_);
    chkCent_->setObjectName("chkCent");
    chkCent_->setToolTip("Lat/Lon in gradi.minuti.centesimi");
    chkCent_->setChecked(true);
    QFont small = chkCent_->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    chkCent_->setFont(small);

    chkAlt_ = new QCheckBox("Altitude:", zFrame2_);
    chkAlt_->setObjectName("chkAlt");
    txtAlt_ = boldField("txtAlt", "0", zFrame2_);
    txtAlt_->setMaxLength(5);
    txtAlt_->setEnabled(false);
    label3_ = new QLabel("meters", zFrame2_);
    label3_->setObjectName("Label3");
    label3_->setEnabled(false);

    frame1_ = new QGroupBox(" Beacon Type ", this);
    frame1_->setObjectName("Frame1");
    optLLtoNorm_ = new QRadioButton(kNormalCaption, frame1_);
    optLLtoNorm_->setObjectName("optLLtoNorm");
    optLLtoComp_ = new QRadioButton("Compressed (14 chars)", frame1_);
    optLLtoComp_->setObjectName("optLLtoComp");
    optLLtoComp_->setChecked(true);

    cmdCalc_ = new QPushButton("Write coords in GPSless Bcn", this);
    cmdCalc_->setObjectName("cmdCalc");
    okButton_ = new QPushButton("Close", this);
    okButton_->setObjectName("OKButton");
}

void CalculatorWindow::arrangeControls() {
    auto* coordinates = new QGridLayout(zFrame2_);
    coordinates->addWidget(zLabel02_, 0, 0);
    coordinates->addWidget(zLabel01_, 0, 1);
    coordinates->addWidget(chkCent_, 0, 2, Qt::AlignRight | Qt::AlignTop);
    coordinates->addWidget(txtLat_, 1, 0);
    coordinates->addWidget(txtLng_, 1, 1);
    coordinates->addWidget(chkAlt_, 2, 0);
    auto* altitude = new QHBoxLayout;
    altitude->addWidget(txtAlt_);
    altitude->addWidget(label3_);
    coordinates->addLayout(altitude, 2, 1);

    auto* forms = new QVBoxLayout(frame1_);
    forms->addWidget(optLLtoNorm_);
    forms->addWidget(optLLtoComp_);
    forms->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalc_);
    buttons->addStretch();
    buttons->addWidget(okButton_);

    auto* window = new QGridLayout(this);
    window->addWidget(zFrame2_, 0, 0);
    window->addWidget(frame1_, 0, 1);
    window->addLayout(buttons, 1, 0, 1, 2);
    window->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtLat_, txtLng_);
    setTabOrder(txtLng_, cmdCalc_);
    setTabOrder(cmdCalc_, chkCent_);
    setTabOrder(chkCent_, okButton_);
    setTabOrder(okButton_, chkAlt_);
    setTabOrder(chkAlt_, txtAlt_);
    setTabOrder(txtAlt_, optLLtoComp_);
    setTabOrder(optLLtoComp_, optLLtoNorm_);
}

void CalculatorWindow::showCalculator() {
    show();
    raise();
    activateWindow();
}

void CalculatorWindow::chkCentClick() {
    revalidate();
    zFrame2_->setTitle(chkCent_->checkState() == Qt::Checked ? kFrameCaptionCent
                                                             : kFrameCaptionSec);
}

void CalculatorWindow::chkAltClick() {
    const bool included = chkAlt_->checkState() == Qt::Checked;
    optLLtoNorm_->setText(included ? kNormalCaptionWithAltitude : kNormalCaption);
    txtAlt_->setEnabled(included);
    label3_->setEnabled(included);
}

CalculatorInputs CalculatorWindow::inputs() const {
    return {latin1(txtLat_->text()), latin1(txtLng_->text()), checkValue(chkCent_),
            latin1(txtAlt_->text()), checkValue(chkAlt_),     optLLtoNorm_->isChecked()};
}

void CalculatorWindow::setInputs(const CalculatorInputs& inputs) {
    txtLat_->setText(QString::fromLatin1(inputs.latitude));
    txtLng_->setText(QString::fromLatin1(inputs.longitude));
    writeCheck(chkCent_, inputs.centChecked);
    txtAlt_->setText(QString::fromLatin1(inputs.altitude));
    writeCheck(chkAlt_, inputs.altitudeChecked);
    (inputs.normalForm ? optLLtoNorm_ : optLLtoComp_)->setChecked(true);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool coordinate = watched == txtLat_ || watched == txtLng_;
    if (event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        for (QChar c : typed) {
            if (!acceptsCharacter(c, coordinate)) {
                return true;  // dropped
            }
        }
    } else if (event->type() == QEvent::KeyRelease && coordinate) {
        revalidate();
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        closeCalculator();
        return;
    }
    event->accept();
}

Notation CalculatorWindow::notation() const {
    return chkCent_->checkState() == Qt::Checked ? Notation::GradMinCent : Notation::GradMinSec;
}

bool CalculatorWindow::coordinatesValid() const {
    return validateCoordinate(latin1(txtLat_->text()), Axis::Latitude, notation()) &&
           validateCoordinate(latin1(txtLng_->text()), Axis::Longitude, notation());
}

void CalculatorWindow::revalidate() {
    cmdCalc_->setEnabled(coordinatesValid());
}

PositionRequest CalculatorWindow::request() const {
    PositionRequest r;
    // Text that is not Latin-1 cannot be a coordinate; UTF-8 keeps it from looking like one.
    auto bytes = [](const QString& text) {
        return QString::fromLatin1(text.toLatin1()) == text ? latin1(text) : text.toStdString();
    };
    r.latitude = bytes(txtLat_->text());
    r.longitude = bytes(txtLng_->text());
    r.notation = notation();
    r.altitude = bytes(txtAlt_->text());
    r.includeAltitude = chkAlt_->checkState() == Qt::Checked;
    r.form = optLLtoNorm_->isChecked() ? PositionForm::Normal : PositionForm::Compressed;
    r.symbol = host_.symbol ? bytes(host_.symbol()) : std::string();
    r.alternateTable = host_.alternateTable && host_.alternateTable();
    return r;
}

void CalculatorWindow::writeBeacon() {
    // Pasted or dropped text never passed a key release: check again, and write nothing when
    // the coordinates, the altitude or the symbol cannot make a position.
    revalidate();
    GeoResult<CalculatedPosition> position = calculatePosition(request());
    if (!position || !host_.beacon) {
        return;
    }
    txtAlt_->setText(QString::fromLatin1(position->altitude));
    host_.beacon->setText(QString::fromLatin1(position->text));
    paintBase(host_.beacon, kWrittenBeacon);
}

void CalculatorWindow::closeCalculator() {
    hide();
    if (host_.beacon) {
        paintBase(host_.beacon, QApplication::palette(host_.beacon).color(QPalette::Base));
    }
}

}  // namespace zelvar
