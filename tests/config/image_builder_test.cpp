#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "config/device_settings.h"

namespace zelvar {
namespace {

std::vector<std::uint8_t> bytes(const ConfigImage& image, std::size_t from, std::size_t to) {
    return {image.begin() + from, image.begin() + to + 1};
}

std::vector<std::uint8_t> ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(ImageBuilder, FactoryDefaultsGiveTheDocumentedImage) {
    DeviceSettings settings = defaultSettings();
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    EXPECT_EQ(settings, defaultSettings());  // every write-back shows the same text
    const std::vector<std::uint8_t> head = {
        0x1E, 0x08, 0x00, 0x3E, 0x2F, 0x0A, 0x30, 0x24, 0x19, 0x12, 0x0D, 0x0B, 0x09,
        0x3C, 0x19, 0x03, 0x4E, 0x4F, 0x43, 0x41, 0x4C, 0x4C, 0x39, 0x57, 0x49, 0x44,
        0x45, 0x31, 0x20, 0x31, 0x57, 0x49, 0x44, 0x45, 0x32, 0x20, 0x32, 0x00};
    EXPECT_EQ(bytes(image, 0, 37), head);
    EXPECT_EQ(bytes(image, 38, 72), ascii("Zelvar, version 4.0 - by QX9ABC Pim"));
    EXPECT_EQ(bytes(image, 74, 80), ascii("NOCALL0"));
    EXPECT_EQ(bytes(image, 81, 118), ascii("Message sent using Zelvar, version 4.0"));
    EXPECT_EQ(bytes(image, 120, 152), ascii("AA:Msg received,i will reply soon"));
    EXPECT_EQ(image[73], 0);
    EXPECT_EQ(image[119], 0);
    EXPECT_EQ(image[153], 0);
    EXPECT_EQ(bytes(image, 154, 163), std::vector<std::uint8_t>(10, 0));
}

// One field changed from the defaults, what the builder writes back and the byte it stores.
struct Normalisation {
    const char* name;
    std::function<void(DeviceSettings&)> change;
    std::function<std::string(const DeviceSettings&)> shown;
    const char* expectedText;
    std::size_t index;
    int expectedByte;
};

class NormalisationTest : public ::testing::TestWithParam<Normalisation> {};

TEST_P(NormalisationTest, WritesBackWhatTheTrackerGets) {
    const Normalisation& n = GetParam();
    DeviceSettings settings = defaultSettings();
    n.change(settings);
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    EXPECT_EQ(n.shown(settings), n.expectedText);
    EXPECT_EQ(image[n.index], n.expectedByte);
}

#define FIELD(member) [](const DeviceSettings& s) { return s.member; }
#define SET(member, value) [](DeviceSettings& s) { s.member = value; }

INSTANTIATE_TEST_SUITE_P(
    Fields, NormalisationTest,
    ::
        testing::
            Values(Normalisation{"TxDelayRaised", SET(numFlagsAuto, "10"), FIELD(numFlagsAuto),
                                 "027", 0, 4},
                   Normalisation{"TxDelay30", SET(numFlagsAuto, "030"), FIELD(numFlagsAuto), "027",
                                 0, 4},
                   Normalisation{"TxDelay200", SET(numFlagsAuto, "200"), FIELD(numFlagsAuto), "200",
                                 0, 30},
                   Normalisation{"TxDelayTooWide", SET(numFlagsAuto, "999"), FIELD(numFlagsAuto),
                                 "993", 0, 149},
                   Normalisation{"TxDelayBlank", SET(numFlagsAuto, ""), FIELD(numFlagsAuto), "027",
                                 0, 4},
                   Normalisation{"MsgRepeat", SET(msgRepeat, "8"), FIELD(msgRepeat), "08", 1, 8},
                   Normalisation{"MsgRepeatWiderThanField", SET(msgRepeat, "150"), FIELD(msgRepeat),
                                 "99", 1, 99},
                   Normalisation{"GpsCheckRaised", SET(gpsCheckTime, "5"), FIELD(gpsCheckTime),
                                 "010", 5, 1},
                   Normalisation{"GpsCheckTooWide", SET(gpsCheckTime, "997"), FIELD(gpsCheckTime),
                                 "990", 5, 99},
                   Normalisation{"GpslessMarker",
                                 [](DeviceSettings& s) {
                                     s.gpsCheckTime = "5";
                                     s.gpsAcqTime = "000";
                                 },
                                 FIELD(gpsCheckTime), "010", 5, 252},
                   Normalisation{"BandHalfToEven", SET(speedTable[3], "25"), FIELD(speedTable[3]),
                                 "020", 9, 2},
                   Normalisation{"BandHalfUp", SET(speedTable[3], "35"), FIELD(speedTable[3]),
                                 "040", 9, 4},
                   Normalisation{"SlowBandRaised", SET(speedTable[0], "3"), FIELD(speedTable[0]),
                                 "0010", 6, 1},
                   Normalisation{"FastBandRaised", SET(speedTable[6], ""), FIELD(speedTable[6]),
                                 "010", 12, 1},
                   Normalisation{"ManualTimeTop", SET(manualTime, "2554"), FIELD(manualTime),
                                 "2550", 13, 255},
                   Normalisation{"AcqTimeout", SET(gpsAcqTime, "7"), FIELD(gpsAcqTime), "007", 14,
                                 7},
                   Normalisation{"CommentRateLowered", SET(bcnEvery, "200"), FIELD(bcnEvery), "127",
                                 15, 127},
                   Normalisation{"CommentRateWithFlag",
                                 [](DeviceSettings& s) {
                                     s.bcnEvery = "200";
                                     s.rxPosition = 1;
                                 },
                                 FIELD(bcnEvery), "127", 15, 255},
                   Normalisation{
                       "SsidZeroDropped", SET(myCall, "QX9ABC-0"), FIELD(myCall), "QX9ABC",
                       22, '0'},
                   Normalisation{
                       "SsidAbove15",
                       SET(myCall, "QX9ABC-16"),
                       FIELD(myCall),
                       "QX9ABC",
                       22, '0'},
                   Normalisation{
                       "SsidKept", SET(myCall, "QX9ABC-7"), FIELD(myCall), "QX9ABC-7", 22, '7'},
                   Normalisation{
                       "SsidAsTyped",
                       SET(myCall, "QX9ABC-07"),
                       FIELD(myCall),
                       "QX9ABC-07",
                       22, '7'},
                   Normalisation{"Ssid10", SET(myCall, "AB-10"), FIELD(myCall), "AB-10", 22, ':'},
                   Normalisation{"Ssid15", SET(myCall, "AB-15"), FIELD(myCall), "AB-15", 22, '?'},
                   Normalisation{"SecondDash", SET(myCall, "AB--1"), FIELD(myCall), "AB", 22, '0'},
                   Normalisation{"SsidOfAZeroByte", SET(myCall, "NOCA--48"), FIELD(myCall), "NOCA",
                                 22, '0'},
                   Normalisation{"SsidFarBelowZero", SET(destCall, "AB--49"), FIELD(destCall), "AB",
                                 80, '0'},
                   Normalisation{
                       "LongCallCut",
                       SET(myCall, "ABCDEFG-3"), FIELD(myCall), "ABCDEF-3", 21, 'F'},
                   Normalisation{
                       "LeadingDashIsCall",
                       SET(myCall, "-9"), FIELD(myCall),
                       "-9",
                       22, '0'},
                   Normalisation{"AltTable", SET(altTable, 1), FIELD(symbol), ">", 4, 0x5C},
                   Normalisation{
                       "OptionBits",
                       [](DeviceSettings& s) {
                           s.micEMsg = 7;
                           s.autoReply = 1;
                           s.baud300 = 1;
                       },
                       FIELD(symbol), ">", 2, 7 + 16 + 32}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

TEST(ImageBuilder, PathEntries) {
    struct Case {
        const char* path;
        const char* shown;
        std::vector<std::uint8_t> bytes23to37;
    };
    auto entry = [](std::string_view text) { return ascii(text); };
    std::vector<Case> cases = {
        {"", "", std::vector<std::uint8_t>(15, 0)},
        {"WIDE2-2", "WIDE2-2",
         [&] {
             auto b = entry("WIDE2 2");
             b.resize(15, 0);
             return b;
         }()},
        {"WIDE1-1,WIDE2-2,X", "WIDE1-1,WIDE2-2,X",
         [&] {
             auto b = entry("WIDE1 1WIDE2 2");
             b.push_back(0);
             return b;
         }()},
        {"WIDE1-1,", "WIDE1-1",
         [&] {
             auto b = entry("WIDE1 1");
             b.resize(15, 0);
             return b;
         }()},
        {"  ,WIDE2-2", "WIDE2-2",
         [&] {
             auto b = entry("WIDE2 2");
             b.resize(15, 0);
             return b;
         }()},
        {" , ,A,B", "A,B",
         [&] {
             auto b = entry("A     0B     0");
             b.push_back(0);
             return b;
         }()},
        {"   ", "", std::vector<std::uint8_t>(15, 0)},
        {" , ", "", std::vector<std::uint8_t>(15, 0)},
    };
    for (const Case& c : cases) {
        DeviceSettings settings = defaultSettings();
        settings.aprsPath = c.path;
        ConfigImage image{};
        ASSERT_TRUE(buildConfigImage(settings, image)) << c.path;
        EXPECT_EQ(settings.aprsPath, c.shown);
        EXPECT_EQ(bytes(image, 23, 37), c.bytes23to37) << c.path;
    }
}

// Random texts over the characters that matter to each field, and hand-picked awkward ones.
class RecordGenerator {
  public:
    explicit RecordGenerator(unsigned seed) : random_(seed) {}

    DeviceSettings next() {
        DeviceSettings s = defaultSettings();
        s.myCall = callsign(9);
        s.aprsPath = pick({"WIDE1-1,WIDE2-2", "  ,WIDE2-2", "WIDE1-1,", "   ", " , ", ",", ",X-1",
                           " , ,A-1,B--2", "A-1,B-2,C-3"},
                          19, " ,-AW129.");
        s.destCall = callsign(9);
        s.numFlagsAuto = digits(3);
        s.msgRepeat = digits(2);
        s.gpsCheckTime = digits(3);
        s.gpsAcqTime = digits(3, '2');
        s.manualTime = digits(4, '2');
        s.bcnEvery = digits(3);
        for (std::size_t band = 0; band < s.speedTable.size(); ++band)
            s.speedTable[band] = band < 2 ? digits(4, '2') : digits(3);
        s.micEMsg = below(8);
        s.autoReply = below(2);
        s.baud300 = below(2);
        s.rxPosition = below(2);
        s.altTable = below(2);
        s.symbol = std::string(1, "/>[\\\"k"[below(5)]);
        s.beacon = text(35, "=/7I\"PPjw<> _,");
        s.aprsMsg = text(38, "abc ,\"");
        s.autoReplyMsg = text(30, "AA: ,");
        return s;
    }

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string text(std::size_t longest, std::string_view alphabet) {
        std::string t(static_cast<std::size_t>(below(static_cast<int>(longest) + 1)), ' ');
        for (char& c : t)
            c = alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
        return t;
    }
    std::string pick(std::initializer_list<const char*> awkward, std::size_t longest,
                     std::string_view alphabet) {
        if (below(3) == 0)
            return *(awkward.begin() + below(static_cast<int>(awkward.size())));
        return text(longest, alphabet);
    }
    std::string callsign(std::size_t longest) {
        return pick({"NOCALL-9", "AB--1", "NOCA--48", "QX-", "-9", "--5", "ABCDEFG-3", " X -1",
                     "A-15.6", "A-0.5", "A-1.5", "AB-16", "AB-32719", "AB-x", ",X"},
                    longest, " -,AB0159.");
    }
    // Digit texts whose first digit is at most `highest`, so that most of them fit their byte.
    std::string digits(std::size_t width, char highest = '9') {
        std::string t =
            pick({"", "999", "997", "2554", "0.5", "-0.4", "25", "127.4"}, width, "0123456789 .");
        if (!t.empty() && t.front() > highest && t.front() <= '9')
            t.front() = '0';
        return t;
    }

    std::mt19937 random_;
};

// The window shows what the tracker gets: building again from what a build wrote back changes
// neither the image nor the fields.
TEST(ImageBuilder, NormalisationIsAFixedPoint) {
    RecordGenerator generator(13);
    int built = 0;
    for (int round = 0; round < 5000; ++round) {
        DeviceSettings settings = generator.next();
        ConfigImage first{};
        if (!buildConfigImage(settings, first))
            continue;
        ++built;
        DeviceSettings again = settings;
        ConfigImage second{};
        BuildResult result = buildConfigImage(again, second);
        ASSERT_TRUE(result) << reasonOf(result);
        ASSERT_EQ(second, first) << "call '" << settings.myCall << "' path '" << settings.aprsPath
                                 << "' to '" << settings.destCall << "'";
        ASSERT_EQ(again, settings);
    }
    EXPECT_GT(built, 2500);
}

TEST(ImageBuilder, QxDashGivesEmptySsid) {
    DeviceSettings settings = defaultSettings();
    settings.destCall = "QX-";
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    EXPECT_EQ(bytes(image, 74, 80), ascii("QX    0"));
    EXPECT_EQ(settings.destCall, "QX");
}

TEST(ImageBuilder, EmptyAutoReplyStillWritesPrefix) {
    DeviceSettings settings = defaultSettings();
    settings.autoReplyMsg = "";
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    EXPECT_EQ(bytes(image, 120, 123), (std::vector<std::uint8_t>{'A', 'A', ':', 0}));
}

TEST(ImageBuilder, FullCommentEndsAtItsLastByte) {
    DeviceSettings settings = defaultSettings();
    settings.beacon = std::string(35, 'x');
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    EXPECT_EQ(image[72], 'x');
    EXPECT_EQ(image[73], 0);
    EXPECT_EQ(image[74], 'N');
}

// A failing step: the field it names, and the write-backs of the steps before it that stand.
struct FailurePoint {
    const char* name;
    std::function<void(DeviceSettings&)> change;
    Field failingField;
    std::function<void(const DeviceSettings&)> check;
};

class FailureTest : public ::testing::TestWithParam<FailurePoint> {};

TEST_P(FailureTest, StopsAtTheStepAndKeepsEarlierWriteBacks) {
    const FailurePoint& f = GetParam();
    DeviceSettings settings = defaultSettings();
    f.change(settings);
    ConfigImage image{};
    BuildResult result = buildConfigImage(settings, image);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().field, f.failingField) << reasonOf(result);
    EXPECT_FALSE(reasonOf(result).empty());
    f.check(settings);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureTest,
    ::testing::Values(
        FailurePoint{"MsgRepeatOver255",
                     [](DeviceSettings& s) {
                         s.numFlagsAuto = "10";
                         s.msgRepeat = "256";
                         s.gpsCheckTime = "5";
                     },
                     Field::MsgRepeat,
                     [](const DeviceSettings& s) {
                         EXPECT_EQ(s.numFlagsAuto, "027");
                         EXPECT_EQ(s.gpsCheckTime, "5");
                     }},
        FailurePoint{"MicENoEntry", SET(micEMsg, -1), Field::MicEMsg, [](auto&) {}},
        FailurePoint{"MicENoEntryWithFlags",
                     [](DeviceSettings& s) {
                         s.micEMsg = -1;
                         s.autoReply = 1;
                     },
                     Field::MicEMsg, [](auto&) {}},
        FailurePoint{"EmptySymbol",
                     [](DeviceSettings& s) {
                         s.symbol = "";
                         s.msgRepeat = "8";
                         s.gpsCheckTime = "5";
                     },
                     Field::Symbol,
                     [](const DeviceSettings& s) {
                         EXPECT_EQ(s.msgRepeat, "08");
                         EXPECT_EQ(s.gpsCheckTime, "5");
                     }},
        FailurePoint{"ManualTime2555",
                     [](DeviceSettings& s) {
                         s.manualTime = "2555";
                         s.speedTable[6] = "5";
                         s.gpsAcqTime = "7";
                     },
                     Field::ManualTime,
                     [](const DeviceSettings& s) {
                         EXPECT_EQ(s.speedTable[6], "010");
                         EXPECT_EQ(s.gpsAcqTime, "7");
                     }},
        FailurePoint{"SlowBand2555", SET(speedTable[1], "2555"), Field::SpeedTable1, [](auto&) {}},
        FailurePoint{"AcqTimeout256", SET(gpsAcqTime, "256"), Field::GpsAcqTime, [](auto&) {}},
        FailurePoint{"NegativeCommentRate", SET(bcnEvery, "-1"), Field::BcnEvery, [](auto&) {}},
        FailurePoint{"NegativeCommentRateWithFlag",
                     [](DeviceSettings& s) {
                         s.bcnEvery = "-1";
                         s.rxPosition = 1;
                     },
                     Field::BcnEvery, [](auto&) {}},
        FailurePoint{"SsidTooLarge",
                     [](DeviceSettings& s) {
                         s.myCall = "AB-32720";
                         s.bcnEvery = "200";
                     },
                     Field::MyCall, [](const DeviceSettings& s) { EXPECT_EQ(s.bcnEvery, "127"); }},
        // The largest SSID passes its step: the build goes on and stops at the message after it.
        FailurePoint{"SsidLargestAllowed",
                     [](DeviceSettings& s) {
                         s.destCall = "AB-32719";
                         s.aprsMsg = std::string(39, 'm');
                     },
                     Field::AprsMsg, [](const DeviceSettings& s) { EXPECT_EQ(s.destCall, "AB"); }},
        FailurePoint{"PathSsidTooLarge",
                     [](DeviceSettings& s) {
                         s.aprsPath = "WIDE1-1,W-99999";
                         s.myCall = "QX9ABC-0";
                     },
                     Field::AprsPath,
                     [](const DeviceSettings& s) {
                         EXPECT_EQ(s.myCall, "QX9ABC");
                         EXPECT_EQ(s.aprsPath, "WIDE1-1,W-99999");
                     }},
        FailurePoint{"CallsignTooLong", SET(myCall, "ABCDEFGHIJ"), Field::MyCall, [](auto&) {}},
        FailurePoint{"PathTooLong", SET(aprsPath, "WIDE1-1,WIDE2-2,WIDE3"), Field::AprsPath,
                     [](auto&) {}},
        FailurePoint{"CommentTooLong",
                     [](DeviceSettings& s) {
                         s.beacon = std::string(36, 'c');
                         s.myCall = "QX9ABC-0";
                     },
                     Field::Beacon, [](const DeviceSettings& s) { EXPECT_EQ(s.myCall, "QX9ABC"); }},
        FailurePoint{"DestTooLong", SET(destCall, "ABCDEFGHIJ"), Field::DestCall, [](auto&) {}},
        FailurePoint{"MessageTooLong",
                     [](DeviceSettings& s) {
                         s.aprsMsg = std::string(39, 'm');
                         s.destCall = "AB-0";
                     },
                     Field::AprsMsg, [](const DeviceSettings& s) { EXPECT_EQ(s.destCall, "AB"); }},
        FailurePoint{"AnswerTooLong", SET(autoReplyMsg, std::string(31, 'a')), Field::AutoReplyMsg,
                     [](auto&) {}}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

// The callsign is checked last, after the whole image is built and written back.
TEST(ImageBuilder, EmptyCallsignFailsAfterCompleteImage) {
    DeviceSettings settings = defaultSettings();
    settings.myCall = "   ";
    settings.destCall = "AB-0";
    ConfigImage image{};
    BuildResult result = buildConfigImage(settings, image);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().field, Field::MyCall);
    EXPECT_EQ(settings.myCall, "");
    EXPECT_EQ(settings.destCall, "AB");
    EXPECT_EQ(image[120], 'A');  // every step ran
}

TEST(ImageBuilder, RebuildStartsFromZero) {
    DeviceSettings settings = defaultSettings();
    ConfigImage image;
    image.fill(0xAA);
    ASSERT_TRUE(buildConfigImage(settings, image));
    EXPECT_EQ(image[163], 0);
    EXPECT_EQ(image[37], 0);
}

}  // namespace
}  // namespace zelvar
