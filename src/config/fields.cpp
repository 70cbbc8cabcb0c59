#include "config/fields.h"

#include <algorithm>
#include <array>

#include "config/image_writer.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr FieldValue textIn(std::string DeviceSettings::*text) {
    return {.text = text};
}
constexpr FieldValue numberIn(int DeviceSettings::*number) {
    return {.number = number};
}
constexpr FieldValue band(int index) {
    return {.band = index};
}

constexpr FieldInput digits(std::uint8_t positions, bool selectAllOnFocus = true) {
    return {Input::Digits, positions, Characters::Digits, selectAllOnFocus};
}
constexpr FieldInput text(std::uint8_t length, Characters characters) {
    return {Input::Text, length, characters};
}
constexpr FieldInput kFlag{Input::Flag};
constexpr FieldInput kChoice{Input::Choice};
constexpr FieldInput kTypedChoice{.kind = Input::Choice, .typedChoice = true};

// Seconds stored in tens, at least 10 s.
constexpr FieldImage tensOfSeconds(std::uint8_t offset) {
    return {.codec = Codec::Digits, .offset = offset, .unit = ByteUnit::TensOfSeconds, .least = 10};
}
constexpr FieldImage bits(std::uint8_t offset, std::uint8_t mask) {
    return {.codec = Codec::Bits, .offset = offset, .mask = mask};
}

constexpr CfgPlace cfgText(std::int8_t item, std::uint8_t line, std::uint8_t group,
                           std::string_view name) {
    return {item, line, group, CfgKind::Text, name};
}

constexpr FieldRow speedBand(int index, std::string_view name, std::uint8_t positions,
                             std::string_view initial, std::string_view cfgName,
                             std::string_view object) {
    const auto i = static_cast<std::uint8_t>(index);
    return {
        .field = static_cast<Field>(static_cast<int>(Field::SpeedInterval0) + index),
        .name = name,
        .label = kSpeedBands[i],
        .value = band(index),
        .input = digits(positions),
        .initialText = initial,
        .image = tensOfSeconds(static_cast<std::uint8_t>(6 + index)),
        .described = kSpeedBands[i],
        .cfg = cfgText(static_cast<std::int8_t>(6 + index), static_cast<std::uint8_t>(2 + index), 1,
                       cfgName),
        .form = {.group = FormGroup::AutomaticTiming,
                 .line = i,
                 .tab = static_cast<std::uint8_t>(9 + index)},
        .texts = {.unit = marked("field unit", "sec."),
                  .spokenUnit = marked("field spoken", "seconds")},
        .window = {.control = object},
    };
}

constexpr std::array<FieldRow, kFieldCount> kRows = {{
    {
        .field = Field::TxDelay,
        .name = "txDelay",
        .label = marked("field label", "TX DELAY"),
        .value = textIn(&DeviceSettings::txDelay),
        .input = digits(3),
        .initialText = "200",
        .image = {.codec = Codec::Digits, .offset = 0, .unit = ByteUnit::Flags, .least = 25},
        .described = marked("field label", "TX delay"),
        .cfg = cfgText(1, 1, 0, marked("cfg item", "TX delay")),
        .form = {.group = FormGroup::Main, .line = 0, .tab = 0},
        .texts = {.unit = marked("field unit", "mS"),
                  .spokenUnit = marked("field spoken", "milliseconds")},
        .window = {.control = "edNumFlagsAuto"},
    },
    {
        .field = Field::MessageRetries,
        .name = "messageRetries",
        .label = marked("field label", "Msg Retries"),
        .value = textIn(&DeviceSettings::messageRetries),
        .input = digits(2),
        .initialText = "08",
        .image = {.codec = Codec::Digits, .offset = 1},
        .described = marked("field label", "Msg retries"),
        .cfg = cfgText(2, 1, 0, marked("cfg item", "Msg retries")),
        .form = {.group = FormGroup::Message, .line = 2, .tab = 18},
        .window = {.control = "edMsgRepeat"},
    },
    {
        .field = Field::MicEMessage,
        .name = "micEMessage",
        .label = marked("field label", "Mic-E msg"),
        .value = numberIn(&DeviceSettings::micEMessage),
        .input = kTypedChoice,
        .choices = kMicEMessages,
        .image = bits(2, 0x07),
        .described = marked("field label", "Mic-E msg"),
        .cfg = {3, 1, 0, CfgKind::Options, marked("cfg item", "Mic-E and flags")},
        .form = {.group = FormGroup::Main, .line = 0, .pushed = true, .gpsOnly = true, .tab = 1},
        .texts = {.spokenUnit = marked(
                      "field spoken",
                      "the status the tracker's Mic-E reports carry; choose one of the list")},
        .window = {.control = "cbMicEMsg", .label = "Label12"},
    },
    {
        .field = Field::AutoAnswerOn,
        .name = "autoAnswerOn",
        .label = marked("field label", "Enable Auto Answer"),
        .value = numberIn(&DeviceSettings::autoAnswerOn),
        .input = kFlag,
        .image = bits(2, 16),
        .described = marked("field label", "Auto answer"),
        .form = {.group = FormGroup::Message, .line = 2, .label = LabelPlace::None, .tab = 28},
        .window = {.control = "chkAutoReply"},
    },
    {
        .field = Field::Modem300,
        .name = "modem300",
        .label = marked("field label", "300 Baud Modem Speed"),
        .value = numberIn(&DeviceSettings::modem300),
        .input = kFlag,
        .image = bits(2, 32),
        .described = marked("field label", "300 Baud modem"),
        .form = {.group = FormGroup::TimingSwitches,
                 .line = 0,
                 .label = LabelPlace::None,
                 .bold = true,
                 .tab = 31},
        .window = {.control = "chk300Baud"},
    },
    {
        .field = Field::Symbol,
        .name = "symbol",
        .label = marked("field label", "ICON Symbol"),
        .value = textIn(&DeviceSettings::symbol),
        .input = {Input::Symbol, 1, Characters::Any, true},
        .initialText = ">",
        .image = {.codec = Codec::Character, .offset = 3},
        .described = marked("field label", "Symbol"),
        .cfg = cfgText(4, 1, 0, marked("cfg item", "Symbol")),
        .form = {.group = FormGroup::Main, .line = 1, .tab = 2},
        .texts = {.spokenUnit = marked("field spoken", "one character")},
        .window = {.control = "edSymbol"},
    },
    {
        .field = Field::AlternateTable,
        .name = "alternateTable",
        .label = marked("field label", "Alternate Table"),
        .value = numberIn(&DeviceSettings::alternateTable),
        .input = kFlag,
        .image = {.codec = Codec::SymbolTable, .offset = 4},
        .cfg = {5, 1, 0, CfgKind::CheckState, marked("cfg item", "Alternate Table")},
        .form = {.group = FormGroup::Main, .line = 1, .label = LabelPlace::None, .tab = 3},
        .window = {.control = "chkTable"},
    },
    {
        .field = Field::AcquisitionInterval,
        .name = "acquisitionInterval",
        .label = marked("field label", "Acquisition interval"),
        .value = textIn(&DeviceSettings::acquisitionInterval),
        .input = digits(3),
        .initialText = "100",
        .image = tensOfSeconds(5),
        .described = marked("field label", "GPS acquisition"),
        .form = {.group = FormGroup::Gps, .line = 0, .tab = 16},
        .texts = {.shownLabel = marked("field label", "Every"),
                  .caption = marked("field caption", "Acquisition interval"),
                  .spokenName = marked("field spoken", "Acquisition interval, every"),
                  .unit = marked("field unit", "sec."),
                  .spokenUnit = marked("field spoken", "seconds")},
        .window = {.control = "edGpsCheckTime"},
    },
    {
        .field = Field::AcquisitionTimeout,
        .name = "acquisitionTimeout",
        .label = marked("field label", "Acquisition timeout"),
        .value = textIn(&DeviceSettings::acquisitionTimeout),
        // Tabbing into the timeout leaves the caret before its digits.
        .input = digits(3, false),
        .initialText = "025",
        .image = {.codec = Codec::Digits, .offset = 14, .unit = ByteUnit::TenthsSecond},
        .described = marked("field label", "Acquisition timeout"),
        .cfg = cfgText(15, 9, 2, marked("cfg item", "Acquisition timeout")),
        .form = {.group = FormGroup::Gps,
                 .line = 1,
                 .label = LabelPlace::Above,
                 .noteBelow = true,
                 .tab = 17},
        .texts = {.unit = marked("field unit", "x 100 mS"),
                  .spokenUnit = marked("field spoken",
                                       "in steps of 100 milliseconds, 0 selects GPSless Mode")},
        .window = {.control = "edGpsAcqTime", .note = "Label33"},
    },
    speedBand(0, "speedInterval0", 4, "0480", marked("cfg item", "Speed table 0"),
              "esSpeedTable(0)"),
    speedBand(1, "speedInterval1", 4, "0360", marked("cfg item", "Speed table 1"),
              "esSpeedTable(1)"),
    speedBand(2, "speedInterval2", 3, "250", marked("cfg item", "Speed table 2"),
              "esSpeedTable(2)"),
    speedBand(3, "speedInterval3", 3, "180", marked("cfg item", "Speed table 3"),
              "esSpeedTable(3)"),
    speedBand(4, "speedInterval4", 3, "130", marked("cfg item", "Speed table 4"),
              "esSpeedTable(4)"),
    speedBand(5, "speedInterval5", 3, "110", marked("cfg item", "Speed table 5"),
              "esSpeedTable(5)"),
    speedBand(6, "speedInterval6", 3, "090", marked("cfg item", "Speed table 6"),
              "esSpeedTable(6)"),
    {
        .field = Field::FixedInterval,
        .name = "fixedInterval",
        .label = marked("field label", "Manual Timing"),
        .value = textIn(&DeviceSettings::fixedInterval),
        .input = digits(4),
        .initialText = "0600",
        .image = tensOfSeconds(13),
        .described = marked("field label", "Manual timing"),
        .cfg = cfgText(13, 9, 2, marked("cfg item", "Manual timing")),
        .form = {.group = FormGroup::ManualTiming, .line = 0, .tab = 8},
        .texts = {.shownLabel = marked("field label", "Every"),
                  .spokenName = marked("field spoken", "Manual Timing, every"),
                  .unit = marked("field unit", "sec."),
                  .spokenUnit = marked("field spoken", "seconds")},
        .window = {.control = "edManualTime"},
    },
    {
        .field = Field::CommentEvery,
        .name = "commentEvery",
        .label = marked("field label", "Comment every"),
        .value = textIn(&DeviceSettings::commentEvery),
        .input = digits(3),
        .initialText = "003",
        // The bits below the received-position flag; SEND sends more as their most.
        .image = {.codec = Codec::Digits,
                  .offset = 15,
                  .mask = 0x7F,
                  .unit = ByteUnit::Transmissions,
                  .most = 127},
        .described = marked("field label", "Comment every"),
        .cfg = {14, 9, 2, CfgKind::CommentAndFlag, marked("cfg item", "Comment every and flag")},
        .form = {.group = FormGroup::Main, .line = 2, .pushed = true, .gpsOnly = true, .tab = 5},
        .texts = {.unit = marked("field unit", "tx"),
                  .spokenUnit = marked("field spoken", "transmissions")},
        .window = {.control = "edBcnEvery", .label = "Label30", .unit = "Label32"},
    },
    {
        .field = Field::HideReceivedPositions,
        .name = "hideReceivedPositions",
        .label = marked("field label", "Disable display position of received stations"),
        .value = numberIn(&DeviceSettings::hideReceivedPositions),
        .input = kFlag,
        .image = {.codec = Codec::Bits, .offset = 15, .mask = 0x80, .describedNegated = true},
        .described = marked("field label", "Show received pos."),
        .form = {.group = FormGroup::Main, .line = 5, .label = LabelPlace::None, .tab = 27},
        .window = {.control = "chkRxPosition"},
    },
    {
        .field = Field::MyCall,
        .name = "myCall",
        .label = marked("field label", "MY CALLSIGN"),
        .value = textIn(&DeviceSettings::myCall),
        .input = text(9, Characters::Callsign),
        .initialText = "NOCALL-9",
        .image = {.codec = Codec::Callsign, .offset = 16},
        .described = marked("field label", "My callsign"),
        .cfg = cfgText(16, 9, 2, marked("cfg item", "My callsign")),
        .form = {.group = FormGroup::Main, .line = 2, .width = 9, .tab = 4},
        .window = {.control = "edMyCall"},
    },
    {
        .field = Field::Path,
        .name = "path",
        .label = marked("field label", "APRS PATH"),
        .value = textIn(&DeviceSettings::path),
        .input = text(19, Characters::Path),
        .initialText = "WIDE1-1,WIDE2-2",
        .image = {.codec = Codec::Path, .offset = 23},
        .described = marked("field label", "APRS path"),
        .cfg = cfgText(17, 9, 2, marked("cfg item", "APRS path")),
        .form = {.group = FormGroup::Main, .line = 3, .width = 19, .tab = 6},
        .texts = {.spokenUnit = marked("field spoken", "at most 2 digipeater addresses"),
                  .hint = marked("field hint", "Max 2 digipeater addresses")},
        .window = {.control = "edAprsPath"},
    },
    {
        .field = Field::Beacon,
        .name = "beacon",
        .label = marked("field label", "COMMENT"),
        .value = textIn(&DeviceSettings::beacon),
        .input = text(35, Characters::Beacon),
        .initialText = "Zelvar, version 4.0 - by QX9ABC Pim",
        .image = {.codec = Codec::Text, .offset = 38},
        .described = marked("field label", "Comment"),
        .cfg = cfgText(18, 9, 2, marked("cfg item", "Comment")),
        .form = {.group = FormGroup::Main, .line = 4, .counter = CounterPlace::Below, .tab = 7},
        .texts = {.hint =
                      marked("field hint", "Max 35 chars. Enter aprs Lat/Lon in GPSless Mode.")},
        .window = {.control = "edBeacon", .label = "Label6", .counter = "Label34"},
    },
    {
        .field = Field::MessageTo,
        .name = "messageTo",
        .label = marked("field label", "APRS message TO CALL"),
        .value = textIn(&DeviceSettings::messageTo),
        .input = text(9, Characters::Callsign),
        .initialText = "NOCALL",
        .image = {.codec = Codec::Callsign, .offset = 74},
        .described = marked("field label", "Message to"),
        .cfg = cfgText(19, 9, 2, marked("cfg item", "Message to call")),
        .form = {.group = FormGroup::Message, .line = 0, .width = 9, .tab = 19},
        .window = {.control = "edDestCall"},
    },
    {
        .field = Field::Message,
        .name = "message",
        .label = marked("field label", "Message"),
        .value = textIn(&DeviceSettings::message),
        .input = text(38, Characters::Message),
        .initialText = "Message sent using Zelvar, version 4.0",
        .image = {.codec = Codec::Text, .offset = 81},
        .described = marked("field label", "Message"),
        .cfg = cfgText(20, 9, 2, marked("cfg item", "Message")),
        .form = {.group = FormGroup::Message, .line = 1, .counter = CounterPlace::Below, .tab = 20},
        .texts = {.hint = marked("field hint", "Max 38 chars.")},
        .window = {.control = "edAprsMsg", .counter = "Label13"},
    },
    {
        .field = Field::AutoAnswer,
        .name = "autoAnswer",
        .label = marked("field label", "Auto Answer"),
        .value = textIn(&DeviceSettings::autoAnswer),
        // The answer takes every character the settings can hold.
        .input = text(30, Characters::Any),
        .initialText = "Msg received,i will reply soon",
        .image = {.codec = Codec::Text, .offset = 120, .prefix = "AA:"},
        .described = marked("field label", "Auto answer text"),
        .cfg = cfgText(27, 11, 3, marked("cfg item", "Auto answer")),
        .form =
            {.group = FormGroup::Message, .line = 3, .counter = CounterPlace::Beside, .tab = 30},
        .texts = {.hint = marked("field hint", "Max 30 chars.")},
        .window = {.control = "edAutoReplyMsg", .counter = "Label38"},
    },
    {
        .field = Field::PortNumber,
        .name = "portNumber",
        .label = marked("field label", "Comm num:"),
        .value = textIn(&DeviceSettings::portNumber),
        .input = digits(1),
        .initialText = "1",
        .cfg = cfgText(0, 1, 0, marked("cfg item", "Comm num")),
        .form = {.group = FormGroup::Programming, .line = 1, .tab = 21},
        .texts = {.spokenName = marked("field spoken", "Comm num"),
                  .spokenUnit = marked("field spoken", "serial port number")},
        .window = {.control = "edComm"},
    },
    {
        .field = Field::BaudRate,
        .name = "baudRate",
        .label = marked("field label", "Baud:"),
        .value = numberIn(&DeviceSettings::baudRate),
        .input = kChoice,
        .choices = kBaudRates,
        .cfg = {28, 12, 3, CfgKind::ListIndex, marked("cfg item", "Baud")},
        .form = {.group = FormGroup::Programming, .line = 2, .tab = 32},
        .texts = {.spokenName = marked("field spoken", "Baud"),
                  .spokenUnit = marked("field spoken", "serial line speed")},
        .window = {.control = "cboBaud"},
    },
}};

// The bytes a codec fills from the row's offset on; a text's include those after its 0, up to
// the most it holds.
constexpr std::size_t bytesOf(const FieldRow& row) {
    switch (row.image.codec) {
        case Codec::None:
            return 0;
        case Codec::Callsign:
            return kCallsignEntryLength;
        case Codec::Path:
            return 2 * kCallsignEntryLength + 1;
        case Codec::Text:
            return row.image.prefix.size() + row.input.length + 1;
        case Codec::Digits:
        case Codec::Bits:
        case Codec::Character:
        case Codec::SymbolTable:
            break;
    }
    return 1;
}

using enum FormGroup;
constexpr std::array<FormGroupInfo, 8> kGroups = {{
    {Main, "main", marked("form group", "Main APRS / Mic-E Settings"), Main, 0, false, true},
    // The caption the tracker's users know, two blanks and all.
    {Timing, "timing", marked("form group", "Timing  Settings"), Timing},
    {ManualTiming, "manualTiming", marked("form group", "Manual Timing"), Timing, 0},
    {Gps, "gps", marked("form group", "GPS"), Timing, 0},
    {AutomaticTiming, "automaticTiming", marked("form group", "Automatic Timing"), Timing, 1, true},
    {TimingSwitches, "timingSwitches", "", Timing, 1},
    {Message, "message", marked("form group", "Message Settings"), Message},
    {Programming, "programming", marked("form group", "Configuration / Programming"), Programming},
}};

constexpr std::array<FormActionInfo, kFormActionCount> kActions = {{
    {.action = FormAction::Calculator,
     .name = "openCalculator",
     .caption = marked("form button", "&Calculate GPSless Bcn"),
     .object = "cmdLatLon",
     .group = FormGroup::Main,
     .line = 2,
     .pushed = true,
     .gpslessOnly = true,
     .linesAbove = 1,
     .tab = 29},
    {.action = FormAction::Defaults,
     .name = "defaults",
     .caption = marked("form button", "&Default"),
     .object = "cmdDefault",
     .group = FormGroup::Programming,
     .line = 0,
     .tab = 25},
    {.action = FormAction::Save,
     .name = "save",
     .caption = marked("form button", "&Save"),
     .object = "cmdSave",
     .group = FormGroup::Programming,
     .line = 0,
     .shortcut = "Ctrl+S",
     .tab = 24},
    {.action = FormAction::Load,
     .name = "load",
     .caption = marked("form button", "&Load"),
     .object = "cmdLoad",
     .group = FormGroup::Programming,
     .line = 0,
     .shortcut = "Ctrl+O",
     .tab = 23},
    {.action = FormAction::Send,
     .name = "send",
     .caption = marked("form button", "S&END"),
     .object = "cmdSend",
     .group = FormGroup::Programming,
     .line = 1,
     .tab = 22},
    {.action = FormAction::Help,
     .name = "help",
     .caption = marked("form button", "&Help (F1)"),
     .object = "cmdHelp",
     .group = FormGroup::Programming,
     .line = 1,
     .shortcut = "F1",
     .tab = 26},
}};

// Each field once; no two fields share a bit of the image; each field and button has a place of
// its own in the keyboard order.
constexpr bool consistent() {
    std::array<int, kFieldCount> seen{};
    std::array<unsigned, 256> taken{};
    std::array<int, 64> tabs{};
    for (const FieldRow& row : kRows) {
        ++seen[static_cast<std::size_t>(row.field)];
        ++tabs[row.form.tab];
        for (std::size_t i = row.image.offset; i < row.image.offset + bytesOf(row); ++i) {
            const unsigned mask = bytesOf(row) == 1 ? row.image.mask : 0xFFu;
            if ((taken[i] & mask) != 0)
                return false;
            taken[i] |= mask;
        }
    }
    for (const FormActionInfo& action : kActions)
        ++tabs[action.tab];
    for (int count : seen) {
        if (count != 1)
            return false;
    }
    for (int count : tabs) {
        if (count > 1)
            return false;
    }
    return true;
}
static_assert(consistent(), "each field once, no shared bits, one keyboard place each");

}  // namespace

double toByte(ByteUnit unit, double number) {
    switch (unit) {
        case ByteUnit::TensOfSeconds:
            return number / 10;
        case ByteUnit::Flags:
            return number * 0.15;
        case ByteUnit::Count:
        case ByteUnit::Transmissions:
        case ByteUnit::TenthsSecond:
            break;
    }
    return number;
}

double fromByte(ByteUnit unit, double byte) {
    switch (unit) {
        case ByteUnit::TensOfSeconds:
            return byte * 10;
        case ByteUnit::Flags:
            return byte / 0.15;
        case ByteUnit::Count:
        case ByteUnit::Transmissions:
        case ByteUnit::TenthsSecond:
            break;
    }
    return byte;
}

std::span<const FieldRow> fieldRows() {
    return kRows;
}

const FieldRow& fieldRow(Field field) {
    static const std::array<const FieldRow*, kFieldCount> byField = [] {
        std::array<const FieldRow*, kFieldCount> rows{};
        for (const FieldRow& row : kRows)
            rows[static_cast<std::size_t>(row.field)] = &row;
        return rows;
    }();
    return *byField[static_cast<std::size_t>(field)];
}

std::span<const FormGroupInfo> formGroups() {
    return kGroups;
}

const FormGroupInfo& formGroupInfo(FormGroup group) {
    for (const FormGroupInfo& info : kGroups) {
        if (info.group == group)
            return info;
    }
    return kGroups.front();
}

std::span<const FormActionInfo> formActions() {
    return kActions;
}

const FormActionInfo& formAction(FormAction action) {
    return kActions[static_cast<std::size_t>(action)];
}

std::size_t imageBytes(const FieldRow& row) {
    return bytesOf(row);
}

std::size_t spareOffset() {
    std::size_t end = 0;
    for (const FieldRow& row : kRows) {
        if (row.image.codec != Codec::None)
            end = std::max(end, row.image.offset + bytesOf(row));
    }
    return end;
}

}  // namespace zelvar
