// zelvar-cli's commands on serial lines, run in-process on real pseudo-terminals whose far end the
// test plays: judging what send writes, breaking transfers on purpose, echoing wrongly.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <future>
#include <regex>
#include <semaphore>
#include <sstream>
#include <thread>

#include "../files/cfg_test_support.h"
#include "../ports/pty_far_end.h"
#include "cli_run.h"
#include "common/ascii.h"

namespace zelvar {
namespace {

using testing::CliRun;
using testing::runCli;
using testing_support::edited;
using testing_support::kDefaultCfg;
using testing_support::TempFolder;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class LineCommands : public ::testing::Test {
  protected:
    TempFolder folder;
    const std::string config = folder.write("default.cfg", kDefaultCfg).string();
    const std::string wire = runCli({"image", config, "--wire", "--raw"}).out;
    testing::PtyFarEnd line;  // the test plays the far end on its master
};

// "FROM:TO" writes those bytes, a number pauses that many ms. Good transfers pause 800 ms after
// block 1: enough when receive, on a busy machine, reads block 1's end a few hundred ms late.
void transmit(int fd, const std::string& data, const std::string& steps) {
    std::istringstream words(steps);
    for (std::string step; words >> step;) {
        if (const std::size_t colon = step.find(':'); colon != std::string::npos) {
            const std::size_t from = std::stoul(step.substr(0, colon));
            const std::size_t to = std::stoul(step.substr(colon + 1));
            ASSERT_EQ(::write(fd, data.data() + from, to - from), ssize_t(to - from));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(step)));
        }
    }
}

// `far` starts once receive has the line open and flushed (it then asks how it will be stopped) or
// has failed; it gets a pipe that stands for the signals: the byte written is the signal's number.
CliRun receiveWhile(std::vector<std::string> args, const std::function<void(int stop)>& far) {
    int interrupt[2] = {-1, -1};
    EXPECT_EQ(::pipe(interrupt), 0);
    std::counting_semaphore<2> ready(0);
    args.insert(args.begin(), "receive");
    std::future<CliRun> result = std::async(std::launch::async, [&] {
        CliRun run = runCli(args, [&] {
            ready.release();
            return interrupt[0];
        });
        ready.release();
        return run;
    });
    ready.acquire();
    far(interrupt[1]);
    CliRun run = result.get();
    ::close(interrupt[0]);
    ::close(interrupt[1]);
    return run;
}

// The checker's verdicts are tested on their own; here, how receive shows and counts them as a
// real line brings them: a good transfer as decode shows it; then a stray byte before the
// lead-in, a sender that does not pause and also spoils a checksum, a good transfer, and one cut
// off in block 2.
TEST_F(LineCommands, ReceiveShowsAndCountsFaultyAndGoodTransfersAndGivesJson) {
    const std::string decoded = runCli({"decode", folder.write("w.bin", wire).string()}).out;
    CliRun run = receiveWhile({"--device", line.path()},
                              [&](int) { transmit(line.master(), wire, "0:85 800 85:170"); });
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("Transfer OK\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "Pause after block 1: "));
    EXPECT_TRUE(contains(run.out, "at least 500 ms needed (the protocol's 600 ms less 100 ms"));
    EXPECT_EQ(run.out.substr(run.out.find("Wire bytes:")), decoded);
    EXPECT_TRUE(run.err.starts_with("Waiting on " + line.path() + " at 4800 bit/s")) << run.err;

    std::string badSum = wire;
    badSum[169] = static_cast<char>(badSum[169] ^ 0x5A);
    run = receiveWhile({"--device", line.path(), "--count", "4"}, [&](int) {
        transmit(line.master(), std::string(1, '\0') + wire + badSum + wire + wire,
                 "0:1 300 1:86 800 86:171 1000 171:341 1000 341:426 800 426:511 1000 511:596 800 "
                 "596:640");
    });
    EXPECT_EQ(run.code, 1);
    const std::string checksum = "- block 2 checksum 0x" + hexByte(std::uint8_t(badSum[169])) +
                                 ", expected 0x" + hexByte(std::uint8_t(wire[169])) + "\n";
    for (const std::string& said :
         {std::string("Transfer 1 of 4 faulty:\n- line noise: 0x00 before the lead-in\n"),
          std::string("Transfer 2 of 4 faulty:\n- second lead-in after "), checksum,
          std::string("Transfer 3 of 4 OK\n"),
          std::string("Transfer 4 of 4 faulty:\n- block 2 has only 42 of its 83 bytes\n"),
          std::string("- only 129 of 170 bytes within 2 s after the lead-in\n"),
          std::string("\n4 of 4 transfers: 1 OK, 3 faulty\n")})
        EXPECT_TRUE(contains(run.out, said)) << said << "\n" << run.out;

    run = receiveWhile({"--device", line.path(), "--json", "--baud", "38400"},
                       [&](int) { transmit(line.master(), wire, "0:170"); });
    EXPECT_EQ(run.code, 1);
    std::string hex;
    for (char byte : wire)
        hex += hexByte(static_cast<std::uint8_t>(byte));
    EXPECT_TRUE(
        run.out.starts_with("{\"ok\": false, \"byteCount\": 170, \"bytes\": \"" + hex + "\""))
        << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
    EXPECT_TRUE(contains(run.err, "at 38400 bit/s")) << run.err;
}

// Restoring the line on signals and on a closed output: tests/cli/end_to_end.sh, for real.
TEST_F(LineCommands, ReceiveEndsOnTimeoutLostLineAndSignals) {
    CliRun run = receiveWhile({"--device", line.path(), "--timeout", "1"}, [](int) {});
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(contains(run.err, "nothing arrived on " + line.path() + " within 1 s")) << run.err;
    EXPECT_EQ(run.out, "");

    // The descriptor that stops receive brings the signal's number; root's send, which the
    // device's exclusive mode does not stop, keeps off it too.
    run = receiveWhile({"--device", line.path()}, [&](int stop) {
        const CliRun second = runCli({"receive", "--device", line.path(), "--timeout", "1"});
        EXPECT_EQ(second.code, 2);
        EXPECT_TRUE(contains(second.err, line.path() + " is in use: another program holds a lock"))
            << second.err;
        const CliRun send = runCli({"send", config, "--device", line.path()});
        EXPECT_EQ(send.code, 3) << send.err;
        EXPECT_TRUE(contains(send.err, line.path() + " is in use: another program holds a lock"))
            << send.err;
        EXPECT_EQ(runCli({"doctor", "--device", line.path()}).code, 1);
        const char signal = SIGTERM;
        EXPECT_EQ(::write(stop, &signal, 1), 1);
    });
    EXPECT_EQ(run.code, 128 + SIGTERM);

    run = receiveWhile({"--device", line.path()}, [&](int) {
        transmit(line.master(), wire, "0:85 300");
        line.closeMaster();
    });
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(contains(run.out, "- only 85 of 170 bytes before the line closed"))
        << run.out << run.err;
    EXPECT_TRUE(contains(run.err, "zelvar-cli: " + line.path() + ": ")) << run.err;
}

// --baud 4800 over the file's 38400: the pause starts once block 1's 83 bytes have left the wire
// (173 ms), which a pseudo-terminal does not wait for; the far end may read up to 100 ms late.
// The device is named through a link whose name holds a line break, which the progress escapes.
// Then the tracker hangs up after block 1, and send says why the line failed.
TEST_F(LineCommands, SendWritesWhatTheTrackerChecks) {
    const std::string fast = edited("\r\n0\r\n", "\r\n2\r\n");
    const std::filesystem::path device = folder.path() / "x\nData sent !";
    std::filesystem::create_symlink(line.path(), device);
    line.listen();
    const CliRun run = runCli({"send", folder.write("fast.cfg", fast).string(), "--device",
                               device.string(), "--baud", "4800"});
    const std::optional<TransferReport> report = line.transfer();
    EXPECT_EQ(run.code, 0) << run.err;
    ASSERT_TRUE(report && report->ok()) << run.err;
    EXPECT_EQ(std::string(report->bytes.begin(), report->bytes.end()), wire);
    EXPECT_GE(report->gaps.at(1).length, std::chrono::milliseconds(673));
    // The notes of check come first.
    EXPECT_EQ(run.err,
              "warning: MY CALLSIGN: The callsign is still the factory placeholder NOCALL-9\n"
              "hint: APRS PATH: The path asks for 3 hops; 2 are usually enough\n"
              "hint: APRS message TO CALL: The message goes to the factory placeholder NOCALL\n"
              "Sending data on " +
                  folder.path().string() +
                  "/x\\x0AData sent !......\nData sent !\n Be shure that 'Transfer OK' "
                  "appears on LCD\n");
    EXPECT_EQ(run.out, "");

    std::thread hangUp([&] {
        char buffer[85];
        for (ssize_t got = 0, n = 1; got < 85 && n > 0; got += n)
            n = ::read(line.master(), buffer, std::size_t(85 - got));
        line.closeMaster();
    });
    const CliRun cut = runCli({"send", config, "--device", line.path()});
    hangUp.join();
    EXPECT_EQ(cut.code, 3);
    EXPECT_TRUE(contains(cut.err, "Input/output error")) << cut.err;
}

// A --device relative to the working folder names one device for every command: a name found
// there is that file, as the shell would have it; one that names nothing there is the system's
// device of that name (pts/3 for /dev/pts/3), as send has always read it.
TEST_F(LineCommands, RelativeDeviceNamesOneDeviceForEveryCommand) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::create_symlink(line.path(), folder.path() / "line");
    std::filesystem::current_path(folder.path());
    const std::string inDev = line.path().substr(std::string("/dev/").size());
    const CliRun here = runCli({"doctor", "--device", "line"});
    const CliRun there = runCli({"doctor", "--device", inDev});
    line.listen();
    const CliRun sent = runCli({"send", config, "--device", "line", "--baud", "38400"});
    const std::optional<TransferReport> report = line.transfer();
    std::filesystem::current_path(before);
    EXPECT_EQ(here.code, 0) << here.out;
    EXPECT_EQ(there.code, 0) << there.out;
    EXPECT_EQ(sent.code, 0) << sent.err;
    EXPECT_TRUE(report && report->ok()) << sent.err;
}

// The doctor's findings are tested on made-up systems (tests/ports/port_doctor_test.cpp); here,
// the real system's answers and each command's exit codes.
TEST_F(LineCommands, RefuseWrongArgumentsAndDevices) {
    const std::string missing = (folder.path() / "none").string();
    const std::string escaped = (folder.path() / "\x1b[31m").string();
    const std::string escapedShown = (folder.path() / "\\x1B[31m: No such").string();
    // A line break in a name makes no line of its own, in the findings either.
    const std::string fake = (folder.path() / "x\nData sent !").string();
    const std::string fakeShown = (folder.path() / "x\\x0AData sent ! does not exist").string();
    const std::string noCall = folder.write("nocall.cfg", edited("\"NOCALL-9\"", "\"\"")).string();
    const std::string cutFile = folder.write("cut.cfg", kDefaultCfg.substr(0, 40)).string();
    // Baud -1: no entry of the list, so no speed at all.
    const std::string noSpeed =
        folder.write("nospeed.cfg", edited("\r\n0\r\n", "\r\n-1\r\n")).string();
    const std::string tty = line.path();
    const std::string notSerial = "/dev/null is not a serial device: it takes no";
    testing::expectRuns({
        {{"receive"}, 2, "--device"},
        {{"receive", "--device", tty, "--speed", "1200"}, 2, "--baud must be"},
        {{"receive", "--device", tty, "--timeout", "0"}, 2, "--timeout needs"},
        {{"receive", "--device", tty, "--count", "-1"}, 2, "--count needs"},
        {{"receive", "--device", missing}, 2, "Cannot open " + missing + ": No such file"},
        {{"receive", "--device", config}, 2, config + " is not a serial device"},
        {{"receive", "--device", escaped}, 2, escapedShown, "\x1b"},
        {{"receive", "--device", fake}, 2, fakeShown, "\nData sent !"},
        {{"loopback", "--device", missing}, 2, "Cannot open " + missing + ": No such file"},
        {{"loopback", "--device", tty, "--speed", "115200"}, 2, "--baud must be"},
        {{"receive", "--device", ""}, 2, "--device needs a device path"},
        {{"loopback", "--device="}, 2, "--device needs a device path"},
        // The port's reason is said once, not again by the doctor's findings.
        {{"send", config, "--port", "0"}, 3, "Serial port 0 does not exist: port", "- Serial port"},
        {{"send", config, "--device", missing}, 3, "Cannot open " + missing + ": No such file"},
        {{"send", config, "--device", missing}, 3, "- " + missing + " does not exist: the system"},
        {{"send", config, "--device", config}, 3, "zelvar-cli: "},
        {{"send", config, "--device", fake}, 3, fakeShown, "\nData sent !"},
        // No speed is the file's fault: the port is not asked, and the doctor not heard.
        {{"send", noSpeed, "--device", tty},
         3,
         "zelvar-cli: Invalid line settings ',n,8,1': no speed is chosen in Baud\n",
         "\n- "},
        // A build failure sends nothing: the port is not even looked for.
        {{"send", noCall, "--port", "0"}, 1, "Parametri", "Serial port"},
        {{"send", config}, 2, "give either --port or --device"},
        {{"send", config, "--port", "1", "--device", "/dev/null"}, 2, "give either"},
        {{"send", config, "--port", "1.5"}, 2, "--port needs a port number, not '1.5'"},
        {{"send", config, "--device", ""}, 2, "--device needs a device path"},
        {{"send", config, "--port", "1", "--baud", "1200"}, 2, "--baud must be 4800, 9600 or"},
        {{"send", cutFile, "--port", "1"}, 2, "the file ends"},
        {{"doctor", "--device", tty}, 0, tty + " can be opened for writing."},
        {{"doctor", "--device", missing}, 1, missing + " does not exist: the system lists"},
        {{"doctor", "--device", config}, 1, "is not a serial device"},
        {{"doctor", "--device", fake}, 1, fakeShown, "\nData sent !"},
        // A device that opens but is no serial line; nothing to end for it.
        {{"doctor", "--device", "/dev/null"}, 1, notSerial, "Fix: kill"},
        {{"doctor", "--port", "255"}, 1, "Port 255 cannot be used:"},
        {{"doctor", "--port", "256"}, 2, "--port needs a port number"},
        {{"doctor", "--port", "1", "--device", tty}, 2, "not both"},
        // Digits typed with an East Asian input method are their ASCII, as in Comm num.
        {{"doctor", "--port", "２５５"}, 1, "Port 255 cannot be used:"},
        {{"send", config, "--port", "０", "--baud", "９６００"}, 3, "Serial port 0 does not exist"},
        {{"receive", "--device", missing, "--baud", "３８４００", "--timeout", "１", "--count",
          "２"},
         2,
         "Cannot open " + missing},
        {{"loopback", "--device", missing, "--speed", "９６００"}, 2, "Cannot open " + missing},
    });
}

// A TX-RX bridge that echoes what the port writes, each carriage return as `cr`, or echoes nothing;
// `held` bytes it keeps until they are all there, as an adapter with a deep buffer might.
std::jthread bridge(int master, char cr, bool echoes, std::size_t held = 0) {
    return std::jthread([=](const std::stop_token& stop) {
        pollfd watched{master, POLLIN, 0};
        std::string kept;
        char buffer[256];
        while (!stop.stop_requested()) {
            if (::poll(&watched, 1, 10) <= 0)
                continue;
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                return;
            kept.append(buffer, std::size_t(n));
            std::replace(kept.begin(), kept.end(), '\r', cr);
            if (kept.size() < held)
                continue;
            if (echoes && ::write(master, kept.data(), kept.size()) < 0)
                return;
            kept.clear();
        }
    });
}

TEST(LoopbackCommand, TellsWhatCameBack) {
    const std::tuple<char, bool, std::size_t, int, std::string> cases[] = {
        {'\r', true, 0, 0, "Loopback OK: all 170 bytes came back in order\n"},
        // A carriage return (first at byte 12) comes back as 0x1D, as noise would make it.
        {'\x1d', true, 0, 1,
         "Loopback faulty: speed mismatch or noise: 170 of 170 bytes came back, the first wrong "
         "one at byte 12 (0x0D sent, 0x1D back)\n"},
        {'\r', false, 0, 1, "No echo: are TX and RX bridged?\n"},
        // Every byte back, but all at once: no pause after block 1.
        {'\r', true, 170, 1,
         "Loopback faulty: all 170 bytes came back in order, but not as the tracker needs them:\n"
         "- second lead-in after "},
    };
    for (const auto& [cr, echoes, held, code, said] : cases) {
        // The echo is a thread of this test: on a loaded machine it may hand block 1 back late
        // enough to shorten the pause it shows, so a good loopback gets three tries.
        CliRun run;
        const int tries = code == 0 ? 3 : 1;
        for (int attempt = 0; attempt < tries && run.code != 0; ++attempt) {
            testing::PtyFarEnd line;
            const std::jthread echoing = bridge(line.master(), cr, echoes, held);
            run = runCli({"loopback", "--device", line.path(), "--speed", "38400"});
        }
        EXPECT_EQ(run.code, code) << run.err;
        EXPECT_TRUE(run.out.starts_with(said)) << run.out;
        EXPECT_TRUE(contains(run.err, "at 38400 bit/s")) << run.err;
    }
}

// Numbering the ports as send does is tested in tests/ports/port_resolver_test.cpp.
TEST(PortsCommand, ListsTheSamePortsAsTextAndJson) {
    const CliRun text = runCli({"ports"});
    const CliRun json = runCli({"ports", "--json"});
    ASSERT_EQ(text.code + json.code, 0);
    std::string fromText;
    std::istringstream lines(text.out);
    for (std::string number, location, rest;
         lines >> number >> location && std::getline(lines, rest);)
        fromText += number + " " + location + "\n";
    std::string fromJson;
    const std::regex entry("\"number\": (\\d+), \"name\": \"[^\"]*\", \"location\": \"([^\"]*)\"");
    for (auto it = std::sregex_iterator(json.out.begin(), json.out.end(), entry);
         it != std::sregex_iterator(); ++it)
        fromJson += (*it)[1].str() + " " + (*it)[2].str() + "\n";
    EXPECT_EQ(fromText, fromJson);
    EXPECT_EQ(fromText.empty(), contains(text.err, "the system lists no serial ports"));
}

}  // namespace
}  // namespace zelvar
