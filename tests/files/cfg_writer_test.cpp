#include "files/cfg_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "cfg_test_support.h"
#include "files/cfg_layout.h"

namespace zelvar {
namespace {

using testing_support::kDefaultCfg;
using testing_support::readAll;
using testing_support::TempFolder;

TEST(CfgWriter, FactoryDefaultsGiveTheKnownBytes) {
    Result<std::string> text = writeConfigText(defaultSettings(), CalculatorInputs{});
    ASSERT_TRUE(text) << reasonOf(text);
    EXPECT_EQ(*text, kDefaultCfg);
}

struct PackingCase {
    const char* name;
    int micE, autoReply, baud300, rxPosition;
    const char* bcnEvery;
    const char* line1Item4;
    const char* line9Item2;
};

class CfgPackingTest : public ::testing::TestWithParam<PackingCase> {};

TEST_P(CfgPackingTest, PacksFlagsLikeTheImage) {
    const PackingCase& p = GetParam();
    DeviceSettings s = defaultSettings();
    s.micEMsg = p.micE;
    s.autoReply = p.autoReply;
    s.baud300 = p.baud300;
    s.rxPosition = p.rxPosition;
    s.bcnEvery = p.bcnEvery;
    Result<std::string> text = writeConfigText(s, CalculatorInputs{});
    ASSERT_TRUE(text);
    EXPECT_NE(text->find(std::string("\"08\",") + p.line1Item4 + ",\">\""), std::string::npos);
    EXPECT_NE(text->find(std::string("\"0600\",") + p.line9Item2 + ",\"025\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CfgPackingTest,
    ::testing::Values(PackingCase{"AllFlags", 7, 1, 1, 1, "003", "55", "131"},
                      PackingCase{"CommentAboveLimit", 0, 0, 0, 0, "200", "0", "200"},
                      PackingCase{"SpacedComment", 0, 0, 0, 1, " 12 ", "0", "140"},
                      PackingCase{"FractionalComment", 0, 0, 0, 0, "1.5", "0", "1.5"}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

// Save refuses what Load would refuse, and names the field.
TEST(CfgWriter, RefusesWhatTheReaderWouldRefuse) {
    struct Case {
        std::function<void(DeviceSettings&, CalculatorInputs&)> change;
        const char* reasonPart;
    };
    const std::vector<Case> cases = {
        {[](DeviceSettings& s, auto&) { s.bcnEvery = "0_3"; }, "Comment every"},
        {[](DeviceSettings& s, auto&) { s.micEMsg = -1; }, "Mic-E msg: choose a Mic-E message"},
        {[](DeviceSettings& s, auto&) {
             s.micEMsg = -1;
             s.autoReply = s.baud300 = 1;
         },
         "Mic-E msg"},
        {[](DeviceSettings& s, auto&) { s.micEMsg = 8; }, "Mic-E msg"},
        {[](DeviceSettings& s, auto&) { s.beacon.assign(kMaxCfgItemBytes, 'c'); },
         "Comment: the text is longer than"},
        {[](auto&, CalculatorInputs& c) { c.altitude.assign(kMaxCfgItemBytes / 2, '"'); },
         "Altitude: the text is longer than"},
    };
    for (const Case& c : cases) {
        DeviceSettings s = defaultSettings();
        CalculatorInputs calculator;
        c.change(s, calculator);
        Result<std::string> text = writeConfigText(s, calculator);
        EXPECT_FALSE(text);
        EXPECT_NE(reasonOf(text).find(c.reasonPart), std::string::npos) << reasonOf(text);
    }
}

TEST(CfgWriter, DoublesTheDoubleQuotesInsideATextAndNothingElse) {
    DeviceSettings s = defaultSettings();
    s.beacon = "=/7I\"PPjw<>  _";
    s.aprsMsg = "\"";
    std::string text = writeConfigText(s, CalculatorInputs{}).value();
    EXPECT_NE(text.find(",\"=/7I\"\"PPjw<>  _\","), std::string::npos) << text;
    EXPECT_NE(text.find(",\"\"\"\"\r\n"), std::string::npos) << text;
}

TEST(SaveConfigFile, WritesTheFileAndLeavesNoTemporaryBehind) {
    TempFolder folder;
    auto path = folder.path() / "Zelvar.cfg";
    ASSERT_TRUE(saveConfigFile(path, defaultSettings(), CalculatorInputs{}));
    EXPECT_EQ(readAll(path), kDefaultCfg);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(SaveConfigFile, FailedSaveKeepsTheExistingFile) {
    TempFolder folder;
    auto path = folder.write("Zelvar.cfg", "old content");
    DeviceSettings s = defaultSettings();
    s.bcnEvery = "abc";
    Result<> status = saveConfigFile(path, s, CalculatorInputs{});
    EXPECT_FALSE(status);
    EXPECT_EQ(readAll(path), "old content");
}

TEST(SaveConfigFile, UnwritableFolderOrFileGivesThePlatformDescription) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes everywhere";
    TempFolder folder;
    auto path = folder.write("Zelvar.cfg", "old content");
    chmod(path.c_str(), 0444);
    Result<> readOnly = saveConfigFile(path, defaultSettings(), CalculatorInputs{});
    chmod(path.c_str(), 0644);
    chmod(folder.path().c_str(), 0500);
    Result<> inReadOnlyFolder = saveConfigFile(path, defaultSettings(), CalculatorInputs{});
    chmod(folder.path().c_str(), 0700);
    for (const Result<>& status : {readOnly, inReadOnlyFolder}) {
        EXPECT_FALSE(status);
        EXPECT_NE(reasonOf(status).find("Permission denied"), std::string::npos)
            << reasonOf(status);
    }
    EXPECT_EQ(readAll(path), "old content");
}

// Where a save lands: through symlinks into the file they lead to, with that file's permissions,
// and never over anything that is not a regular file.
struct SaveTargetCase {
    const char* name;
    std::function<std::filesystem::path(const TempFolder&)> make;  // the path the user chose
    const char* messagePart;                                       // empty when it saves
    std::function<void(const TempFolder&)> check;
};

class SaveTargetTest : public ::testing::TestWithParam<SaveTargetCase> {};

TEST_P(SaveTargetTest, SavesWhereTheUserMeant) {
    const SaveTargetCase& p = GetParam();
    TempFolder folder;
    Result<> status = saveConfigFile(p.make(folder), defaultSettings(), CalculatorInputs{});
    if (std::string_view(p.messagePart).empty()) {
        EXPECT_TRUE(status) << reasonOf(status);
    } else {
        EXPECT_FALSE(status);
        EXPECT_NE(reasonOf(status).find(p.messagePart), std::string::npos) << reasonOf(status);
    }
    p.check(folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

std::filesystem::path linked(const TempFolder& f, const std::string& target) {
    std::filesystem::create_symlink(target, f.path() / "link.cfg");
    return f.path() / "link.cfg";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SaveTargetTest,
    ::testing::Values(
        SaveTargetCase{"ThroughASymlink",
                       [](const TempFolder& f) {
                           f.write("real.cfg", "old content");
                           return linked(f, "real.cfg");
                       },
                       "",
                       [](const TempFolder& f) {
                           EXPECT_TRUE(std::filesystem::is_symlink(f.path() / "link.cfg"));
                           EXPECT_EQ(readAll(f.path() / "real.cfg"), kDefaultCfg);
                       }},
        SaveTargetCase{"ThroughADanglingSymlink",
                       [](const TempFolder& f) { return linked(f, "new.cfg"); }, "",
                       [](const TempFolder& f) {
                           EXPECT_TRUE(std::filesystem::is_symlink(f.path() / "link.cfg"));
                           EXPECT_EQ(readAll(f.path() / "new.cfg"), kDefaultCfg);
                       }},
        SaveTargetCase{"KeepsThePermissions",
                       [](const TempFolder& f) {
                           auto path = f.write("Zelvar.cfg", "old content");
                           chmod(path.c_str(), 0604);
                           return path;
                       },
                       "",
                       [](const TempFolder& f) {
                           struct stat status {};
                           stat((f.path() / "Zelvar.cfg").c_str(), &status);
                           EXPECT_EQ(status.st_mode & 07777, 0604u);
                           EXPECT_EQ(readAll(f.path() / "Zelvar.cfg"), kDefaultCfg);
                       }},
        SaveTargetCase{
            "Fifo",
            [](const TempFolder& f) {
                mkfifo((f.path() / "fifo").c_str(), 0600);
                return linked(f, "fifo");
            },
            "link.cfg: Is a FIFO, not a regular file",
            [](const TempFolder& f) { EXPECT_TRUE(std::filesystem::is_fifo(f.path() / "fifo")); }},
        SaveTargetCase{"Directory", [](const TempFolder& f) { return f.path(); }, "Is a directory",
                       [](const TempFolder&) {}},
        SaveTargetCase{"MissingFolder",
                       [](const TempFolder& f) { return f.path() / "nope" / "x.cfg"; },
                       "No such file or directory", [](const TempFolder&) {}}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

}  // namespace
}  // namespace zelvar
