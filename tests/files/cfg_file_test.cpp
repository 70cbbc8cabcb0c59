#include "files/cfg_file.h"

#include <gtest/gtest.h>

#include "../config/settings_support.h"
#include "cfg_test_support.h"
#include "files/cfg_layout.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

// A FIFO is refused without waiting for a writer: FileCommands.BrokenAndHostileInputs...
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

// Where a save lands: a new file; through a dangling symlink, the file it names (into an existing
// file, keeping its mode: FileCommands.OutputReplacesRegularFilesAtomicallyAndWritesOthersInPlace);
// never over a folder; no temporary file left behind. A failure names the file, or the folder
// that cannot take it.
TEST(SaveConfigFile, SavesWhereTheUserMeant) {
    TempFolder folder;
    const std::filesystem::path& in = folder.path();
    std::filesystem::create_symlink("new.cfg", in / "link.cfg");
    std::filesystem::create_directory(in / "sub");
    for (const char* chosen : {"Zelvar.cfg", "link.cfg"}) {
        const Result<> status = saveConfigFile(in / chosen, defaultSettings(), {});
        EXPECT_TRUE(status) << chosen << ": " << reasonOf(status);
    }
    EXPECT_EQ(readAll(in / "Zelvar.cfg"), kDefaultCfg);
    EXPECT_EQ(readAll(in / "new.cfg"), kDefaultCfg);
    EXPECT_TRUE(std::filesystem::is_symlink(in / "link.cfg"));
    const std::pair<std::filesystem::path, std::string> refusals[] = {
        {in / "sub", "Is a directory"}, {in / "nope/x.cfg", "No such file or directory"}};
    for (const auto& [chosen, why] : refusals) {
        const std::string reason = reasonOf(saveConfigFile(chosen, defaultSettings(), {}));
        EXPECT_TRUE(reason.ends_with(": " + why)) << reason;
        EXPECT_TRUE(reason.starts_with(chosen.string() + ": ") ||
                    reason.starts_with("cannot create a file in " + chosen.parent_path().string()))
            << reason;
    }
    EXPECT_TRUE(std::filesystem::is_directory(in / "sub"));
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"Zelvar.cfg", "link.cfg", "new.cfg", "sub"}));
}

}  // namespace
}  // namespace zelvar
