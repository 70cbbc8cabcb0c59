// zelvar-cli's commands on files, run in-process on real files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <regex>
#include <thread>

#include "../files/cfg_test_support.h"
#include "cli_run.h"
#include "common/ascii.h"
#include "files/cfg_file.h"
#include "transfer/block_framing.h"

namespace zelvar {
namespace {

using testing::runCli;
using testing_support::edited;
using testing_support::kDefaultCfg;
using testing_support::readAll;
using testing_support::TempFolder;

std::string bytesOf(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class FileCommands : public ::testing::Test {
  protected:
    std::string file(const std::string& name, std::string_view bytes) const {
        return folder.write(name, bytes).string();
    }
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }

    TempFolder folder;
    const std::string defaults = file("default.cfg", kDefaultCfg);
    const std::string noCall = file("nocall.cfg", edited("\"NOCALL-9\"", "\"\""));
    // Written roughly: the build raises the TX delay and the beacon interval.
    const std::string rough =
        file("rough.cfg", edited("\"0480\"", "\"0005\"", edited("\"200\",\"08\"", "\"10\",\"8\"")));
};

TEST_F(FileCommands, ImageIsTheCoresBuildThatNormalizeKeeps) {
    DeviceSettings settings = defaultSettings();
    CalculatorInputs calculator;
    ConfigImage image{};
    ASSERT_TRUE(loadConfigFile(rough, settings, calculator) && buildConfigImage(settings, image));
    EXPECT_EQ(runCli({"image", rough, "--raw"}).out, bytesOf(image));
    EXPECT_EQ(runCli({"image", rough, "--wire", "--raw"}).out, bytesOf(wireBytes(image)));
    std::string hex;
    for (std::uint8_t byte : image)
        hex += hexByte(byte);
    EXPECT_EQ(runCli({"image", rough}).out, asciiLowered(hex) + "\n");

    ASSERT_EQ(runCli({"normalize", rough, "-o", path("tidy.cfg")}).code, 0);
    const std::string tidy = readAll(path("tidy.cfg"));
    EXPECT_TRUE(tidy.starts_with("\"1\",\"027\",\"08\",0,\">\",0\r\n\"0010\"\r\n")) << tidy;
    EXPECT_EQ(runCli({"normalize", path("tidy.cfg")}).out, tidy);
    EXPECT_EQ(runCli({"normalize", rough, "-o", "-"}).out, tidy);  // stdout, no file named "-"
    EXPECT_EQ(runCli({"image", path("tidy.cfg")}).out, runCli({"image", rough}).out);
}

TEST_F(FileCommands, DecodeShowsImageAndWireAlike) {
    file("image.hex", runCli({"image", defaults}).out);
    file("wire.bin", runCli({"image", defaults, "--wire", "--raw"}).out);
    const testing::CliRun fromImage = runCli({"decode", path("image.hex")});
    const testing::CliRun fromWire = runCli({"decode", path("wire.bin")});
    ASSERT_EQ(fromImage.code, 0) << fromImage.err;
    ASSERT_EQ(fromWire.code, 0) << fromWire.err;
    EXPECT_EQ(
        edited("Wire bytes: 170, lead-ins and checksums correct", "Image bytes: 164", fromWire.out),
        fromImage.out);
    for (const char* row : {"\"NOCALL-9\"", "every 480 s", "200 ms (30 flags)"})
        EXPECT_NE(fromImage.out.find(row), std::string::npos) << row;

    // An escape sequence in the comment is shown, not obeyed, and an invisible soft hyphen or a C1
    // control shows as its code; Latin-1 reaches a terminal as UTF-8.
    const std::string hex = readAll(path("image.hex"));
    // The hex as an editor saves it, with the UTF-8 mark and Windows line ends, is that image.
    file("marked.hex", "\xEF\xBB\xBF" + hex.substr(0, 164) + "\r\n" + hex.substr(164));
    const testing::CliRun marked = runCli({"decode", path("marked.hex")});
    EXPECT_EQ(marked.out, fromImage.out) << marked.err;
    file("escape.hex", hex.substr(0, 76) + "1b5bad6de99b" + hex.substr(88));
    const testing::CliRun escaped = runCli({"decode", path("escape.hex")});
    EXPECT_NE(escaped.out.find("\"\\x1B[\\u00ADm\xc3\xa9\\u009B, version 4.0"), std::string::npos)
        << escaped.out;
    EXPECT_EQ(escaped.out.find('\x1b'), std::string::npos);
}

// Every reader meets a cut, garbage or hostile file; wrong arguments are usage errors, and help
// goes to stdout (a failure to write it: tests/cli/end_to_end.sh).
TEST_F(FileCommands, RefusalsSayWhy) {
    std::string wire = runCli({"image", defaults, "--wire", "--raw"}).out;
    wire[84] = '\0';
    std::string garbage(3000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 7919 % 251);
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    testing::expectRuns({
        {{"decode", file("badsum.bin", wire)}, 2, "block 1: bad checksum 0x"},
        {{"decode", file("short.bin", garbage.substr(0, 100))}, 2, "found 100 bytes"},
        {{"decode", file("one.bin", "A")}, 2, "found 1 byte\n"},
        {{"decode", file("big.bin", std::string(200'000, '0'))}, 2, "too large for an image"},
        {{"decode", path("none")}, 2, "none: No such file or directory"},
        {{"decode", path("fifo")}, 2, "Is a FIFO, not a regular file"},
        {{"image", path("fifo")}, 2, "Is a FIFO, not a regular file"},
        {{"image", path("none.cfg")}, 2, "No such file or directory"},
        {{"image", file("cut.cfg", kDefaultCfg.substr(0, 30))}, 2, "the file ends"},
        {{"diff", defaults, path("cut.cfg")}, 2, "the file ends"},
        {{"image", file("garbage.cfg", garbage)}, 2, "zelvar-cli: "},
        {{"image", noCall}, 1, "Parametri incompleti o non corretti\nmyCall"},
        {{"diff", noCall, defaults}, 1, "nocall.cfg: Parametri incompleti o non corretti: MY CALL"},
        {{"normalize", noCall, "-o", path("never.cfg")}, 1, "Parametri incompleti"},
        {{"normalize", "--", "-o"}, 2, "-o: No such file or directory"},
        {{"defaults", "-o", "/dev/full"}, 2, "/dev/full: No space left on device"},
        {{"defaults", "-o", ""}, 2, "empty file name"},
        // A refused locator and the other options: AdviceCommands.PositionTakesEveryNotation.
        {{"position", "--lat", "0", "--lon", "0", "--normal", "--compressed"}, 2, "choose one"},
        {{"position", "--lat", "0.00.00", "--lon"}, 2, "--lon needs a value\nUsage:"},
        {{"loopback", "--device", "x", "--speed"}, 2, "zelvar-cli: --speed needs a value"},
        {{"image", "--wire=x", "a.cfg"}, 2, "zelvar-cli: --wire takes no value"},
        // "--name=" is an empty value, as "--name ''" is: the word after it stays itself.
        {{"--lang=", "symbols", "car"}, 0, "primary    car"},
        {{"position", "--alt=", "--lat", "0", "--lon", "0"}, 1, "invalid altitude \"\""},
        {{"send", "a.cfg", "--device=", "--baud", "9600"}, 2, "--device needs a device path"},
        {{"image"}, 2, "zelvar-cli: FILE.cfg is required"},
        // A name that starts with "-" is an option to the parser: said so, not "required".
        {{"image", "-x.cfg"}, 2, "zelvar-cli: unknown option -x.cfg\nUsage: zelvar-cli image"},
        {{"diff", "-a.cfg", "b.cfg"}, 2, "zelvar-cli: unknown option -a.cfg\n"},
        {{"frobnicate"}, 2, "unknown command frobnicate\nUsage: zelvar-cli COMMAND"},
        {{"image", "a.cfg", "--bogus"}, 2, "unknown option --bogus\nUsage: zelvar-cli image"},
        {{"defaults", "--", "-o"}, 2, "unexpected argument -o\nUsage: zelvar-cli defaults"},
        {{"diff", "a.cfg"}, 2, "Usage: zelvar-cli diff"},
        {{"ports", "extra"}, 2, "unexpected argument extra"},
        {{}, 2, "Commands:"},
        {{"--help"}, 0, "\n  position "},
        {{"position", "--help"}, 0, "--alternate-table"},
        {{"send", "--help"}, 0, "128 + the signal that ended it: 130 Ctrl+C, 143 SIGTERM"},
        // The old word --speed works but is shown nowhere, the synopsis included.
        {{"loopback", "--help"}, 0, "loopback --device PATH [--baud BAUD]\n", "--speed"},
    });
    EXPECT_FALSE(std::filesystem::exists(path("never.cfg")));
}

TEST_F(FileCommands, OutputReplacesRegularFilesAtomicallyAndWritesOthersInPlace) {
    // Through a symlink into its file, keeping the mode; a reader of the old file keeps it.
    file("real.cfg", "old");
    ::chmod(path("real.cfg").c_str(), 0604);
    std::filesystem::create_symlink("real.cfg", path("link.cfg"));
    const int earlier = ::open(path("real.cfg").c_str(), O_RDONLY);
    EXPECT_EQ(runCli({"normalize", rough, "-o", path("link.cfg")}).code, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.cfg")));
    EXPECT_EQ(readAll(path("real.cfg")), runCli({"normalize", rough}).out);
    struct stat written {};
    ::stat(path("real.cfg").c_str(), &written);
    EXPECT_EQ(written.st_mode & 0777, 0604u);
    char old[4] = {};
    EXPECT_EQ(::pread(earlier, old, 3, 0), 3);
    EXPECT_STREQ(old, "old");
    ::close(earlier);

    // A named pipe is written, not replaced; `defaults` gives what Save writes.
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    std::string fromPipe;
    std::thread reader([&] { fromPipe = readAll(path("fifo")); });
    EXPECT_EQ(runCli({"defaults", "-o", path("fifo")}).code, 0);
    reader.join();
    EXPECT_EQ(fromPipe, kDefaultCfg);
    EXPECT_EQ(runCli({"defaults"}).out, kDefaultCfg);
    EXPECT_TRUE(std::filesystem::is_fifo(path("fifo")));
}

TEST_F(FileCommands, DiffListsWhatTheTrackerGetsDifferently) {
    // Written differently, built into the same bytes: "8" retries are "08", 201 ms are 30 flags.
    const std::string same = file("same.cfg", edited("\"200\",\"08\"", "\"201\",\"8\""));
    const std::string other =
        file("b.cfg", edited("\"NOCALL-9\"", "\"QX9ABC-7\"", edited("\"200\"", "\"10\"")));
    testing::expectRuns(
        {{{"diff", defaults, same}, 0, "gets the same 170 bytes from both files\n"}});
    const testing::CliRun run = runCli({"diff", defaults, other});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(std::regex_search(
        run.out, std::regex(":\n[^\n]+ 200 ms \\(30 flags\\) -> 27 ms \\(4 flags\\)\n"
                            "[^\n]+ \"NOCALL-9\" -> \"QX9ABC-7\"\n$")))
        << run.out;
    // A name that turns the rest of the line around, and a callsign with an invisible soft hyphen.
    const std::string turned = file("a\u202Egfc.cfg", edited("\"NOCALL-9\"",
                                                             "\"NOC\xAD"
                                                             "ALL-9\""));
    const testing::CliRun hidden = runCli({"diff", turned, defaults});
    EXPECT_NE(hidden.out.find("first " + path("a\\u202Egfc.cfg") + ", then"), std::string::npos)
        << hidden.out;
    EXPECT_NE(hidden.out.find("\"NOC\\u00ADAL-9\" -> \"NOCALL-9\""), std::string::npos)
        << hidden.out;
}

}  // namespace
}  // namespace zelvar
