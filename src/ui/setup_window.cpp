#include "ui/setup_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "transfer/system_ports_qt.h"
#include "ui/key_filters.h"
#include "ui/latin1_text.h"
#include "ui/message_dialog.h"
#include "ui/setup_controls.h"
#include "ui/wrapping_button.h"

namespace zelvar {
namespace {

// Client area 4335 x 7560 twips, 15 twips to the pixel.
constexpr QSize kClientSize(289, 504);
// The window is small for what it holds: thin margins, one or two pixels between controls.
constexpr int kWindowMargin = 2;
constexpr QMargins kGroupMargins(3, 0, 3, 2);
constexpr QMargins kNarrowGroupMargins(1, 0, 1, 1);
constexpr int kSpacing = 2;
constexpr int kRowSpacing = 1;

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

const QColor kLatLonFace(0, 192, 0);

QString text(std::string_view latin1) {
    return fromLatin1(latin1);
}

QGroupBox* makeGroup(QWidget* parent, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    return group;
}

template <typename Layout>
Layout* tight(Layout* layout, QMargins margins = kGroupMargins) {
    layout->setContentsMargins(margins);
    layout->setSpacing(kRowSpacing);
    return layout;
}

QGridLayout* tightGrid(QWidget* group, QMargins margins = kGroupMargins) {
    auto* grid = tight(new QGridLayout(group), margins);
    grid->setHorizontalSpacing(kSpacing);
    return grid;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSpacing);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return layout;
}

QLabel* makeCounter(QWidget* parent, std::string_view name) {
    QLabel* counter = makeLabel(parent, {}, name);
    counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return counter;
}

}  // namespace

SetupWindow::SetupWindow(QWidget* parent, PortResolver resolver)
    : QWidget(parent, kWindowFlags),
      resolver_(resolver ? resolver : PortResolver(resolveSystemPort)),
      port_(std::move(resolver)) {
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("Zelvar Config v4.0 by QX9ABC"));
    // Children take the window's type, so it is set before they are made.
    setFont(withPointSize(font(), kWindowPointSize));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
    layout->setSpacing(kRowSpacing);
    // Whatever room the type leaves is shared by the four groups.
    for (QWidget* group :
         {buildMainGroup(), buildTimingGroup(), buildMessageGroup(), buildProgrammingGroup()}) {
        layout->addWidget(group, 1);
    }
    setFixedSize(kClientSize);

    setKeyboardOrder();
    connectReactions();
    watchKeysOfAllControls();
    createCalculator();

    for (std::string_view speed : kBaudRates)
        cboBaud_->addItem(text(speed));
    applyDefaultSettings();
    dialog_ = new Dialog(this);
    edNumFlagsAuto_->setFocus(Qt::OtherFocusReason);
}

QWidget* SetupWindow::buildMainGroup() {
    QGroupBox* group = makeGroup(this, QStringLiteral("Main APRS / Mic-E Settings"));
    QGridLayout* grid = tightGrid(group);
    // Column 0 the labels, column 1 the fields; cmdLatLon takes column 2 of rows 1 and 2, where
    // the GPS display has the comment interval instead. Only one of the two is ever shown.
    edNumFlagsAuto_ = makeDigitsField(group, controlName(Field::NumFlagsAuto), 3, true);
    label12_ = makeLabel(group, QStringLiteral("Mic-E msg"), "Label12");
    cbMicEMsg_ = new QComboBox(group);
    cbMicEMsg_->setObjectName(text(controlName(Field::MicEMsg)));
    cbMicEMsg_->setEditable(true);
    cbMicEMsg_->setInsertPolicy(QComboBox::NoInsert);
    cbMicEMsg_->setCompleter(nullptr);
    cbMicEMsg_->setFont(withPointSize(font(), kSmallPointSize));
    fitFieldHeight(cbMicEMsg_);
    for (std::string_view message : kMicEMessages)
        cbMicEMsg_->addItem(text(message));
    QHBoxLayout* delay = row({edNumFlagsAuto_, makeLabel(group, QStringLiteral("mS"))});
    delay->addStretch();
    delay->addWidget(label12_);
    delay->addWidget(cbMicEMsg_);
    grid->addWidget(makeLabel(group, QStringLiteral("TX DELAY")), 0, 0);
    grid->addLayout(delay, 0, 1, 1, 2);

    edSymbol_ = makeTextField(group, controlName(Field::Symbol), 1, filterSymbolKey);
    // The one position shows "_" while empty; "_" itself is a symbol the user may type.
    edSymbol_->setPlaceholderText(QStringLiteral("_"));
    edSymbol_->setSelectAllOnFocus(true);
    fitWidthToCharacters(edSymbol_, 1);
    chkTable_ =
        makeCheckBox(group, controlName(Field::AltTable), QStringLiteral("Alternate Table"));
    QHBoxLayout* symbol = row({edSymbol_, chkTable_});
    symbol->addStretch();
    grid->addWidget(makeLabel(group, QStringLiteral("ICON Symbol")), 1, 0);
    grid->addLayout(symbol, 1, 1);

    cmdLatLon_ = new WrappingButton(QStringLiteral("Calculate GPSless Bcn"), group);
    cmdLatLon_->setObjectName(QStringLiteral("cmdLatLon"));
    cmdLatLon_->setAutoDefault(false);
    QPalette face = cmdLatLon_->palette();
    face.setColor(QPalette::Button, kLatLonFace);
    cmdLatLon_->setPalette(face);
    grid->addWidget(cmdLatLon_, 1, 2, 2, 1);

    edMyCall_ = makeTextField(group, controlName(Field::MyCall), 9, filterCallsignKey);
    fitWidthToCharacters(edMyCall_, 9);
    label30_ = makeLabel(group, QStringLiteral("Comment every"), "Label30");
    edBcnEvery_ = makeDigitsField(group, controlName(Field::BcnEvery), 3, true);
    label32_ = makeLabel(group, QStringLiteral("tx"), "Label32");
    QHBoxLayout* call = row({edMyCall_});
    call->addStretch();
    call->addWidget(label30_);
    call->addWidget(edBcnEvery_);
    call->addWidget(label32_);
    grid->addWidget(makeLabel(group, QStringLiteral("MY CALLSIGN")), 2, 0);
    grid->addLayout(call, 2, 1, 1, 2);

    edAprsPath_ = makeTextField(group, controlName(Field::AprsPath), 19, filterPathKey,
                                QStringLiteral("Max 2 digipeater addresses"));
    fitWidthToCharacters(edAprsPath_, 19);
    grid->addWidget(makeLabel(group, QStringLiteral("APRS PATH")), 3, 0);
    grid->addWidget(edAprsPath_, 3, 1, 1, 2, Qt::AlignLeft);

    label6_ = makeLabel(group, QStringLiteral("COMMENT"), "Label6");
    label6_->setForegroundRole(QPalette::ButtonText);
    edBeacon_ = makeTextField(
        group, controlName(Field::Beacon), 35,
        [this](int code) { return filterBeaconKey(code, gpslessDisplay()); },
        QStringLiteral("Max 35 chars. Enter aprs Lat/Lon in GPSless Mode."));
    grid->addWidget(label6_, 4, 0);
    grid->addWidget(edBeacon_, 4, 1, 1, 2);

    // The counter stands just below the right end of the comment, beside the check box.
    chkRxPosition_ = makeCheckBox(group, controlName(Field::RxPosition),
                                  QStringLiteral("Disable display position of received stations"));
    label34_ = makeCounter(group, "Label34");
    grid->addWidget(chkRxPosition_, 5, 0, 1, 3);
    grid->addWidget(label34_, 5, 0, 1, 3, Qt::AlignRight | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* SetupWindow::buildTimingGroup() {
    QGroupBox* group = makeGroup(this, QStringLiteral("Timing  Settings"));
    auto* columns = tight(new QHBoxLayout(group), kNarrowGroupMargins);
    columns->setSpacing(kSpacing);
    auto* left = new QVBoxLayout;
    left->setSpacing(kRowSpacing);
    auto* right = new QVBoxLayout;
    right->setSpacing(kRowSpacing);
    columns->addLayout(left);
    columns->addLayout(right);

    QGroupBox* manual = makeGroup(group, QStringLiteral("Manual Timing"));
    edManualTime_ = makeDigitsField(manual, controlName(Field::ManualTime), 4, true);
    tight(new QHBoxLayout(manual), kNarrowGroupMargins)
        ->addLayout(row({makeLabel(manual, QStringLiteral("Every")), edManualTime_,
                         makeLabel(manual, QStringLiteral("sec."))}));
    left->addWidget(manual);

    QGroupBox* gps = makeGroup(group, QStringLiteral("GPS"));
    auto* gpsRows = tight(new QVBoxLayout(gps), kNarrowGroupMargins);
    edGpsCheckTime_ = makeDigitsField(gps, controlName(Field::GpsCheckTime), 3, true);
    edGpsAcqTime_ = makeDigitsField(gps, controlName(Field::GpsAcqTime), 3, false);
    label33_ = makeLabel(gps, {}, "Label33");
    label33_->setForegroundRole(QPalette::ButtonText);
    gpsRows->addWidget(makeLabel(gps, QStringLiteral("Acquisition interval")));
    gpsRows->addLayout(row({makeLabel(gps, QStringLiteral("Every")), edGpsCheckTime_,
                            makeLabel(gps, QStringLiteral("sec."))}));
    gpsRows->addWidget(makeLabel(gps, QStringLiteral("Acquisition timeout")));
    gpsRows->addLayout(row({edGpsAcqTime_, makeLabel(gps, QStringLiteral("x 100 mS"))}));
    gpsRows->addWidget(label33_);
    left->addWidget(gps);
    left->addStretch();

    QGroupBox* automatic = makeGroup(group, QStringLiteral("Automatic Timing"));
    QGridLayout* bands = tightGrid(automatic, kNarrowGroupMargins);
    for (int band = 0; band < static_cast<int>(esSpeedTable_.size()); ++band) {
        const Field field = speedTableField(band);
        FieldEdit* edit = makeDigitsField(automatic, controlName(field),
                                          static_cast<int>(maxLength(field)), true);
        esSpeedTable_[static_cast<std::size_t>(band)] = edit;
        bands->addWidget(makeLabel(automatic, text(fieldLabel(field))), band, 0);
        bands->addWidget(edit, band, 1, Qt::AlignLeft);
        bands->addWidget(makeLabel(automatic, QStringLiteral("sec.")), band, 2);
    }
    right->addWidget(automatic);
    chk300Baud_ =
        makeCheckBox(group, controlName(Field::Baud300), QStringLiteral("300 Baud Modem Speed"));
    QFont bold = chk300Baud_->font();
    bold.setBold(true);
    chk300Baud_->setFont(bold);
    right->addWidget(chk300Baud_);
    right->addStretch();
    return group;
}

QWidget* SetupWindow::buildMessageGroup() {
    QGroupBox* group = makeGroup(this, QStringLiteral("Message Settings"));
    auto* rows = tight(new QVBoxLayout(group));

    edDestCall_ = makeTextField(group, controlName(Field::DestCall), 9, filterCallsignKey);
    fitWidthToCharacters(edDestCall_, 9);
    QHBoxLayout* toCall =
        row({makeLabel(group, QStringLiteral("APRS message TO CALL")), edDestCall_});
    toCall->addStretch();
    rows->addLayout(toCall);

    edAprsMsg_ = makeTextField(group, controlName(Field::AprsMsg), 38, filterMessageKey,
                               QStringLiteral("Max 38 chars."));
    label13_ = makeCounter(group, "Label13");
    rows->addLayout(row({makeLabel(group, QStringLiteral("Message")), edAprsMsg_}));

    edMsgRepeat_ = makeDigitsField(group, controlName(Field::MsgRepeat), 2, true);
    chkAutoReply_ =
        makeCheckBox(group, controlName(Field::AutoReply), QStringLiteral("Enable Auto Answer"));
    // The message's counter stands just below its right end, on the retries row.
    QHBoxLayout* retries =
        row({makeLabel(group, QStringLiteral("Msg Retries")), edMsgRepeat_, chkAutoReply_});
    retries->addStretch();
    retries->addWidget(label13_, 0, Qt::AlignTop);
    rows->addLayout(retries);

    edAutoReplyMsg_ = makeTextField(group, controlName(Field::AutoReplyMsg), 30, {},
                                    QStringLiteral("Max 30 chars."));
    label38_ = makeCounter(group, "Label38");
    rows->addLayout(
        row({makeLabel(group, QStringLiteral("Auto Answer")), edAutoReplyMsg_, label38_}));
    return group;
}

QWidget* SetupWindow::buildProgrammingGroup() {
    QGroupBox* group = makeGroup(this, QStringLiteral("Configuration / Programming"));
    auto* rows = tight(new QVBoxLayout(group));

    cmdDefault_ = makeButton(group, "cmdDefault", QStringLiteral("Default"));
    cmdSave_ = makeButton(group, "cmdSave", QStringLiteral("Save"));
    cmdLoad_ = makeButton(group, "cmdLoad", QStringLiteral("Load"));
    rows->addLayout(row({cmdDefault_, cmdSave_, cmdLoad_}));

    edComm_ = makeDigitsField(group, controlName(Field::CommPort), 1, true);
    cmdSend_ = makeButton(group, "cmdSend", QStringLiteral("SEND"));
    cmdHelp_ = makeButton(group, "cmdHelp", QStringLiteral("Help (F1)"));
    QHBoxLayout* port =
        row({makeLabel(group, QStringLiteral("Comm num:")), edComm_, cmdSend_, cmdHelp_});
    port->setStretchFactor(cmdSend_, 1);
    port->setStretchFactor(cmdHelp_, 1);
    rows->addLayout(port);

    cboBaud_ = new QComboBox(group);
    cboBaud_->setObjectName(text(controlName(Field::BaudRate)));
    cboBaud_->setFont(withPointSize(font(), kSmallPointSize));
    fitFieldHeight(cboBaud_);
    // The device SEND writes to, right under the port number: the row above has no room.
    lblPortDevice_ = makeLabel(group, {}, "lblPortDevice");
    lblPortDevice_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Never widens the window: a long device name is cut to the room there is.
    lblPortDevice_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QHBoxLayout* speed = row({makeLabel(group, QStringLiteral("Baud:")), cboBaud_, lblPortDevice_});
    speed->setStretchFactor(lblPortDevice_, 1);
    rows->addLayout(speed);
    return group;
}

void SetupWindow::setKeyboardOrder() {
    const std::initializer_list<QWidget*> order = {
        edNumFlagsAuto_,  cbMicEMsg_,       edSymbol_,        chkTable_,        edMyCall_,
        edBcnEvery_,      edAprsPath_,      edBeacon_,        edManualTime_,    esSpeedTable_[0],
        esSpeedTable_[1], esSpeedTable_[2], esSpeedTable_[3], esSpeedTable_[4], esSpeedTable_[5],
        esSpeedTable_[6], edGpsCheckTime_,  edGpsAcqTime_,    edMsgRepeat_,     edDestCall_,
        edAprsMsg_,       edComm_,          cmdSend_,         cmdLoad_,         cmdSave_,
        cmdDefault_,      cmdHelp_,         chkRxPosition_,   chkAutoReply_,    cmdLatLon_,
        edAutoReplyMsg_,  chk300Baud_,      cboBaud_};
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void SetupWindow::watchKeysOfAllControls() {
    // Every key passes the window before the focused control sees it.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool SetupWindow::eventFilter(QObject* watched, QEvent* event) {
    // A key the focused control leaves alone travels on to its parents; only its first stop
    // counts. The key goes on to the control either way.
    const QWidget* focus = QApplication::focusWidget();
    const bool firstStop = focus ? watched == focus : watched == this;
    if (firstStop && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        showInstructions();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zelvar
