#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "config/config_image.h"
#include "config/fields.h"
#include "config/image_decoder.h"
#include "config/image_description.h"
#include "config/image_writer.h"
#include "config/input_rules.h"
#include "config/settings_diff.h"
#include "settings_support.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;
using namespace std::literals;

// Builds the defaults with `typed` and checks that the build wrote back `shown` and nothing else.
BuildResult build(const Changes& typed, const Changes& shown, ConfigImage& image) {
    DeviceSettings settings = changed(defaultSettings(), typed);
    const BuildResult result = buildConfigImage(settings, image);
    EXPECT_TRUE(sameFields(settings, changed(changed(defaultSettings(), typed), shown)));
    return result;
}

// Bytes 23 to 37 are the digipeaters as the tracker gets them, 0 after the last address. A build
// over an old image starts from zeros.
struct Normalisation {
    const char* name;
    Changes typed;
    Changes shown;
    std::size_t index;
    std::string_view bytes;
};
const std::string_view kFactoryImage =
    "\x1E\x08\x00\x3E\x2F\x0A\x30\x24\x19\x12\x0D\x0B\x09\x3C\x19\x03NOCALL9WIDE1 1WIDE2 2\0"
    "Zelvar, version 4.0 - by QX9ABC Pim\0NOCALL0Message sent using Zelvar, version 4.0\0"
    "AA:Msg received,i will reply soon\0\0\0\0\0\0\0\0\0\0\0"sv;
const Normalisation kNormalisations[] = {
    {"FactoryDefaults", {}, {}, 0, kFactoryImage},
    {"TxDelayHalfToEven", {{TxDelay, "030"}}, {{TxDelay, "027"}}, 0, "\x04"},
    {"TxDelayTooWide", {{TxDelay, "999"}}, {{TxDelay, "993"}}, 0, "\x95"},
    {"MsgRepeatFromAFile", {{MessageRetries, "150"}}, {}, 1, "\x96"},
    {"GpsCheckTooWide", {{AcquisitionInterval, "997"}}, {{AcquisitionInterval, "990"}}, 5, "\x63"},
    {"Gpsless",
     {{AcquisitionInterval, "5"}, {AcquisitionTimeout, "000"}},
     {{AcquisitionInterval, "010"}},
     5,
     "\xFC"},
    {"BandHalfToEven", {{SpeedInterval3, "25"}}, {{SpeedInterval3, "020"}}, 9, "\x02"},
    {"BandHalfUp", {{SpeedInterval3, "35"}}, {{SpeedInterval3, "040"}}, 9, "\x04"},
    {"SlowBandRaised", {{SpeedInterval0, "3"}}, {{SpeedInterval0, "0010"}}, 6, "\x01"},
    {"ManualTimeTop", {{FixedInterval, "2554"}}, {{FixedInterval, "2550"}}, 13, "\xFF"},
    {"AcqTimeout", {{AcquisitionTimeout, "7"}}, {{AcquisitionTimeout, "007"}}, 14, "\x07"},
    {"CommentRateLowered", {{CommentEvery, "200"}}, {{CommentEvery, "127"}}, 15, "\x7F"},
    {"RateWithFlag",
     {{CommentEvery, "200"}, {HideReceivedPositions, "1"}},
     {{CommentEvery, "127"}},
     15,
     "\xFF"},
    {"SsidZeroDropped", {{MyCall, "QX9ABC-0"}}, {{MyCall, "QX9ABC"}}, 22, "0"},
    {"SsidAbove15", {{MyCall, "QX9ABC-16"}}, {{MyCall, "QX9ABC"}}, 22, "0"},
    {"Ssid15", {{MyCall, "AB-15"}}, {}, 22, "?"},
    {"SsidAsTyped", {{MyCall, "QX9ABC-07"}}, {}, 22, "7"},
    {"SsidOfAZeroByte", {{MyCall, "NOCA--48"}}, {{MyCall, "NOCA"}}, 22, "0"},
    {"LongCallCut", {{MyCall, "ABCDEFG-3"}}, {{MyCall, "ABCDEF-3"}}, 21, "F"},
    {"LeadingDashIsCall", {{MyCall, "-9"}}, {}, 22, "0"},
    {"NoPath", {{Path, ""}}, {}, 23, "\0"sv},
    {"PathEndsInComma", {{Path, "WIDE1-1,"}}, {{Path, "WIDE1-1"}}, 23, "WIDE1 1\0"sv},
    {"PathBlanks", {{Path, " , ,A,B"}}, {{Path, "A,B"}}, 23, "A     0B     0\0"sv},
    {"PathOnlyBlanks", {{Path, " , "}}, {{Path, ""}}, 23, "\0"sv},
    {"PathThirdDropped", {{Path, "WIDE1-1,WIDE2-2,X"}}, {}, 23, "WIDE1 1WIDE2 2\0"sv},
    {"PathCommaInCall", {{Path, ",X-1"}}, {}, 23, ",X    1\0"sv},
    {"DestDashWithoutSsid", {{MessageTo, "QX-"}}, {{MessageTo, "QX"}}, 80, "0"},
    {"DestSsidBelowZero", {{MessageTo, "AB--1"}}, {{MessageTo, "AB"}}, 80, "0"},
    {"EmptyAnswerKeepsPrefix", {{AutoAnswer, ""}}, {}, 120, "AA:\0"sv},
    {"SymbolOfTwoKept", {{Symbol, "ab"}}, {}, 3, "a"},
    {"AltTable", {{AlternateTable, "1"}}, {}, 4, "\\"},
    {"OptionBits", {{MicEMessage, "7"}, {AutoAnswerOn, "1"}, {Modem300, "1"}}, {}, 2, "\x37"},
};

TEST(ImageBuilder, WritesBackWhatTheTrackerGets) {
    for (const Normalisation& row : kNormalisations) {
        SCOPED_TRACE(row.name);
        ConfigImage image;
        image.fill(0xAA);
        EXPECT_TRUE(build(row.typed, row.shown, image));
        EXPECT_EQ(
            std::string(image.begin() + row.index, image.begin() + row.index + row.bytes.size()),
            row.bytes);
    }
}

// A number that stands wider than its field, as a file can hold it (2000 s in a three-digit
// band, 150 retries), goes as its byte rounds it and is shown as wide; only a number that the
// rounding makes one digit wider than the field and than itself (999 ms is 150 flags, 1000 ms)
// is lowered, to what the field can show.
TEST(ImageBuilder, SendsANumberWiderThanItsFieldAsItStands) {
    int wide = 0;
    for (const FieldRow& row : fieldRows()) {
        if (row.image.codec != Codec::Digits || row.image.most)
            continue;
        const int width = row.input.length;
        for (int number = 1; number < 100000; ++number) {
            const std::string typed = std::to_string(number);
            const double byte = std::nearbyint(toByte(row.image.unit, number));
            if (byte > 255)
                break;
            if (typed.size() <= static_cast<std::size_t>(width) ||
                (row.image.least && number < *row.image.least))
                continue;
            ++wide;
            SCOPED_TRACE(std::string(fieldName(row.field)) + " " + typed);
            DeviceSettings settings = changed(defaultSettings(), {{row.field, typed}});
            ConfigImage image{};
            ASSERT_TRUE(buildConfigImage(settings, image));
            EXPECT_EQ(image[row.image.offset], byte);
            EXPECT_LE(fieldText(settings, row.field)->size(), typed.size());
        }
    }
    EXPECT_GT(wide, 5000);
}

// Earlier steps keep their write-backs, later ones leave their fields as typed. A number out of
// its byte's range is named with the limit it passes, and that limit builds.
struct FailureRow {
    const char* name;
    Changes typed;
    Changes shown;
    Field field;
    std::string_view outOfRange = "";
};
const std::string kLong(39, 'm');  // one more than any text field takes

const FailureRow kFailures[] = {
    {"Repeat256", {{TxDelay, "1"}, {MessageRetries, "256"}}, {{TxDelay, "027"}}, MessageRetries},
    {"MicENoEntry", {{MicEMessage, "-1"}}, {}, MicEMessage},
    {"MicEBeyondList", {{MicEMessage, "8"}}, {}, MicEMessage},
    {"EmptySymbol", {{Symbol, ""}, {AcquisitionInterval, "5"}}, {}, Symbol},
    {"Manual2555",
     {{FixedInterval, "2555"}, {SpeedInterval6, "5"}},
     {{SpeedInterval6, "010"}},
     FixedInterval},
    {"NegativeCommentRateWithFlag",
     {{CommentEvery, "-1"}, {HideReceivedPositions, "1"}},
     {},
     CommentEvery},
    {"SsidTooLarge",
     {{MyCall, "AB-32720"}, {CommentEvery, "200"}},
     {{CommentEvery, "127"}},
     MyCall},
    {"SsidLargestAllowed",
     {{MessageTo, "AB-32719"}, {Message, kLong}},
     {{MessageTo, "AB"}},
     Message},
    {"PathSsidTooLarge", {{Path, "A-1,W-99999"}, {MyCall, "AB-0"}}, {{MyCall, "AB"}}, Path},
    {"CallsignTooLong", {{MyCall, "ABCDEFGHIJ"}}, {}, MyCall},
    {"PathTooLong", {{Path, "WIDE1-1,WIDE2-2,WIDE3"}}, {}, Path},
    {"CommentTooLong", {{Beacon, kLong}, {MyCall, "AB-0"}}, {{MyCall, "AB"}}, Beacon},
    {"DestTooLong", {{MessageTo, "ABCDEFGHIJ"}}, {}, MessageTo},
    {"AnswerTooLong", {{AutoAnswer, kLong}}, {}, AutoAnswer},
    // Checked last, when every step has written back.
    {"EmptyCall", {{MyCall, " "}, {MessageTo, "AB-0"}}, {{MyCall, ""}, {MessageTo, "AB"}}, MyCall},
    {"SlowBand", {{SpeedInterval0, "2555"}}, {}, SpeedInterval0, "2555 is above the limit 2554"},
    {"FastBand", {{SpeedInterval4, "3000"}}, {}, SpeedInterval4, "3000 is above the limit 2554"},
    {"AcqTimeout",
     {{AcquisitionTimeout, "256"}},
     {},
     AcquisitionTimeout,
     "256 is above the limit 255"},
    {"RepeatFraction",
     {{MessageRetries, "300.5"}},
     {},
     MessageRetries,
     "300.5 is above the limit 255"},
    {"RepeatNegative", {{MessageRetries, "-1"}}, {}, MessageRetries, "-1 is below the limit 0"},
    {"RateNegative", {{CommentEvery, "-3"}}, {}, CommentEvery, "-3 is below the limit 0"},
};

TEST(ImageBuilder, StopsAtTheFailingStepAndKeepsEarlierWriteBacks) {
    for (const FailureRow& row : kFailures) {
        SCOPED_TRACE(row.name);
        ConfigImage image{};
        const BuildResult result = build(row.typed, row.shown, image);
        ASSERT_FALSE(result);
        const std::string label = std::string(fieldLabel(row.field)) + ": ";
        EXPECT_EQ(result.error().field, row.field) << result.error().reason;
        EXPECT_TRUE(result.error().reason.starts_with(label)) << result.error().reason;
        // A diff names it as the record that fails (when first: FileCommands.DiffLists...).
        const SettingsDiff diff =
            diffSettings(defaultSettings(), changed(defaultSettings(), row.typed));
        EXPECT_TRUE(diff.first && !diff.second && diff.second.error().field == row.field);
        EXPECT_TRUE(!diff.sameBytes && diff.differences.empty());
        if (row.outOfRange.empty())
            continue;
        EXPECT_EQ(result.error().reason, label + std::string(row.outOfRange));
        const std::string_view limit = row.outOfRange.substr(row.outOfRange.rfind(' ') + 1);
        DeviceSettings atLimit = changed(defaultSettings(), {{row.field, std::string(limit)}});
        EXPECT_TRUE(buildConfigImage(atLimit, image)) << limit;
    }
}

// The decoder on generated images, whose spare bytes stay zero: CfgReader.GeneratedRecords...
TEST(ImageDecoder, CountsTheSpareBytesInUse) {
    ConfigImage image{};
    image[spareOffset()] = 1;
    image[kImageSize - 1] = 0xFF;
    EXPECT_EQ(decodeImage(image).spareNonZero, 2);
}

// Another sender's image, as the receiving end decodes it: what its bytes hold, also where our
// builder would have written them otherwise. The tracker's rules send 'AB--1' with the SSID
// character '/', one below '0'; a 0 byte is 48 below; a table byte is '/' or '\\' or neither.
TEST(ImageDecoder, ShowsWhatAnotherSendersBytesHold) {
    DeviceSettings settings = defaultSettings();
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    image[fieldRow(MyCall).image.offset + kCallsignLength] = '/';
    image[fieldRow(MessageTo).image.offset + kCallsignLength] = 0;
    const std::size_t answer = fieldRow(AutoAnswer).image.offset;
    image[answer] = 'X';
    image[fieldRow(AlternateTable).image.offset] = 'Y';
    const DecodedImage decoded = decodeImage(image);
    EXPECT_EQ(decoded.settings.myCall, "NOCALL--1");
    EXPECT_EQ(decoded.settings.messageTo, "NOCALL--48");
    std::vector<std::string> shown;
    for (const TrackerSetting& setting : describeImage(image, decoded)) {
        if (setting.first == fieldRow(Symbol).image.offset ||
            setting.first == fieldRow(MyCall).image.offset ||
            setting.first == fieldRow(MessageTo).image.offset || setting.first == answer)
            shown.push_back(setting.value);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"\">\" (table Y)", "\"NOCALL--1\"", "\"NOCALL--48\"",
                                               "\"XA:Msg received,i will reply soon\""}));
}

// What no field of ours reads, another sender may still have set: the option byte's spare bits,
// the path's end-of-list byte, bytes after a text's 0, a text without its 0, the spaces before a
// callsign. Each shows on the row that holds it; our own images show none of it.
TEST(ImageDescription, ShowsTheBytesNoFieldReads) {
    ConfigImage ours{};
    DeviceSettings settings = changed(defaultSettings(), {{Path, "WIDE1-1"}, {Beacon, "Hi"}});
    ASSERT_TRUE(buildConfigImage(settings, ours));
    const std::size_t path = fieldRow(Path).image.offset;
    const std::size_t beacon = fieldRow(Beacon).image.offset;
    const std::size_t answerEnd = spareOffset();
    const struct {
        const char* name;
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes;
        std::string_view row;
        std::string value;
    } cases[] = {
        {"option spare bits", {{2, 0xC8}}, "Mic-E msg", "0 Off Duty; reserved bits 0xC8 set"},
        {"end of the address list",
         {{path + 14, 'A'}},
         "APRS path",
         "\"WIDE1-1\"; past its end: byte 37 = 65"},
        {"after the second entry's 0",
         {{path + 8, 'B'}, {path + 14, 1}},
         "APRS path",
         "\"WIDE1-1\"; past its end: byte 31 = 66, byte 37 = 1"},
        {"after a text's 0", {{beacon + 5, 'x'}}, "Comment", "\"Hi\"; past its end: byte 43 = 120"},
        {"a text without its 0",
         {},
         "Auto answer text",
         "\"AA:Msg received,i will reply soonZ\"; no 0 byte in its 34 bytes: read on past them"},
        {"spare bytes", {{answerEnd + 1, 7}}, "Spare bytes", "1 not zero: byte 155 = 7"},
        {"a callsign's leading space",
         {{fieldRow(MyCall).image.offset, ' '}},
         "My callsign",
         "\" OCALL-9\""},
        {"an address's leading space", {{path, ' '}}, "APRS path", "\" IDE1-1\""},
    };
    for (const auto& c : cases) {
        ConfigImage image = ours;
        for (const auto& [index, byte] : c.bytes)
            image[index] = byte;
        if (c.bytes.empty()) {
            image[answerEnd - 1] = 'Z';
        }
        const std::vector<TrackerSetting> rows = describeImage(image, decodeImage(image));
        const std::vector<TrackerSetting> before = describeImage(ours, decodeImage(ours));
        ASSERT_EQ(rows.size(), before.size()) << c.name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].name, before[i].name) << c.name;
            if (rows[i].name == c.row)
                EXPECT_EQ(rows[i].value, c.value) << c.name;
            else
                EXPECT_EQ(rows[i].value, before[i].value) << c.name << ": " << rows[i].name;
        }
    }
}

// Two images that differ in any bit never get the same description, so decode, diff and the
// preview hide nothing another sender put in an image.
TEST(ImageDescription, TellsEveryDifferentImageApart) {
    std::vector<DeviceSettings> settings = {
        defaultSettings(),
        changed(defaultSettings(),
                {{Path, "WIDE1-1"}, {Beacon, "Hi"}, {Message, "m"}, {AutoAnswer, ""}}),
        changed(defaultSettings(), {{Path, ""}, {AcquisitionTimeout, "0"}}),
    };
    std::vector<ConfigImage> starts(settings.size());
    for (std::size_t i = 0; i < settings.size(); ++i)
        ASSERT_TRUE(buildConfigImage(settings[i], starts[i]));
    std::mt19937 random(164);
    std::uniform_int_distribution<std::size_t> place(0, kImageSize - 1);
    std::uniform_int_distribution<int> value(0, 255);
    std::uniform_int_distribution<int> count(1, 3);
    std::map<std::vector<std::string>, ConfigImage> seen;
    for (int i = 0; i < 4000; ++i) {
        ConfigImage image = starts[static_cast<std::size_t>(i) % starts.size()];
        for (int n = count(random); n > 0; --n)
            image[place(random)] = static_cast<std::uint8_t>(value(random));
        std::vector<std::string> shown;
        for (const TrackerSetting& row : describeImage(image, decodeImage(image)))
            shown.push_back(row.value);
        const auto [it, added] = seen.emplace(shown, image);
        EXPECT_TRUE(added || it->second == image) << testing::PrintToString(shown);
    }
}

TEST(SettingsDiff, ListsWhatTheTrackerGetsDifferently) {
    const std::pair<Changes, std::vector<std::string>> cases[] = {
        {{{PortNumber, "3"}, {BaudRate, "2"}}, {}},
        {{{MyCall, " NOCALL-9"}, {MessageTo, "NOCALL-0"}, {Path, "WIDE1-1,WIDE2-2,"}}, {}},
        {{{MicEMessage, "3"}, {AutoAnswerOn, "1"}},
         {"Mic-E msg: 0 Off Duty -> 3 Returning", "Auto answer: off -> on"}},
        {{{AcquisitionTimeout, "000"}},
         {"GPS acquisition: every 100 s -> GPSless Mode (byte 5 = 252)",
          "Acquisition timeout: 2500 ms -> 0 ms"}},
        {{{SpeedInterval6, "100"}, {HideReceivedPositions, "1"}},
         {"Speed > 125 Km/h: every 90 s -> every 100 s", "Show received pos.: on -> off"}},
        {{{Path, ""}}, {"APRS path: \"WIDE1-1,WIDE2-2\" -> (none)"}},
        {{{Beacon, "x"}, {AutoAnswer, ""}},
         {"Comment: \"Zelvar, version 4.0 - by QX9ABC Pim\" -> \"x\"",
          "Auto answer text: \"AA:Msg received,i will reply soon\" -> \"AA:\""}},
    };
    for (const auto& [typed, expected] : cases) {
        const SettingsDiff diff =
            diffSettings(defaultSettings(), changed(defaultSettings(), typed));
        ASSERT_TRUE(diff.first && diff.second) << reasonOf(diff.second);
        std::vector<std::string> differing;
        for (const SettingDifference& d : diff.differences)
            differing.push_back(d.name + ": " + d.first + " -> " + d.second);
        EXPECT_EQ(differing, expected);
        EXPECT_EQ(diff.sameBytes, expected.empty());
    }
}

// What a field keeps of typed text, character by character, up to its length.
template <typename Which>
std::string keep(Which field, std::string_view typed, bool gpsless = false) {
    const InputRule& rule = inputRule(field);
    std::string kept;
    for (char c : typed) {
        const int code = acceptedCode(rule, static_cast<unsigned char>(c), gpsless);
        if (code != kDroppedKey && (rule.maxLength == 0 || kept.size() < rule.maxLength))
            kept += static_cast<char>(code);
    }
    return kept;
}

TEST(InputRules, FieldsKeepWhatTheTrackerCanUse) {
    const std::string quotesAndBraces = "a'b`c{d|e~f}g\xE9";
    const std::tuple<Field, std::string, std::string, bool> rows[] = {
        {MyCall, "ab-1/ c,q\xE9", "AB-1CQ", false},
        {MessageTo, "qx9abc-123", "QX9ABC-12", false},
        {Path, "wide1-1,wide2-2,wide3 a/b.", "WIDE1-1,WIDE2-2,WID", false},
        {Message, "{|~}\x7F\xE9x", "}x", false},
        {AutoAnswer, "a{|~}\xE9\t\x7F\x85\x9F\xA0", "a{|~}\xE9\xA0", false},
        {Beacon, quotesAndBraces, "abcdefg", false},
        {Beacon, quotesAndBraces, "a'b`c{defg", true},
        {Symbol, "\x7F_x", "_", false},
        {TxDelay, "1a2-3 4", "123", false},
        {SpeedInterval0, "98765", "9876", false},
        {SpeedInterval2, "+1234", "123", false},
        {PortNumber, "x12", "1", false},
        {AlternateTable, "01", "", false}};
    for (const auto& [field, typed, kept, gpsless] : rows)
        EXPECT_EQ(keep(field, typed, gpsless), kept) << fieldName(field) << " " << typed;
    // An input method's full-width forms go in as the ASCII they stand for; no other wide one.
    EXPECT_EQ(acceptedCode(inputRule(MyCall), 0xFF51, false), 'Q');
    EXPECT_EQ(acceptedCode(inputRule(TxDelay), 0xFF12, false), '2');
    EXPECT_EQ(acceptedCode(inputRule(CalculatorField::Latitude), 0xFF0E, false), '.');
    EXPECT_EQ(acceptedCode(inputRule(Beacon), 0x3000, false), ' ');
    EXPECT_EQ(acceptedCode(inputRule(Beacon), 0xFF5F, false), kDroppedKey);
    // A Japanese one's comma and point: dropped, two path entries ran into one, "123。5" was 1235.
    EXPECT_EQ(acceptedCode(inputRule(Path), 0x3001, false), ',');
    EXPECT_EQ(acceptedCode(inputRule(CalculatorField::Altitude), 0x3002, false), '.');
    EXPECT_EQ(acceptedCode(inputRule(CalculatorField::Latitude), 0xFF61, false), '.');
    // Its long-vowel mark, which its minus key types: dropped, "ー１１。５" was 11.5 and
    // "ＷＩＤＥ１ー１" WIDE11.
    for (const int mark : {0x30FC, 0xFF70}) {
        EXPECT_EQ(acceptedCode(inputRule(CalculatorField::Longitude), mark, false), '-');
        EXPECT_EQ(acceptedCode(inputRule(Path), mark, false), '-');
        EXPECT_EQ(acceptedCode(inputRule(MyCall), mark, true), '-');
        EXPECT_EQ(acceptedCode(inputRule(TxDelay), mark, false), kDroppedKey);
    }
    // The calculator reads decimals: a decimal comma (a German keypad's) is the point, where
    // dropped it made "300,4" 3004 metres and "4,5" 45 degrees. Elsewhere a comma stays a comma.
    EXPECT_EQ(keep(CalculatorField::Altitude, "300,4"), "300.4");
    EXPECT_EQ(keep(CalculatorField::Latitude, "4,5"), "4.5");
    EXPECT_EQ(keep(CalculatorField::Longitude, "-9,175"), "-9.175");
    EXPECT_EQ(acceptedCode(inputRule(CalculatorField::Altitude), 0xFF0C, false), '.');
    EXPECT_EQ(keep(Path, "wide1-1,wide2-1"), "WIDE1-1,WIDE2-1");
    // A Turkish keyboard's two i: its dotless one, and the dotted capital that Caps Lock or a
    // phone's capitals make of i. Where letters go in raised both are I; elsewhere neither fits.
    for (const int turkish : {0x131, 0x130}) {
        EXPECT_EQ(acceptedCode(inputRule(MyCall), turkish, false), 'I');
        EXPECT_EQ(acceptedCode(inputRule(Path), turkish, false), 'I');
        EXPECT_EQ(acceptedCode(inputRule(CalculatorField::Latitude), turkish, false), 'I');
        EXPECT_EQ(acceptedCode(inputRule(Beacon), turkish, false), kDroppedKey);
    }
}

// Every notation's characters: signs, blanks, the marks of degrees, minutes and seconds as
// Latin-1 has them, the axis' hemisphere letters, in Latitude a locator's letters A-X, and in
// Longitude the O that some languages write for west, which the reader refuses by name.
TEST(InputRules, CalculatorTakesTheCharactersOfEveryNotation) {
    EXPECT_EQ(keep(CalculatorField::Latitude, "n-+45.3s0ew;xyz"), "N-+45.3S0EWX");
    EXPECT_EQ(keep(CalculatorField::Latitude,
                   "45\xb0"
                   "30'09\"\xba\xb4;"),
              "45\xb0"
              "30'09\"\xba\xb4");
    EXPECT_EQ(keep(CalculatorField::Longitude, "e -+9.w0nso\xb0'"), "E -+9.W0O\xb0'");
    EXPECT_EQ(keep(CalculatorField::Altitude, "-12.3456m"), "-12.3");
}

}  // namespace
}  // namespace zelvar
