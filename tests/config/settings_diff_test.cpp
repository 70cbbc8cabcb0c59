#include "config/settings_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_support.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

// The factory defaults against the defaults with some fields typed: "name: first -> second" for
// each difference the tracker gets; none when the bytes are the same.
TEST(SettingsDiff, ListsWhatTheTrackerGetsDifferently) {
    const std::pair<Changes, std::vector<std::string>> cases[] = {
        {{{CommPort, "3"}, {BaudRate, "2"}}, {}},
        {{{MyCall, " NOCALL-9"}, {DestCall, "NOCALL-0"}, {AprsPath, "WIDE1-1,WIDE2-2,"}}, {}},
        {{{MicEMsg, "3"}, {AutoReply, "1"}},
         {"Mic-E msg: 0 Off Duty -> 3 Returning", "Auto answer: off -> on"}},
        {{{GpsAcqTime, "000"}},
         {"GPS acquisition: every 100 s -> GPSless Mode (byte 5 = 252)",
          "Acquisition timeout: 2500 ms -> 0 ms"}},
        {{{SpeedTable6, "100"}, {RxPosition, "1"}},
         {"Speed > 125 Km/h: every 90 s -> every 100 s", "Show received pos.: on -> off"}},
        {{{AprsPath, ""}}, {"APRS path: \"WIDE1-1,WIDE2-2\" -> (none)"}},
        {{{Beacon, "x"}, {AutoReplyMsg, ""}},
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

// The TX delay and a failing first record: FileCommands.DiffListsWhatTheTrackerGetsDifferently.
TEST(SettingsDiff, NamesTheRecordThatFailsToBuild) {
    const SettingsDiff diff =
        diffSettings(defaultSettings(), changed(defaultSettings(), {{MyCall, ""}}));
    EXPECT_TRUE(diff.first && !diff.second && diff.second.error().field == MyCall);
    EXPECT_TRUE(!diff.sameBytes && diff.differences.empty());
}

}  // namespace
}  // namespace zelvar
