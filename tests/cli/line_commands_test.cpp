// zelvar-cli's commands on serial lines, run in-process on real pseudo-terminals: send judged by
// the transfer checker at the far end, receive fed by a writer that breaks transfers on purpose,
// loopback over an echo that may be wrong, and the doctor on devices that are there or not.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <regex>
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
using testing_support::kDefaultCfg;
using testing_support::TempFolder;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A pseudo-terminal in raw mode: the command opens `path`, the test plays the far end on
// `master`.
struct Pty {
    Pty() {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master, &slave, name, &raw, nullptr) == 0)
            path = name;
    }
    ~Pty() {
        ::close(master);
        ::close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    int master = -1;
    int slave = -1;
    std::string path;
};

// The bytes of the factory defaults as they go on the line.
std::string defaultWire(const TempFolder& folder) {
    return runCli({"image", folder.write("z.cfg", kDefaultCfg).string(), "--wire", "--raw"}).out;
}

class LineCommands : public ::testing::Test {
  protected:
    TempFolder folder;
    const std::string config = folder.write("default.cfg", kDefaultCfg).string();
    const std::string wire = defaultWire(folder);
    Pty pty;
};

// `receive` on its own thread; Ctrl+C is a pipe the test writes to.
class Receiver {
  public:
    explicit Receiver(std::vector<std::string> args) {
        EXPECT_EQ(::pipe(interrupt_), 0);
        args.insert(args.begin(), "receive");
        result_ = std::async(std::launch::async, [this, args] {
            return runCli(args, [this] {
                listening_.set_value();
                return interrupt_[0];
            });
        });
        // Once it asks how to be stopped, the device is open and the line flushed.
        std::future<void> listening = listening_.get_future();
        while (listening.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready &&
               result_.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        }
    }
    ~Receiver() {
        ::close(interrupt_[0]);
        ::close(interrupt_[1]);
    }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    void pressCtrlC() { EXPECT_EQ(::write(interrupt_[1], "\3", 1), 1); }
    CliRun finish() { return result_.get(); }

  private:
    int interrupt_[2] = {-1, -1};
    std::promise<void> listening_;
    std::future<CliRun> result_;
};

// Writes `data` as `steps` say: "FROM:TO" writes those bytes, a number pauses that many ms. Good
// transfers pause 800 ms after block 1, which passes even when receive, on a busy machine, reads
// the end of block 1 a few hundred milliseconds late.
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

CliRun receiveWhile(const std::vector<std::string>& args, const std::function<void()>& far) {
    Receiver receiver(args);
    far();
    return receiver.finish();
}

TEST_F(LineCommands, ReceiveJudgesGoodTransfersAsDecodeShowsThem) {
    const std::string decoded = runCli({"decode", folder.write("w.bin", wire).string()}).out;
    CliRun run = receiveWhile({"--device", pty.path},
                              [&] { transmit(pty.master, wire, "0:85 800 85:170"); });
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("Transfer OK\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "Pause after block 1: "));
    EXPECT_TRUE(contains(run.out, "at least 500 ms needed (the protocol's 600 ms less 100 ms"));
    EXPECT_EQ(run.out.substr(run.out.find("Wire bytes:")), decoded);
    EXPECT_TRUE(run.err.starts_with("Waiting on " + pty.path + " at 4800 bit/s")) << run.err;

    run = receiveWhile({"--device", pty.path, "--json", "--speed", "38400"},
                       [&] { transmit(pty.master, wire, "0:2 10 2:85 800 85:87 10 87:170"); });
    EXPECT_EQ(run.code, 0);
    std::string hex;
    for (char byte : wire)
        hex += hexByte(static_cast<std::uint8_t>(byte));
    EXPECT_TRUE(
        run.out.starts_with("{\"ok\": true, \"byteCount\": 170, \"bytes\": \"" + hex + "\""))
        << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

// The checker's verdicts are tested on their own; here, how receive shows and counts them.
TEST_F(LineCommands, ReceiveCountsFaultyAndGoodTransfers) {
    std::string badSum = wire;
    badSum[169] = static_cast<char>(badSum[169] ^ 0x5A);
    const CliRun run = receiveWhile({"--device", pty.path, "--count", "2"}, [&] {
        transmit(pty.master, badSum + wire, "0:85 800 85:170 2100 170:255 800 255:340");
    });
    EXPECT_EQ(run.code, 1);
    for (const std::string& said :
         {"Transfer 1 of 2 faulty:\n- block 2 checksum 0x" + hexByte(std::uint8_t(badSum[169])) +
              ", expected 0x" + hexByte(std::uint8_t(wire[169])),
          std::string("Transfer 2 of 2 OK\n"), std::string("\n2 of 2 transfers: 1 OK, 1 faulty\n")})
        EXPECT_TRUE(contains(run.out, said)) << said << "\n" << run.out;
}

TEST_F(LineCommands, ReceiveEndsOnTimeoutLostLineAndCtrlC) {
    CliRun run = receiveWhile({"--device", pty.path, "--timeout", "1"}, [] {});
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(contains(run.err, "nothing arrived on " + pty.path + " within 1 s")) << run.err;
    EXPECT_EQ(run.out, "");

    // A second receive finds the line taken; Ctrl+C leaves it as it was.
    termios before{};
    tcgetattr(pty.slave, &before);
    Receiver first({"--device", pty.path});
    run = runCli({"receive", "--device", pty.path, "--timeout", "1"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(contains(run.err, pty.path + " is in use: another program holds a lock on it"))
        << run.err;
    first.pressCtrlC();
    EXPECT_EQ(first.finish().code, 130);
    termios after{};
    tcgetattr(pty.slave, &after);
    EXPECT_EQ(std::tie(before.c_iflag, before.c_oflag, before.c_cflag, before.c_lflag),
              std::tie(after.c_iflag, after.c_oflag, after.c_cflag, after.c_lflag));
    EXPECT_EQ(cfgetispeed(&before), cfgetispeed(&after));

    // The far end goes away after block 1.
    run = receiveWhile({"--device", pty.path}, [&] {
        transmit(pty.master, wire, "0:85 300");
        ::close(pty.master);
        pty.master = -1;
    });
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(contains(run.out, "- only 85 of 170 bytes before the line closed"))
        << run.out << run.err;
    EXPECT_TRUE(contains(run.err, "zelvar-cli: " + pty.path + ": ")) << run.err;
}

TEST_F(LineCommands, ReceiveRefusesWrongArgumentsAndDevices) {
    const std::string missing = (folder.path() / "none").string();
    const std::string escaped = (folder.path() / "\x1b[31m").string();
    testing::expectRuns({
        {{"receive"}, 2, "--device"},
        {{"receive", "--device", pty.path, "--speed", "1200"}, 2, "--speed must be"},
        {{"receive", "--device", pty.path, "--timeout", "0"}, 2, "--timeout needs"},
        {{"receive", "--device", pty.path, "--count", "-1"}, 2, "--count needs"},
        {{"receive", "--device", pty.path, "extra"}, 2, "unexpected argument extra"},
        {{"receive", "--device", missing}, 2, "Cannot open " + missing + ": No such file"},
        {{"receive", "--device", config}, 2, config + " is not a serial device"},
        {{"receive", "--device", escaped},
         2,
         "Cannot open " + missing.substr(0, missing.size() - 4) + "\\x1B[31m: No such"},
    });
    EXPECT_FALSE(runCli({"receive", "--device", escaped}).says("\x1b"));
}

TEST_F(LineCommands, SendWritesWhatTheTrackerChecks) {
    for (const char* baud : {"9600", ""}) {
        testing::PtyFarEnd far;
        ASSERT_TRUE(far.ok());
        far.listen();
        std::vector<std::string> args = {"send", config, "--device", far.path()};
        if (*baud)
            args.insert(args.end(), {"--baud", baud});
        const CliRun run = runCli(args);
        std::optional<TransferReport> report = far.transfer();
        EXPECT_EQ(run.code, 0) << run.err;
        ASSERT_TRUE(report && report->ok()) << run.err;
        EXPECT_EQ(std::string(report->bytes.begin(), report->bytes.end()), wire);
        // At the file's 4800 bit/s the pause after block 1 starts once its 83 bytes have left
        // the wire (173 ms), which a pseudo-terminal does not wait for; the far end may read
        // up to 100 ms late.
        if (!*baud) {
            EXPECT_GE(report->gaps.at(1).length, std::chrono::milliseconds(673));
        }
        EXPECT_EQ(run.err,
                  "Sending data on " + far.path() +
                      "......\nData sent !\n Be shure that 'Transfer OK' appears on LCD\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(LineCommands, SendSaysWhyTheLineFailed) {
    // The tracker hangs up after block 1.
    std::thread hangUp([&] {
        std::size_t got = 0;
        char buffer[170];
        while (got < 85) {
            const ssize_t n = ::read(pty.master, buffer, 85 - got);
            if (n <= 0)
                break;
            got += std::size_t(n);
        }
        ::close(pty.master);
        pty.master = -1;
    });
    CliRun run = runCli({"send", config, "--device", pty.path});
    hangUp.join();
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(contains(run.err, "Input/output error")) << run.err;

    std::string noCall(kDefaultCfg);
    noCall.replace(noCall.find("\"NOCALL-9\""), 10, "\"\"");
    const std::string missing = (folder.path() / "no-such-tty").string();
    testing::expectRuns({
        {{"send", config, "--port", "0"}, 3, "Serial port 0 does not exist: port numbers start"},
        {{"send", config, "--device", missing}, 3, "Cannot open " + missing + ": No such file"},
        {{"send", config, "--device", missing}, 3, "- " + missing + " does not exist: the system"},
        {{"send", config, "--device", config}, 3, "zelvar-cli: "},
        // A build failure sends nothing: the port is not even looked for.
        {{"send", folder.write("nocall.cfg", noCall).string(), "--port", "0"}, 1, "Parametri"},
        {{"send", config}, 2, "give either --port or --device"},
        {{"send", config, "--port", "1", "--device", "/dev/null"}, 2, "give either"},
        {{"send", config, "--port", "1.5"}, 2, "--port needs a port number, not '1.5'"},
        {{"send", config, "--device", ""}, 2, "--device needs a device path"},
        {{"send", config, "--port", "1", "--baud", "1200"}, 2, "--baud must be 4800, 9600 or"},
        {{"send", "--port", "1"}, 2, "FILE.cfg is required"},
        {{"send", folder.write("cut.cfg", kDefaultCfg.substr(0, 40)).string(), "--port", "1"},
         2,
         "the file ends"},
    });
    run = runCli({"send", config, "--port", "0"});
    EXPECT_EQ(run.err.find("port numbers start at 1"), run.err.rfind("port numbers start at 1"));
    EXPECT_FALSE(runCli({"send", (folder.path() / "nocall.cfg").string(), "--port", "0"})
                     .says("Serial port"));
}

// The far end of a TX-RX bridge: what comes out of the port goes back through `echo`.
class Bridge {
  public:
    Bridge(int master, std::function<std::string(std::string)> echo) {
        EXPECT_EQ(::pipe(stop_), 0);
        thread_ = std::thread([this, master, echo] {
            std::array<pollfd, 2> watched = {pollfd{master, POLLIN, 0},
                                             pollfd{stop_[0], POLLIN, 0}};
            char buffer[256];
            while (::poll(watched.data(), 2, -1) > 0 && watched[1].revents == 0) {
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n <= 0)
                    return;
                const std::string back = echo(std::string(buffer, std::size_t(n)));
                if (!back.empty() && ::write(master, back.data(), back.size()) < 0)
                    return;
            }
        });
    }
    ~Bridge() {
        [[maybe_unused]] const ssize_t written = ::write(stop_[1], "", 1);
        thread_.join();
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    Bridge(const Bridge&) = delete;
    Bridge& operator=(const Bridge&) = delete;

  private:
    int stop_[2] = {-1, -1};
    std::thread thread_;
};

TEST_F(LineCommands, LoopbackTellsWhatCameBack) {
    struct Case {
        std::function<std::string(std::string)> echo;
        int code;
        std::string said;
    };
    const std::vector<Case> cases = {
        {[](std::string bytes) { return bytes; }, 0,
         "Loopback OK: all 170 bytes came back in order\n"},
        // A carriage return (first at byte 12) comes back as 0x1D, as noise would make it.
        {[](std::string bytes) {
             std::replace(bytes.begin(), bytes.end(), '\r', '\x1d');
             return bytes;
         },
         1,
         "Loopback faulty: speed mismatch or noise: 170 of 170 bytes came back, the first wrong "
         "one at byte 12 (0x0D sent, 0x1D back)\n"},
        {[](const std::string&) { return std::string(); }, 1, "No echo: are TX and RX bridged?\n"},
    };
    for (const Case& c : cases) {
        Pty line;
        const Bridge bridge(line.master, c.echo);
        const CliRun run = runCli({"loopback", "--device", line.path, "--speed", "38400"});
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_TRUE(run.out.starts_with(c.said)) << run.out;
        EXPECT_TRUE(contains(run.err, "at 38400 bit/s")) << run.err;
    }
    const std::string missing = (folder.path() / "none").string();
    testing::expectRuns({
        {{"loopback"}, 2, "--device"},
        {{"loopback", "--device", missing}, 2, "Cannot open " + missing + ": No such file"},
        {{"loopback", "--device", pty.path, "--speed", "115200"}, 2, "--speed must be"},
    });
}

TEST_F(LineCommands, DoctorFindsWhatStopsSend) {
    ::close(pty.slave);
    pty.slave = -1;
    const std::string missing = (folder.path() / "none").string();
    testing::expectRuns({
        {{"doctor", "--device", pty.path}, 0, pty.path + " can be opened for writing."},
        {{"doctor", "--device", missing}, 1, missing + " does not exist: the system lists"},
        {{"doctor", "--device", config}, 1, "is not a serial device"},
        {{"doctor", "--port", "0"}, 1, "Serial port 0 does not exist: port numbers start at 1."},
        {{"doctor", "--port", "255"}, 1, "Port 255 cannot be used:"},
        {{"doctor", "--port", "256"}, 2, "--port needs a port number"},
        {{"doctor", "--port", "1", "--device", pty.path}, 2, "not both"},
        {{"doctor", "--baud", "9600"}, 2, "unknown option --baud"},
        {{"doctor", pty.path}, 2, "unexpected argument"},
    });
    // Devices that open but are no serial line; nothing to end for them.
    for (const std::string device : {"/dev/null", "/dev/zero"}) {
        const CliRun run = runCli({"doctor", "--device", device});
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(run.says(device + " is not a serial device: it takes no line settings"));
        EXPECT_FALSE(run.says("Fix: kill")) << run.out;
    }
}

TEST(PortsCommand, ListsTheSamePortsAsTextAndJson) {
    const CliRun text = runCli({"ports"});
    const CliRun json = runCli({"ports", "--json"});
    ASSERT_EQ(text.code, 0);
    ASSERT_EQ(json.code, 0);
    std::vector<std::string> fromText;
    std::istringstream lines(text.out);
    for (std::string number, location, rest;
         lines >> number >> location && std::getline(lines, rest);)
        fromText.push_back(number + " " + location);
    std::vector<std::string> fromJson;
    const std::regex entry("\"number\": (\\d+), \"name\": \"[^\"]*\", \"location\": \"([^\"]*)\"");
    for (auto it = std::sregex_iterator(json.out.begin(), json.out.end(), entry);
         it != std::sregex_iterator(); ++it)
        fromJson.push_back((*it)[1].str() + " " + (*it)[2].str());
    EXPECT_EQ(fromText, fromJson);
    for (std::size_t i = 0; i < fromJson.size(); ++i)
        EXPECT_TRUE(fromJson[i].starts_with(std::to_string(i + 1) + " "));
    if (fromText.empty()) {
        EXPECT_TRUE(contains(text.err, "the system lists no serial ports"));
    }
}

}  // namespace
}  // namespace zelvar
