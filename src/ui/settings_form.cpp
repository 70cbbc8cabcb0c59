#include "ui/settings_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "config/input_rules.h"
#include "ui/check_state.h"
#include "ui/field_edit.h"
#include "ui/labelled_list.h"
#include "ui/latin1_text.h"
#include "ui/palette_colours.h"
#include "ui/setup_controls.h"
#include "ui/wrapping_button.h"

namespace zelvar {
namespace {

// The window is small for what it holds: thin margins, one or two pixels between controls.
constexpr QMargins kGroupMargins(3, 0, 3, 2);
constexpr QMargins kNarrowGroupMargins(1, 0, 1, 1);
constexpr int kSpacing = 2;
constexpr int kRowSpacing = 1;

const QColor kLatLonFace(0, 192, 0);

// The object name of each field's control: the names Save, Load and other windows know the
// controls by.
struct FieldControlName {
    Field field;
    std::string_view name;
};
constexpr std::array<FieldControlName, kFieldCount> kFieldControlNames = {{
    {Field::MyCall, "edMyCall"},
    {Field::AprsPath, "edAprsPath"},
    {Field::Beacon, "edBeacon"},
    {Field::Symbol, "edSymbol"},
    {Field::AltTable, "chkTable"},
    {Field::NumFlagsAuto, "edNumFlagsAuto"},
    {Field::MicEMsg, "cbMicEMsg"},
    {Field::BcnEvery, "edBcnEvery"},
    {Field::RxPosition, "chkRxPosition"},
    {Field::ManualTime, "edManualTime"},
    {Field::SpeedTable0, "esSpeedTable(0)"},
    {Field::SpeedTable1, "esSpeedTable(1)"},
    {Field::SpeedTable2, "esSpeedTable(2)"},
    {Field::SpeedTable3, "esSpeedTable(3)"},
    {Field::SpeedTable4, "esSpeedTable(4)"},
    {Field::SpeedTable5, "esSpeedTable(5)"},
    {Field::SpeedTable6, "esSpeedTable(6)"},
    {Field::GpsCheckTime, "edGpsCheckTime"},
    {Field::GpsAcqTime, "edGpsAcqTime"},
    {Field::Baud300, "chk300Baud"},
    {Field::DestCall, "edDestCall"},
    {Field::AprsMsg, "edAprsMsg"},
    {Field::MsgRepeat, "edMsgRepeat"},
    {Field::AutoReply, "chkAutoReply"},
    {Field::AutoReplyMsg, "edAutoReplyMsg"},
    {Field::CommPort, "edComm"},
    {Field::BaudRate, "cboBaud"},
}};

constexpr bool fieldControlNamesInOrder() {
    for (std::size_t i = 0; i < kFieldControlNames.size(); ++i) {
        if (kFieldControlNames[i].field != static_cast<Field>(i))
            return false;
    }
    return true;
}
static_assert(fieldControlNamesInOrder(), "one name per field, in the order of Field");

std::string_view fieldControlName(Field field) {
    return kFieldControlNames[static_cast<std::size_t>(field)].name;
}

QString labelOf(Field field) {
    return fromLatin1(fieldLabel(field));
}

QString atMost(int characters) {
    return QStringLiteral("at most %1 characters").arg(characters);
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

// The label beside a field, which screen readers take as the field's label.
QLabel* naming(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    return label;
}

QLabel* makeCounter(QWidget* parent, std::string_view name) {
    QLabel* counter = makeLabel(parent, {}, name);
    counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return counter;
}

QComboBox* makeList(QWidget* parent, Field field, const QString& name) {
    auto* list = new LabelledList(parent);
    list->setObjectName(fromLatin1(fieldControlName(field)));
    list->setFont(withPointSize(parent->font(), kSmallPointSize));
    describe(list, name);
    fitFieldHeight(list);
    return list;
}

FieldEdit* digits(QWidget* parent, Field field, const QString& name, const QString& unit) {
    FieldEdit* edit = makeDigitsField(parent, fieldControlName(field), inputRule(field));
    describe(edit, name, unit);
    return edit;
}

FieldEdit* textField(QWidget* parent, Field field, const QString& hint = {},
                     std::function<bool()> gpsless = nullptr) {
    const InputRule& rule = inputRule(field);
    const int length = static_cast<int>(rule.maxLength);
    FieldEdit* edit = makeTextField(parent, fieldControlName(field), length,
                                    characterRule(rule, std::move(gpsless)), hint);
    describe(edit, labelOf(field), atMost(length));
    return edit;
}

std::string textOf(const FieldEdit* field) {
    return toLatin1(field->text());
}

void write(FieldEdit* field, const std::string& value) {
    const QString shown = fromLatin1(value);
    if (field->text() != shown)
        field->writeUnfiltered(shown);
}

void writeChoice(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// Each control with the member of the record it shows, in the order a load writes them: the
// order of the factory defaults.
template <typename Record, typename Visit>
void forEachBinding(const FormControls& c, Record& s, Visit visit) {
    visit(c.portNumber, s.commPort);
    visit(c.baudRate, s.baudRate);
    visit(c.txDelay, s.numFlagsAuto);
    visit(c.messageRetries, s.msgRepeat);
    visit(c.micEMessage, s.micEMsg);
    visit(c.symbol, s.symbol);
    visit(c.alternateTable, s.altTable);
    visit(c.hideReceivedPositions, s.rxPosition);
    for (std::size_t band = 0; band < s.speedTable.size(); ++band)
        visit(c.speedIntervals[band], s.speedTable[band]);
    visit(c.fixedInterval, s.manualTime);
    visit(c.commentEvery, s.bcnEvery);
    visit(c.acquisitionInterval, s.gpsCheckTime);
    visit(c.acquisitionTimeout, s.gpsAcqTime);
    visit(c.myCall, s.myCall);
    visit(c.path, s.aprsPath);
    visit(c.beacon, s.beacon);
    visit(c.messageTo, s.destCall);
    visit(c.message, s.aprsMsg);
    visit(c.autoAnswer, s.autoReplyMsg);
    visit(c.autoAnswerOn, s.autoReply);
    visit(c.modem300, s.baud300);
}

struct ReadControl {
    void operator()(const FieldEdit* field, std::string& value) const { value = textOf(field); }
    void operator()(const QCheckBox* box, int& value) const { value = checkValue(box); }
    void operator()(const QComboBox* list, int& index) const { index = list->currentIndex(); }
};

struct WriteControl {
    void operator()(FieldEdit* field, const std::string& value) const { write(field, value); }
    void operator()(QCheckBox* box, int value) const { writeCheck(box, value); }
    // Text typed into the Mic-E list stays while neither the record nor the list chooses one.
    void operator()(QComboBox* list, int index) const {
        if (index >= 0 || list->currentIndex() >= 0)
            writeChoice(list, index);
    }
};

}  // namespace

SettingsForm::SettingsForm(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kRowSpacing);
    // Whatever room the type leaves is shared by the four groups.
    for (QWidget* group :
         {buildMainGroup(), buildTimingGroup(), buildMessageGroup(), buildProgrammingGroup()}) {
        layout->addWidget(group, 1);
    }
    setKeyboardOrder();
}

QWidget* SettingsForm::buildMainGroup() {
    FormControls& c = controls_;
    auto* group = new QGroupBox(QStringLiteral("Main APRS / Mic-E Settings"), this);
    QGridLayout* grid = tightGrid(group);
    // Column 0 the labels, column 1 the fields; the calculator's button takes column 2 of rows 1
    // and 2, where the GPS display has the comment interval instead. Only one of the two is
    // ever shown.
    c.txDelay = digits(group, Field::NumFlagsAuto, QStringLiteral("TX DELAY"),
                       QStringLiteral("milliseconds"));
    c.micEMessage = makeList(group, Field::MicEMsg, QStringLiteral("Mic-E msg"));
    c.micEMessage->setAccessibleDescription(
        QStringLiteral("the status the tracker's Mic-E reports carry; choose one of the list"));
    c.micELabel = naming(makeLabel(group, QStringLiteral("Mic-E msg"), "Label12"), c.micEMessage);
    c.micEMessage->setEditable(true);
    c.micEMessage->setInsertPolicy(QComboBox::NoInsert);
    c.micEMessage->setCompleter(nullptr);
    for (std::string_view message : kMicEMessages)
        c.micEMessage->addItem(fromLatin1(message));
    QHBoxLayout* delay = row({c.txDelay, makeLabel(group, QStringLiteral("mS"))});
    delay->addStretch();
    delay->addWidget(c.micELabel);
    delay->addWidget(c.micEMessage);
    grid->addWidget(naming(makeLabel(group, QStringLiteral("TX DELAY")), c.txDelay), 0, 0);
    grid->addLayout(delay, 0, 1, 1, 2);

    c.symbol = textField(group, Field::Symbol);
    // The one position shows "_" while empty; "_" itself is a symbol the user may type.
    c.symbol->setPositions(static_cast<int>(inputRule(Field::Symbol).maxLength));
    c.symbol->setSelectAllOnFocus(inputRule(Field::Symbol).selectAllOnFocus);
    describe(c.symbol, QStringLiteral("ICON Symbol"), QStringLiteral("one character"));
    fitWidthToCharacters(c.symbol, 1);
    c.alternateTable =
        makeCheckBox(group, fieldControlName(Field::AltTable), QStringLiteral("Alternate Table"));
    QHBoxLayout* symbol = row({c.symbol, c.alternateTable});
    symbol->addStretch();
    grid->addWidget(naming(makeLabel(group, QStringLiteral("ICON Symbol")), c.symbol), 1, 0);
    grid->addLayout(symbol, 1, 1);

    c.openCalculator = new WrappingButton(QStringLiteral("&Calculate GPSless Bcn"), group);
    c.openCalculator->setObjectName(QStringLiteral("cmdLatLon"));
    c.openCalculator->setAutoDefault(true);
    // As high as the two rows it stands beside: showing it must not move them.
    c.openCalculator->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    setBackground(c.openCalculator, QPalette::Button, kLatLonFace);
    grid->addWidget(c.openCalculator, 1, 2, 2, 1);

    c.myCall = textField(group, Field::MyCall);
    fitWidthToCharacters(c.myCall, 9);
    c.commentEvery = digits(group, Field::BcnEvery, QStringLiteral("Comment every"),
                            QStringLiteral("transmissions"));
    c.commentEveryLabel =
        naming(makeLabel(group, QStringLiteral("Comment every"), "Label30"), c.commentEvery);
    c.commentEveryUnit = makeLabel(group, QStringLiteral("tx"), "Label32");
    QHBoxLayout* call = row({c.myCall});
    call->addStretch();
    call->addWidget(c.commentEveryLabel);
    call->addWidget(c.commentEvery);
    call->addWidget(c.commentEveryUnit);
    grid->addWidget(naming(makeLabel(group, QStringLiteral("MY CALLSIGN")), c.myCall), 2, 0);
    grid->addLayout(call, 2, 1, 1, 2);

    c.path = textField(group, Field::AprsPath, QStringLiteral("Max 2 digipeater addresses"));
    describe(c.path, QStringLiteral("APRS PATH"), QStringLiteral("at most 2 digipeater addresses"));
    fitWidthToCharacters(c.path, 19);
    grid->addWidget(naming(makeLabel(group, QStringLiteral("APRS PATH")), c.path), 3, 0);
    grid->addWidget(c.path, 3, 1, 1, 2, Qt::AlignLeft);

    c.beaconLabel = makeLabel(group, QStringLiteral("COMMENT"), "Label6");
    c.beaconLabel->setForegroundRole(QPalette::ButtonText);
    // The filter reads the acquisition timeout afresh for every character.
    c.beacon = textField(group, Field::Beacon,
                         QStringLiteral("Max 35 chars. Enter aprs Lat/Lon in GPSless Mode."),
                         [this] { return isGpslessTimeout(textOf(controls_.acquisitionTimeout)); });
    c.beaconLabel->setBuddy(c.beacon);
    grid->addWidget(c.beaconLabel, 4, 0);
    grid->addWidget(c.beacon, 4, 1, 1, 2);

    // The counter stands just below the right end of the comment, beside the check box.
    c.hideReceivedPositions =
        makeCheckBox(group, fieldControlName(Field::RxPosition),
                     QStringLiteral("Disable display position of received stations"));
    c.beaconCounter = makeCounter(group, "Label34");
    grid->addWidget(c.hideReceivedPositions, 5, 0, 1, 3);
    grid->addWidget(c.beaconCounter, 5, 0, 1, 3, Qt::AlignRight | Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* SettingsForm::buildTimingGroup() {
    FormControls& c = controls_;
    // The caption the tracker's users know, two blanks and all.
    auto* group = new QGroupBox(QStringLiteral("Timing  Settings"), this);
    auto* columns = tight(new QHBoxLayout(group), kNarrowGroupMargins);
    columns->setSpacing(kSpacing);
    auto* left = new QVBoxLayout;
    left->setSpacing(kRowSpacing);
    auto* right = new QVBoxLayout;
    right->setSpacing(kRowSpacing);
    columns->addLayout(left);
    columns->addLayout(right);
    const QString seconds = QStringLiteral("seconds");

    auto* manual = new QGroupBox(QStringLiteral("Manual Timing"), group);
    // Named by their own titles: unnamed, a screen reader gives each the outer group's.
    manual->setAccessibleName(manual->title());
    c.fixedInterval =
        digits(manual, Field::ManualTime, QStringLiteral("Manual Timing, every"), seconds);
    tight(new QHBoxLayout(manual), kNarrowGroupMargins)
        ->addLayout(row({naming(makeLabel(manual, QStringLiteral("Every")), c.fixedInterval),
                         c.fixedInterval, makeLabel(manual, QStringLiteral("sec."))}));
    left->addWidget(manual);

    auto* gps = new QGroupBox(QStringLiteral("GPS"), group);
    gps->setAccessibleName(gps->title());
    auto* gpsRows = tight(new QVBoxLayout(gps), kNarrowGroupMargins);
    c.acquisitionInterval =
        digits(gps, Field::GpsCheckTime, QStringLiteral("Acquisition interval, every"), seconds);
    c.acquisitionTimeout =
        digits(gps, Field::GpsAcqTime, QStringLiteral("Acquisition timeout"),
               QStringLiteral("in steps of 100 milliseconds, 0 selects GPSless Mode"));
    c.gpslessNote = makeLabel(gps, {}, "Label33");
    c.gpslessNote->setForegroundRole(QPalette::ButtonText);
    gpsRows->addWidget(makeLabel(gps, QStringLiteral("Acquisition interval")));
    gpsRows->addLayout(row({naming(makeLabel(gps, QStringLiteral("Every")), c.acquisitionInterval),
                            c.acquisitionInterval, makeLabel(gps, QStringLiteral("sec."))}));
    gpsRows->addWidget(
        naming(makeLabel(gps, QStringLiteral("Acquisition timeout")), c.acquisitionTimeout));
    gpsRows->addLayout(row({c.acquisitionTimeout, makeLabel(gps, QStringLiteral("x 100 mS"))}));
    gpsRows->addWidget(c.gpslessNote);
    left->addWidget(gps);
    left->addStretch();

    auto* automatic = new QGroupBox(QStringLiteral("Automatic Timing"), group);
    automatic->setAccessibleName(automatic->title());
    QGridLayout* bands = tightGrid(automatic, kNarrowGroupMargins);
    for (int band = 0; band < static_cast<int>(c.speedIntervals.size()); ++band) {
        const Field field = speedTableField(band);
        FieldEdit* edit = digits(automatic, field, labelOf(field), seconds);
        c.speedIntervals[static_cast<std::size_t>(band)] = edit;
        bands->addWidget(naming(makeLabel(automatic, labelOf(field)), edit), band, 0);
        bands->addWidget(edit, band, 1, Qt::AlignLeft);
        bands->addWidget(makeLabel(automatic, QStringLiteral("sec.")), band, 2);
    }
    right->addWidget(automatic);
    c.modem300 = makeCheckBox(group, fieldControlName(Field::Baud300),
                              QStringLiteral("300 Baud Modem Speed"));
    QFont bold = c.modem300->font();
    bold.setBold(true);
    c.modem300->setFont(bold);
    right->addWidget(c.modem300);
    right->addStretch();
    return group;
}

QWidget* SettingsForm::buildMessageGroup() {
    FormControls& c = controls_;
    auto* group = new QGroupBox(QStringLiteral("Message Settings"), this);
    auto* rows = tight(new QVBoxLayout(group));

    c.messageTo = textField(group, Field::DestCall);
    fitWidthToCharacters(c.messageTo, 9);
    QHBoxLayout* toCall =
        row({naming(makeLabel(group, QStringLiteral("APRS message TO CALL")), c.messageTo),
             c.messageTo});
    toCall->addStretch();
    rows->addLayout(toCall);

    c.message = textField(group, Field::AprsMsg, QStringLiteral("Max 38 chars."));
    c.messageCounter = makeCounter(group, "Label13");
    rows->addLayout(
        row({naming(makeLabel(group, QStringLiteral("Message")), c.message), c.message}));

    c.messageRetries = digits(group, Field::MsgRepeat, QStringLiteral("Msg Retries"), QString());
    c.autoAnswerOn = makeCheckBox(group, fieldControlName(Field::AutoReply),
                                  QStringLiteral("Enable Auto Answer"));
    // The message's counter stands just below its right end, on the retries row.
    QHBoxLayout* retries =
        row({naming(makeLabel(group, QStringLiteral("Msg Retries")), c.messageRetries),
             c.messageRetries, c.autoAnswerOn});
    retries->addStretch();
    retries->addWidget(c.messageCounter, 0, Qt::AlignTop);
    rows->addLayout(retries);

    // The answer takes every character the settings can hold.
    c.autoAnswer = textField(group, Field::AutoReplyMsg, QStringLiteral("Max 30 chars."));
    c.autoAnswerCounter = makeCounter(group, "Label38");
    rows->addLayout(row({naming(makeLabel(group, QStringLiteral("Auto Answer")), c.autoAnswer),
                         c.autoAnswer, c.autoAnswerCounter}));
    return group;
}

QWidget* SettingsForm::buildProgrammingGroup() {
    FormControls& c = controls_;
    auto* group = new QGroupBox(QStringLiteral("Configuration / Programming"), this);
    auto* rows = tight(new QVBoxLayout(group));

    c.defaults = makeButton(group, "cmdDefault", QStringLiteral("&Default"));
    c.save = makeButton(group, "cmdSave", QStringLiteral("&Save"));
    c.load = makeButton(group, "cmdLoad", QStringLiteral("&Load"));
    c.preview = makeButton(group, "cmdPreview", QStringLiteral("&Preview"));
    c.preview->setToolTip(QStringLiteral("What SEND would write, byte by byte (Ctrl+P)"));
    describe(c.preview, QStringLiteral("Preview"), QStringLiteral("what SEND would write, Ctrl+P"));
    // No wider than its caption: the three file buttons keep the room.
    c.preview->setSizePolicy(QSizePolicy::Fixed, c.preview->sizePolicy().verticalPolicy());
    rows->addLayout(row({c.defaults, c.save, c.load, c.preview}));

    c.portNumber = digits(group, Field::CommPort, QStringLiteral("Comm num"),
                          QStringLiteral("serial port number"));
    c.send = makeButton(group, "cmdSend", QStringLiteral("S&END"));
    c.help = makeButton(group, "cmdHelp", QStringLiteral("&Help (F1)"));
    QHBoxLayout* port = row({naming(makeLabel(group, QStringLiteral("Comm num:")), c.portNumber),
                             c.portNumber, c.send, c.help});
    port->setStretchFactor(c.send, 1);
    port->setStretchFactor(c.help, 1);
    rows->addLayout(port);

    c.baudRate = makeList(group, Field::BaudRate, QStringLiteral("Baud"));
    c.baudRate->setAccessibleDescription(QStringLiteral("serial line speed"));
    for (std::string_view speed : kBaudRates)
        c.baudRate->addItem(fromLatin1(speed));
    // The device SEND writes to, and the list to choose it from, right under the port number:
    // the row above has no room.
    c.portDevice = makeButton(group, "cmdPortDevice", {});
    c.portDevice->setFont(c.baudRate->font());
    fitFieldHeight(c.portDevice);
    // Never widens the window: a long device name is cut to the room there is.
    c.portDevice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QHBoxLayout* speed = row(
        {naming(makeLabel(group, QStringLiteral("Baud:")), c.baudRate), c.baudRate, c.portDevice});
    speed->setStretchFactor(c.portDevice, 1);
    rows->addLayout(speed);
    return group;
}

void SettingsForm::setKeyboardOrder() {
    const FormControls& c = controls_;
    const std::array<FieldEdit*, 7>& bands = c.speedIntervals;
    const std::initializer_list<QWidget*> order = {c.txDelay,
                                                   c.micEMessage,
                                                   c.symbol,
                                                   c.alternateTable,
                                                   c.myCall,
                                                   c.commentEvery,
                                                   c.path,
                                                   c.beacon,
                                                   c.fixedInterval,
                                                   bands[0],
                                                   bands[1],
                                                   bands[2],
                                                   bands[3],
                                                   bands[4],
                                                   bands[5],
                                                   bands[6],
                                                   c.acquisitionInterval,
                                                   c.acquisitionTimeout,
                                                   c.messageRetries,
                                                   c.messageTo,
                                                   c.message,
                                                   c.portNumber,
                                                   c.send,
                                                   c.load,
                                                   c.save,
                                                   c.defaults,
                                                   c.help,
                                                   c.hideReceivedPositions,
                                                   c.autoAnswerOn,
                                                   c.openCalculator,
                                                   c.autoAnswer,
                                                   c.modem300,
                                                   c.baudRate,
                                                   c.portDevice,
                                                   c.preview};
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

DeviceSettings SettingsForm::settings() const {
    DeviceSettings s;
    forEachBinding(controls_, s, ReadControl{});
    return s;
}

void SettingsForm::applySettings(const DeviceSettings& s) {
    forEachBinding(controls_, s, WriteControl{});
}

QWidget* SettingsForm::control(Field field) const {
    return findChild<QWidget*>(fromLatin1(fieldControlName(field)));
}

}  // namespace zelvar
