#include "files/cfg_reader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <random>
#include <sstream>

#include "cfg_test_support.h"
#include "files/cfg_layout.h"
#include "files/cfg_writer.h"

namespace zelvar {
namespace {

using testing_support::kDefaultCfg;
using testing_support::TempFolder;

// A record that differs from the defaults in every field a load can set.
DeviceSettings scribbled() {
    DeviceSettings s;
    s.commPort = s.numFlagsAuto = s.msgRepeat = s.symbol = s.manualTime = s.bcnEvery = "x";
    s.gpsAcqTime = s.myCall = s.aprsPath = s.beacon = s.destCall = s.aprsMsg = "x";
    s.autoReplyMsg = "x";
    s.gpsCheckTime = "555";
    s.speedTable.fill("x");
    s.micEMsg = 5;
    s.altTable = s.autoReply = s.baud300 = s.rxPosition = 1;
    s.baudRate = 2;
    return s;
}

LoadResult readText(std::string_view text, DeviceSettings& s, CalculatorInputs& c) {
    std::istringstream in{std::string(text)};
    return readConfig(in, s, c);
}

TEST(CfgReader, DefaultFileGivesTheDefaultsAndKeepsGpsCheckTime) {
    DeviceSettings s = scribbled();
    CalculatorInputs c{"1", "2", 0, "3", 1, true};
    LoadResult result = readText(kDefaultCfg, s, c);
    ASSERT_TRUE(result) << reasonOf(result);
    EXPECT_TRUE(calculatorApplied(result));
    DeviceSettings expected = defaultSettings();
    expected.gpsCheckTime = "555";
    EXPECT_EQ(s, expected);
    EXPECT_EQ(c, CalculatorInputs{});
}

TEST(CfgReader, SaveThenLoadGivesTheSameRecord) {
    DeviceSettings original = defaultSettings();
    original.micEMsg = 6;
    original.autoReply = 1;
    original.rxPosition = 1;
    original.baudRate = 2;
    original.beacon = "=/7I\"PPjw<>  _";
    original.aprsMsg = "\"";
    original.autoReplyMsg = "say \"\"hi\"\", twice";
    original.aprsPath = "";
    CalculatorInputs calculator{"N45.30.15", "-9.10.25", 0, "\"\"", 1, true};
    DeviceSettings loaded = scribbled();
    loaded.gpsCheckTime = original.gpsCheckTime;
    CalculatorInputs loadedCalculator;
    ASSERT_TRUE(readText(writeConfigText(original, calculator).value(), loaded, loadedCalculator));
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(loadedCalculator, calculator);
}

TEST(CfgReader, ItemsAreCountedNotLines) {
    std::string oneLine;
    for (char ch : kDefaultCfg) {
        if (ch == '\r')
            continue;
        oneLine += ch == '\n' ? ',' : ch;
    }
    oneLine.pop_back();
    DeviceSettings s = scribbled();
    CalculatorInputs c;
    ASSERT_TRUE(readText(oneLine, s, c));
    EXPECT_EQ(s.aprsMsg, "Message sent using Zelvar, version 4.0");
    EXPECT_EQ(s.baudRate, 0);
}

// One load that stops (or not) somewhere, and what the record shows after it.
struct LoadCase {
    const char* name;
    std::function<std::string()> file;
    const char* messagePart;  // empty when the load succeeds
    std::function<void(const DeviceSettings&, const CalculatorInputs&)> check;
};

std::string defaultWith(std::string_view from, std::string_view to) {
    std::string text(kDefaultCfg);
    text.replace(text.find(from), from.size(), to);
    return text;
}

std::string defaultLines(int count) {
    std::string text(kDefaultCfg);
    std::size_t end = 0;
    for (int i = 0; i < count; ++i)
        end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

class CfgLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(CfgLoadTest, AppliesWhatComesBeforeTheFailure) {
    const LoadCase& p = GetParam();
    DeviceSettings s = scribbled();
    CalculatorInputs c{"1", "2", 0, "3", 1, true};
    LoadResult result = readText(p.file(), s, c);
    if (std::string_view(p.messagePart).empty()) {
        EXPECT_TRUE(result) << reasonOf(result);
    } else {
        EXPECT_FALSE(result);
        EXPECT_NE(reasonOf(result).find(p.messagePart), std::string::npos) << reasonOf(result);
    }
    p.check(s, c);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CfgLoadTest,
    ::testing::Values(
        LoadCase{"MissingItemShiftsTheRest", [] { return defaultWith(",\">\",0", ",0"); },
                 "Item 6 (line 2, Alternate Table): 480 is not a check state",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.symbol, "0");  // the table flag moved up one place
                     EXPECT_EQ(s.altTable, 1);
                     EXPECT_EQ(s.speedTable[0], "x");
                 }},
        LoadCase{"ShortFirstLineIsAllThereIs", [] { return defaultLines(1).erase(20, 2); },
                 "Item 6 (line 2, Alternate Table): the file ends before this item",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.commPort, "x"); }},
        LoadCase{"ExtraLinesAreIgnored",
                 [] { return std::string(kDefaultCfg) + "garbage\x01\r\nmore\r\n"; }, "",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.baudRate, 0); }},
        LoadCase{"EndsAfterTheSpeedTable", [] { return defaultLines(8); },
                 "Item 14 (line 9, Manual timing): the file ends",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.speedTable[6], "090");
                     EXPECT_EQ(s.manualTime, "x");
                 }},
        LoadCase{"EndsInsideAGroup", [] { return defaultLines(8) + "\"0600\",3,\"025\""; },
                 "the file ends",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.speedTable[0], "0480");
                     EXPECT_EQ(s.manualTime, "x");  // its group was not complete
                 }},
        LoadCase{"LoneQuoteCutsTheText", [] { return defaultWith("\"NOCALL\"", "\"NO\"CALL\""); },
                 "", [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.destCall, "NO"); }},
        LoadCase{"DoubledQuoteIsOneQuote",
                 [] { return defaultWith("\"NOCALL\"", "\"\"\"NO\"\"CALL\"\"\""); }, "",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.destCall, "\"NO\"CALL\""); }},
        LoadCase{"CommentAboveLimitTurnsIntoTheFlag",
                 [] { return defaultWith("\"0600\",3,", "\"0600\",200,"); }, "",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.bcnEvery, "072");
                     EXPECT_EQ(s.rxPosition, 1);
                 }},
        LoadCase{"PackedComment", [] { return defaultWith("\"0600\",3,", "\"0600\",131,"); }, "",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.bcnEvery, "003");
                     EXPECT_EQ(s.rxPosition, 1);
                 }},
        LoadCase{"NoMicEEntryStopsAfterThreeItems",
                 [] { return defaultWith("\"08\",0,", "\"08\",-1,"); },
                 "Item 4 (line 1, Mic-E and flags): 15 is not a Mic-E message",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.msgRepeat, "08");
                     EXPECT_EQ(s.micEMsg, 5);
                     EXPECT_EQ(s.symbol, "x");
                 }},
        LoadCase{"PackedOptions", [] { return defaultWith("\"08\",0,", "\"08\",55,"); }, "",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.micEMsg, 7);
                     EXPECT_EQ(s.autoReply, 1);
                     EXPECT_EQ(s.baud300, 1);
                 }},
        LoadCase{"UnquotedDigitsLoseLeadingZeros",
                 [] { return defaultWith("\"0480\"", " 0480  "); }, "",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.speedTable[0], "480"); }},
        LoadCase{"BareWordIsAText", [] { return defaultWith("\"NOCALL\"", "N0CALL"); }, "",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.destCall, "N0CALL"); }},
        LoadCase{"TextWhereANumberBelongs", [] { return defaultWith("\"08\",0,", "\"08\",abc,"); },
                 "Item 4 (line 1, Mic-E and flags): \"abc\" is not a whole number",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.micEMsg, 5); }},
        LoadCase{"NumberBeyondSixteenBits",
                 [] { return defaultWith("\"0600\",3,", "\"0600\",99999,"); },
                 "Item 15 (line 9, Comment every and flag)",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.manualTime, "0600"); }},
        LoadCase{"BadCheckStateInTheCalculator",
                 [] { return defaultWith("\"00.00.00\",1,", "\"00.00.00\",3,"); },
                 "Item 24 (line 10, Grad.Min.Cent check box): 3 is not a check state",
                 [](const DeviceSettings& s, const CalculatorInputs& c) {
                     EXPECT_EQ(c.latitude, "00.00.00");
                     EXPECT_EQ(c.centChecked, 0);
                     EXPECT_EQ(s.autoReplyMsg, "x");
                 }},
        LoadCase{
            "BadTruthWord", [] { return defaultWith("#FALSE#", "maybe"); },
            "Item 27 (line 10, Position format): \"maybe\" is neither true nor false",
            [](const DeviceSettings&, const CalculatorInputs& c) { EXPECT_TRUE(c.normalForm); }},
        LoadCase{
            "NumberAsTruth", [] { return defaultWith("#FALSE#", "-1"); }, "",
            [](const DeviceSettings&, const CalculatorInputs& c) { EXPECT_TRUE(c.normalForm); }},
        LoadCase{"BaudOutOfList",
                 [] {
                     return defaultWith(",0,#FALSE#\r\n\"Msg received,i will reply soon\"\r\n0",
                                        ",0,#FALSE#\r\n\"Msg received,i will reply soon\"\r\n3");
                 },
                 "Item 29 (line 12, Baud): 3 is not a speed",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.autoReplyMsg, "Msg received,i will reply soon");
                     EXPECT_EQ(s.baudRate, 2);
                 }},
        LoadCase{"NoBaudChosen", [] { return defaultLines(11) + "-1"; }, "",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.baudRate, -1); }},
        LoadCase{"UnclosedQuote", [] { return std::string("\"1\",\"200"); },
                 "Item 2 (line 1, TX delay): a text has no closing double quote",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.commPort, "x"); }},
        LoadCase{"BinaryGarbage",
                 [] {
                     return std::string(
                         "\x7f"
                         "ELF\x02\x01\x01\0\0",
                         9);
                 },
                 "Item 1 (line 1, Comm num): the item holds the control byte 0x02",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.commPort, "x"); }},
        LoadCase{"EndlessSpaces", [] { return "\"1\"\r\n" + std::string(1 << 20, ' '); },
                 "Item 2 (line 2, TX delay): the item is longer than 64 KiB",
                 [](const DeviceSettings& s, auto&) { EXPECT_EQ(s.commPort, "x"); }},
        LoadCase{"OnlyLineEnds", [] { return std::string(40, '\n'); }, "",
                 [](const DeviceSettings& s, auto&) {
                     EXPECT_EQ(s.commPort, "");
                     EXPECT_EQ(s.bcnEvery, "000");
                 }}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

// Leading spaces, quotes and skipped tails count: no item of any form is longer than 64 KiB.
TEST(CfgReader, EveryFormOfItemMayTakeUpTo64KiB) {
    const std::vector<std::function<std::string(std::size_t)>> forms = {
        [](std::size_t n) { return std::string(n, '7'); },
        [](std::size_t n) { return "\"" + std::string(n - 2, 'q') + "\""; },
        [](std::size_t n) { return std::string(n - 3, ' ') + "\"q\""; },
        [](std::size_t n) { return "\"q\"" + std::string(n - 3, 't'); },
    };
    for (std::size_t form = 0; form < forms.size(); ++form) {
        for (std::size_t bytes : {kMaxCfgItemBytes, kMaxCfgItemBytes + 1}) {
            DeviceSettings s = defaultSettings();
            CalculatorInputs c;
            LoadResult result =
                readText(forms[form](bytes) + std::string(kDefaultCfg.substr(3)), s, c);
            EXPECT_EQ(result.has_value(), bytes == kMaxCfgItemBytes)
                << form << ": " << reasonOf(result);
        }
    }
}

// Whatever Save writes, Load reads back the same; what would be too long, Save refuses.
TEST(CfgReader, SaveAndLoadAgreeOnTheLongestText) {
    for (std::size_t length = kMaxCfgItemBytes - 5; length <= kMaxCfgItemBytes; ++length) {
        for (std::size_t quotes : {0, 1, 2}) {
            DeviceSettings original = defaultSettings();
            original.beacon.assign(length, 'b').replace(length / 2, quotes, quotes, '"');
            Result<std::string> text = writeConfigText(original, CalculatorInputs{});
            ASSERT_EQ(text.has_value(), length + quotes + 2 <= kMaxCfgItemBytes)
                << length << " " << quotes;
            DeviceSettings loaded = defaultSettings();
            CalculatorInputs c;
            if (text) {
                EXPECT_TRUE(readText(*text, loaded, c));
                EXPECT_EQ(loaded.beacon, original.beacon);
            }
        }
    }
}

TEST(CfgReader, StopsReadingAfterTheLastItem) {
    std::istringstream in(std::string(kDefaultCfg) + "TAIL");
    DeviceSettings s;
    CalculatorInputs c;
    ASSERT_TRUE(readConfig(in, s, c));
    std::string rest(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(rest, "TAIL");
}

struct BadFileCase {
    const char* name;
    std::function<std::filesystem::path(const TempFolder&)> make;
    const char* messagePart;
};

class CfgBadFileTest : public ::testing::TestWithParam<BadFileCase> {};

// Loads on a thread of its own; a load that blocks fails the test and is woken by a writer, so
// that a reader which waits on a FIFO cannot hang the run.
LoadResult loadWithinSeconds(const std::filesystem::path& path, DeviceSettings& s,
                             CalculatorInputs& c) {
    auto load = std::async(std::launch::async, [&] { return loadConfigFile(path, s, c); });
    if (load.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << path << ": the load blocked";
        close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
    }
    return load.get();
}

TEST_P(CfgBadFileTest, FailsWithTheReasonAndChangesNothing) {
    TempFolder folder;
    DeviceSettings s = scribbled();
    CalculatorInputs c;
    LoadResult result = loadWithinSeconds(GetParam().make(folder), s, c);
    EXPECT_FALSE(result);
    EXPECT_NE(reasonOf(result).find(GetParam().messagePart), std::string::npos) << reasonOf(result);
    EXPECT_EQ(s, scribbled());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, CfgBadFileTest,
    ::testing::Values(
        BadFileCase{"Missing", [](const TempFolder& f) { return f.path() / "none.cfg"; },
                    "No such file or directory"},
        BadFileCase{"Directory", [](const TempFolder& f) { return f.path(); }, "Is a directory"},
        BadFileCase{"FifoWithoutWriter",
                    [](const TempFolder& f) {
                        mkfifo((f.path() / "fifo").c_str(), 0600);
                        return f.path() / "fifo";
                    },
                    "not a regular file"},
        BadFileCase{"Empty", [](const TempFolder& f) { return f.write("e.cfg", ""); },
                    "the file is empty"},
        BadFileCase{"Truncated", [](const TempFolder& f) { return f.write("t.cfg", "\"1\",\"2"); },
                    "no closing double quote"}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

TEST(CfgReader, EveryTruncationFailsCleanlyOrReadsTheWholeRecord) {
    const std::string full(testing_support::kDefaultCfg);
    for (std::size_t length = 0; length < full.size(); ++length) {
        DeviceSettings s = defaultSettings();
        CalculatorInputs c;
        std::istringstream in(full.substr(0, length));
        LoadResult result = readConfig(in, s, c);
        // Only the last item may lose its line end and still be complete.
        bool complete = length >= full.size() - 2;
        EXPECT_EQ(result.has_value(), complete) << "length " << length << ": " << reasonOf(result);
        if (!result) {
            EXPECT_NE(reasonOf(result).find("Item "), std::string::npos);
        }
    }
}

TEST(CfgReader, RandomBytesNeverCrash) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() % 4 == 0 ? ',' : random());
        DeviceSettings s = defaultSettings();
        CalculatorInputs c;
        std::istringstream in(bytes);
        LoadResult result = readConfig(in, s, c);
        if (!result) {
            EXPECT_FALSE(reasonOf(result).empty());
        }
    }
}

}  // namespace
}  // namespace zelvar
