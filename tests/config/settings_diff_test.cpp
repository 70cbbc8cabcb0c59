#include "config/settings_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_support.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

// The factory defaults against the defaults with some fields typed.
struct DiffCase {
    const char* name;
    Changes typed;
    std::vector<std::string> differing;  // "name: first -> second"; none: the same bytes
};

class SettingsDiffTest : public ::testing::TestWithParam<DiffCase> {};

TEST_P(SettingsDiffTest, ListsWhatTheTrackerGetsDifferently) {
    const SettingsDiff diff =
        diffSettings(defaultSettings(), changed(defaultSettings(), GetParam().typed));
    ASSERT_TRUE(diff.first && diff.second) << diff.second.reason;
    std::vector<std::string> differing;
    for (const SettingDifference& d : diff.differences)
        differing.push_back(d.name + ": " + d.first + " -> " + d.second);
    EXPECT_EQ(differing, GetParam().differing);
    EXPECT_EQ(diff.sameBytes, GetParam().differing.empty());
}

const DiffCase kDiffCases[] = {
    {"SerialLinkOnly", {{CommPort, "3"}, {BaudRate, "2"}}, {}},
    {"CallsignSpellings",
     {{MyCall, " NOCALL-9"}, {DestCall, "NOCALL-0"}, {AprsPath, "WIDE1-1,WIDE2-2,"}},
     {}},
    {"SharedOptionByte",
     {{MicEMsg, "3"}, {AutoReply, "1"}},
     {"Mic-E msg: 0 Off Duty -> 3 Returning", "Auto answer: off -> on"}},
    {"Gpsless",
     {{GpsAcqTime, "000"}},
     {"GPS acquisition: every 100 s -> GPSless Mode (byte 5 = 252)",
      "Acquisition timeout: 2500 ms -> 0 ms"}},
    {"SpeedBandAndDisplayFlag",
     {{SpeedTable6, "100"}, {RxPosition, "1"}},
     {"Speed > 125 Km/h: every 90 s -> every 100 s", "Show received pos.: on -> off"}},
    {"NoPath", {{AprsPath, ""}}, {"APRS path: \"WIDE1-1,WIDE2-2\" -> (none)"}},
    {"Texts",
     {{Beacon, "x"}, {AutoReplyMsg, ""}},
     {"Comment: \"Zelvar, version 4.0 - by QX9ABC Pim\" -> \"x\"",
      "Auto answer text: \"AA:Msg received,i will reply soon\" -> \"AA:\""}},
};
INSTANTIATE_TEST_SUITE_P(Changes, SettingsDiffTest, ::testing::ValuesIn(kDiffCases), kRowName);

// The TX delay and a failing first record: tests/cli/diff.sh.
TEST(SettingsDiff, NamesTheRecordThatFailsToBuild) {
    const SettingsDiff diff =
        diffSettings(defaultSettings(), changed(defaultSettings(), {{MyCall, ""}}));
    EXPECT_TRUE(diff.first && !diff.second && diff.second.field == MyCall);
    EXPECT_TRUE(!diff.sameBytes && diff.differences.empty());
}

}  // namespace
}  // namespace zelvar
