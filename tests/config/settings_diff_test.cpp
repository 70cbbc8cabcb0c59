#include "config/settings_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zelvar {
namespace {

// The factory defaults against the defaults with one change.
struct DiffCase {
    const char* name;
    std::function<void(DeviceSettings&)> change;
    std::vector<std::string> differing;  // "name: first -> second"; none: the same bytes
};

class SettingsDiffTest : public ::testing::TestWithParam<DiffCase> {};

TEST_P(SettingsDiffTest, ListsWhatTheTrackerGetsDifferently) {
    const DeviceSettings defaults = defaultSettings();
    DeviceSettings changed = defaults;
    GetParam().change(changed);
    const DeviceSettings asGiven = changed;
    SettingsDiff diff = diffSettings(defaults, changed);
    ASSERT_TRUE(diff.first && diff.second) << reasonOf(diff.first) << reasonOf(diff.second);
    EXPECT_EQ(changed, asGiven);  // built on copies
    std::vector<std::string> differing;
    for (const SettingDifference& d : diff.differences) {
        differing.push_back(d.name + ": " + d.first + " -> " + d.second);
    }
    EXPECT_EQ(differing, GetParam().differing);
    EXPECT_EQ(diff.sameBytes, GetParam().differing.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SettingsDiffTest,
    ::testing::Values(
        DiffCase{"Nothing", [](DeviceSettings&) {}, {}},
        DiffCase{
            "TxDelayGivingTheSameFlags", [](DeviceSettings& s) { s.numFlagsAuto = "199"; }, {}},
        DiffCase{"SerialLinkOnly",
                 [](DeviceSettings& s) {
                     s.commPort = "3";
                     s.baudRate = 2;
                 },
                 {}},
        DiffCase{"CallsignSpellings",
                 [](DeviceSettings& s) {
                     s.myCall = " NOCALL-9";
                     s.destCall = "NOCALL-0";
                     s.aprsPath = "WIDE1-1,WIDE2-2,";
                 },
                 {}},
        DiffCase{"TxDelay",
                 [](DeviceSettings& s) { s.numFlagsAuto = "010"; },
                 {"TX delay: 200 ms (30 flags) -> 27 ms (4 flags)"}},
        DiffCase{"SharedOptionByte",
                 [](DeviceSettings& s) {
                     s.micEMsg = 3;
                     s.autoReply = 1;
                 },
                 {"Mic-E msg: 0 Off Duty -> 3 Returning", "Auto answer: off -> on"}},
        DiffCase{"Gpsless",
                 [](DeviceSettings& s) { s.gpsAcqTime = "000"; },
                 {"GPS acquisition: every 100 s -> GPSless Mode (byte 5 = 252)",
                  "Acquisition timeout: 2500 ms -> 0 ms"}},
        DiffCase{"SpeedBandAndDisplayFlag",
                 [](DeviceSettings& s) {
                     s.speedTable[6] = "100";
                     s.rxPosition = 1;
                 },
                 {"Speed > 125 Km/h: every 90 s -> every 100 s", "Show received pos.: on -> off"}},
        DiffCase{"NoPath",
                 [](DeviceSettings& s) { s.aprsPath = ""; },
                 {"APRS path: \"WIDE1-1,WIDE2-2\" -> (none)"}},
        DiffCase{"Texts",
                 [](DeviceSettings& s) {
                     s.beacon = "x";
                     s.autoReplyMsg = "";
                 },
                 {"Comment: \"Zelvar, version 4.0 - by QX9ABC Pim\" -> \"x\"",
                  "Auto answer text: \"AA:Msg received,i will reply soon\" -> \"AA:\""}}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

TEST(SettingsDiff, NamesTheRecordThatFailsToBuild) {
    DeviceSettings failing = defaultSettings();
    failing.myCall = "";
    for (bool failingFirst : {true, false}) {
        SettingsDiff diff = failingFirst ? diffSettings(failing, defaultSettings())
                                         : diffSettings(defaultSettings(), failing);
        const BuildResult& failed = failingFirst ? diff.first : diff.second;
        const BuildResult& built = failingFirst ? diff.second : diff.first;
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.error().field, Field::MyCall);
        EXPECT_TRUE(built);
        EXPECT_FALSE(diff.sameBytes);
        EXPECT_TRUE(diff.differences.empty());
    }
}

}  // namespace
}  // namespace zelvar
