// Files on disk: the atomic save, and .cfg files loaded and saved through it.
#include "files/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

#include "../config/settings_support.h"
#include "cfg/cfg_layout.h"
#include "cfg_test_support.h"
#include "files/cfg_file.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

struct stat statusOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

// Every legal name length can be saved: the temporary name does not grow with the target's.
// Saves that run at the same time never take each other's temporary file for a leftover.
TEST(AtomicFile, SavesNamesOfEveryLegalLengthAndConcurrently) {
    TempFolder folder;
    std::vector<std::size_t> refused;
    for (std::size_t length = 240; length <= 255; ++length) {
        const std::filesystem::path file = folder.path() / std::string(length, 'n');
        if (!writeFileAtomically(file, "x") || readAll(file) != "x" ||
            !std::filesystem::remove(file))
            refused.push_back(length);
    }
    EXPECT_EQ(refused, std::vector<std::size_t>{});
    const auto file = folder.path() / "Zelvar.cfg";
    std::vector<std::thread> savers;
    std::atomic<int> failures = 0;
    for (int t = 0; t < 8; ++t) {
        savers.emplace_back([&] {
            for (int i = 0; i < 25; ++i)
                failures += writeFileAtomically(file, kDefaultCfg) ? 0 : 1;
        });
    }
    for (std::thread& saver : savers)
        saver.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Zelvar.cfg"});
}

// A save as root (sudo for a port's sake) leaves the file to its owner, group and permissions;
// a new file in a set-group-ID folder gets the folder's group.
TEST(AtomicFile, KeepsOwnerGroupAndModeOfTheReplacedFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner needs root";
    TempFolder folder;
    const auto file = folder.write("my.cfg", "old");
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(file, "new"));
    const struct stat info = statusOf(file);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
    EXPECT_EQ(info.st_mode & 07777, 0640);

    const auto shared = folder.path() / "shared";
    std::filesystem::create_directory(shared);
    ASSERT_EQ(::chown(shared.c_str(), 0, kNobody), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 02775), 0);
    ASSERT_TRUE(writeFileAtomically(shared / "new.cfg", "new"));
    EXPECT_EQ(statusOf(shared / "new.cfg").st_gid, kNobody);
}

// A read-only file is refused for root too; a folder that takes no file is named as such.
TEST(AtomicFile, RefusalsNameWhatStandsInTheWay) {
    TempFolder folder;
    const auto locked = folder.write("locked.cfg", "old");
    ::chmod(locked.c_str(), 0444);
    EXPECT_FALSE(writeFileAtomically(locked, "new"));
    EXPECT_EQ(readAll(locked), "old");

    if (::geteuid() != 0)
        GTEST_SKIP() << "the folder cases run as nobody, which needs root";
    const auto closed = folder.path() / "closed";
    std::filesystem::create_directory(closed);
    ::chmod(closed.c_str(), 0555);
    const auto sticky = folder.path() / "sticky";
    std::filesystem::create_directory(sticky);
    ::chmod(sticky.c_str(), 01777);
    const auto others = folder.write("sticky/theirs.cfg", "old");
    ::chmod(others.c_str(), 0666);
    ::chmod(folder.path().c_str(), 0755);
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {closed / "x.cfg", "cannot create a file in " + closed.string() + ": Permission denied"},
        {others, "cannot replace a file in " + sticky.string() + ": Operation not permitted"},
    };
    for (const auto& refusal : cases) {
        EXPECT_EQ(asNobody([&] {
                      return reasonOf(writeFileAtomically(refusal.first, "new")) == refusal.second;
                  }),
                  1)
            << refusal.second;
    }
    EXPECT_EQ(readAll(others), "old");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"closed", "locked.cfg", "sticky"}));
}

// A save killed half-way leaves a temporary file no one else can read; the next save removes it.
TEST(AtomicFile, NextSaveRemovesWhatAKilledSaveLeft) {
    TempFolder folder;
    const auto file = folder.write("Zelvar.cfg", "old");
    ::chmod(file.c_str(), 0644);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore{0, 0};
        const rlimit small{16, 16};  // a longer write is killed by SIGXFSZ
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        writeFileAtomically(file, std::string(4096, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    const std::vector<std::string> left = folder.names();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(statusOf(folder.path() / left.front()).st_mode & 0777, 0600) << left.front();
    EXPECT_EQ(readAll(file), "old");

    ASSERT_TRUE(writeFileAtomically(file, "new"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Zelvar.cfg"});
    EXPECT_EQ(statusOf(file).st_mode & 0777, 0644);
}

// Ctrl+C or SIGTERM during a save waits for its end: the file is saved whole, no temporary file
// is left behind, and then the signal ends the program.
TEST(AtomicFile, AnEndingSignalDuringTheSaveComesAfterIt) {
    TempFolder folder;
    const auto file = folder.write("Zelvar.cfg", "old");
    const std::string content(64 << 20, 'x');  // long enough to be caught half-way
    const pid_t child = ::fork();
    if (child == 0) {
        writeFileAtomically(file, content);
        ::_exit(0);
    }
    // Once the temporary file is there, the save is under way.
    int status = 0;
    while (folder.names().size() < 2 && ::waitpid(child, &status, WNOHANG) == 0) {
    }
    ::kill(child, SIGTERM);
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Zelvar.cfg"});
    EXPECT_EQ(std::filesystem::file_size(file), content.size());
}

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

// Whoever owns the folder may put a FIFO in the file's place between a check and the open: each
// load still ends, with the settings or the FIFO's refusal, and never waits for a writer.
TEST(LoadConfigFile, NeverWaitsOnAFifoSwappedInForTheFile) {
    TempFolder folder;
    const std::filesystem::path file = folder.path() / "Zelvar.cfg";
    const std::filesystem::path regular = folder.write("regular", kDefaultCfg);
    const std::filesystem::path fifo = folder.path() / "fifo";
    std::atomic<bool> done = false;
    std::jthread swapper([&] {
        while (!done) {
            std::filesystem::copy_file(regular, folder.path() / "next",
                                       std::filesystem::copy_options::overwrite_existing);
            std::filesystem::rename(folder.path() / "next", file);
            ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
            std::filesystem::rename(fifo, file);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        DeviceSettings s = defaultSettings();
        CalculatorInputs c;
        const LoadResult loaded = loadConfigFile(file, s, c);
        const std::string reason = reasonOf(loaded);
        EXPECT_TRUE(loaded || reason.ends_with("Is a FIFO, not a regular file") ||
                    reason.ends_with("No such file or directory"))
            << reason;
    }
    done = true;
}

// A dangling symlink creates the file it names (into an existing file, keeping its mode:
// FileCommands.OutputReplacesRegularFilesAtomicallyAndWritesOthersInPlace).
TEST(SaveConfigFile, RefusesWhatLoadWouldAndSavesWhereTheUserMeant) {
    const std::string tooLong = ": the text is longer than 65534 bytes with its quotes doubled";
    CalculatorInputs quotedAltitude;
    quotedAltitude.altitude.assign(kMaxCfgItemBytes / 2, '"');
    const std::tuple<Changes, CalculatorInputs, std::string> unsaved[] = {
        {{{CommentEvery, "0_3"}},
         {},
         "The comment interval \"0_3\" (Comment every) is not a number"},
        {{{MicEMessage, "-1"}}, {}, "Mic-E msg: choose a Mic-E message from the list"},
        {{{MicEMessage, "8"}}, {}, "Mic-E msg: choose a Mic-E message from the list"},
        {{{Beacon, std::string(kMaxCfgItemBytes - 1, 'c')}}, {}, "Comment" + tooLong},
        {{}, quotedAltitude, "Altitude" + tooLong},
    };
    TempFolder folder;
    const std::filesystem::path& in = folder.path();
    const auto old = folder.write("old.cfg", "old");
    for (const auto& [typed, calculator, reason] : unsaved) {
        const DeviceSettings settings = changed(defaultSettings(), typed);
        EXPECT_EQ(reasonOf(saveConfigFile(old, settings, calculator)), reason);
        EXPECT_EQ(readAll(old), "old");
    }
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
              (std::vector<std::string>{"Zelvar.cfg", "link.cfg", "new.cfg", "old.cfg", "sub"}));
}

}  // namespace
}  // namespace zelvar
