#include "files/cfg_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "../config/settings_support.h"
#include "cfg_test_support.h"
#include "files/cfg_layout.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

// A FIFO is refused without waiting for a writer: tests/cli/core_commands.sh, under a timeout.
TEST(LoadConfigFile, FailsWithThePathAndTheReasonAndChangesNothing) {
    TempFolder folder;
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {folder.path() / "none.cfg", "No such file or directory"},
        {folder.path(), "Is a directory"},
        {folder.write("empty.cfg", ""), "the file is empty"},
        {folder.write("cut.cfg", "\"1\",\"2"),
         "Item 2 (line 1, TX delay): a text has no closing double quote"},
    };
    for (const auto& [path, reason] : cases) {
        DeviceSettings s = scribbled();
        CalculatorInputs c;
        EXPECT_EQ(reasonOf(loadConfigFile(path, s, c)), path.string() + ": " + reason);
        EXPECT_TRUE(sameFields(s, scribbled()));
    }
}

// Save refuses what Load would refuse, names the field and keeps the file as it was.
TEST(SaveConfigFile, RefusesWhatTheReaderWouldRefuse) {
    const std::string tooLong = ": the text is longer than 65534 bytes with its quotes doubled";
    CalculatorInputs quotedAltitude;
    quotedAltitude.altitude.assign(kMaxCfgItemBytes / 2, '"');
    const std::tuple<Changes, CalculatorInputs, std::string> cases[] = {
        {{{BcnEvery, "0_3"}}, {}, "The comment interval \"0_3\" (Comment every) is not a number"},
        {{{MicEMsg, "-1"}}, {}, "Mic-E msg: choose a Mic-E message from the list"},
        {{{MicEMsg, "8"}}, {}, "Mic-E msg: choose a Mic-E message from the list"},
        {{{Beacon, std::string(kMaxCfgItemBytes - 1, 'c')}}, {}, "Comment" + tooLong},
        {{}, quotedAltitude, "Altitude" + tooLong},
    };
    TempFolder folder;
    const auto path = folder.write("Zelvar.cfg", "old");
    for (const auto& [typed, calculator, reason] : cases) {
        const DeviceSettings settings = changed(defaultSettings(), typed);
        EXPECT_EQ(reasonOf(saveConfigFile(path, settings, calculator)), reason);
        EXPECT_EQ(readAll(path), "old");
    }
}

// What the folder holds: names, kinds and permissions.
std::map<std::string, std::pair<std::filesystem::file_type, std::filesystem::perms>> listing(
    const TempFolder& folder) {
    std::map<std::string, std::pair<std::filesystem::file_type, std::filesystem::perms>> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        entries[entry.path().filename()] = {entry.symlink_status().type(),
                                            entry.symlink_status().permissions()};
    return entries;
}

// Where a save lands: through symlinks into the file they lead to, with that file's permissions,
// never over anything that is not a regular file, and with no temporary file left behind.
struct SaveCase {
    const char* name;
    std::function<void(const TempFolder&)> scene;
    const char* chosen;   // the file name the user chose
    const char* savedIn;  // the file that then holds the settings, or null
    const char* failure;  // the system's reason for a failed save, or null
};
// A failing row prints its name, not its bytes.
void PrintTo(const SaveCase& row, std::ostream* out) {
    *out << row.name;
}

class SaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTest, SavesWhereTheUserMeant) {
    const SaveCase& p = GetParam();
    TempFolder folder;
    p.scene(folder);
    auto expected = listing(folder);
    const std::filesystem::path chosen = folder.path() / p.chosen;
    const Result<> status = saveConfigFile(chosen, defaultSettings(), {});
    if (p.savedIn) {
        ASSERT_TRUE(status) << reasonOf(status);
        EXPECT_EQ(readAll(folder.path() / p.savedIn), kDefaultCfg);
        expected.try_emplace(p.savedIn, listing(folder).at(p.savedIn));
    } else {
        // Named by the file, or by the folder that cannot take it.
        const std::string reason = reasonOf(status);
        EXPECT_TRUE(reason.ends_with(std::string(": ") + p.failure)) << reason;
        EXPECT_TRUE(reason.starts_with(chosen.string() + ": ") ||
                    reason.starts_with("cannot create a file in " + chosen.parent_path().string()))
            << reason;
    }
    EXPECT_EQ(listing(folder), expected);
}

// Through a symlink into a file keeping its mode, and never into a FIFO:
// tests/cli/core_commands.sh.
const SaveCase kSaveCases[] = {
    {"NewFile", [](const TempFolder&) {}, "Zelvar.cfg", "Zelvar.cfg", nullptr},
    {"ThroughADanglingSymlink",
     [](const TempFolder& f) { create_symlink("new.cfg", f.path() / "link.cfg"); }, "link.cfg",
     "new.cfg", nullptr},
    {"Directory", [](const TempFolder& f) { create_directory(f.path() / "sub"); }, "sub", nullptr,
     "Is a directory"},
    {"MissingFolder", [](const TempFolder&) {}, "nope/x.cfg", nullptr, "No such file or directory"},
};
INSTANTIATE_TEST_SUITE_P(Targets, SaveTest, ::testing::ValuesIn(kSaveCases), kRowName);

}  // namespace
}  // namespace zelvar
