#include "ports/port_doctor.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>

#include "../files/cfg_test_support.h"
#include "../text/marked_catalogue.h"
#include "ports/diagnosis_format.h"
#include "ports/host_port_system.h"
#include "ports/stable_device_names.h"
#include "transfer/transfer_plan.h"

namespace zelvar {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kDialout = 20;
constexpr std::uint32_t kUucp = 10;

struct TempRoot {
    testing_support::TempFolder folder;
};
// Files, links, /proc and udev folders are real, in a temporary root; what a test cannot make
// there (device nodes, another user, the group database, the open's outcome) is made up.
class FakeSystem final : TempRoot, public HostPortSystem {
  public:
    // Never the owner of the files the test writes, so that they are another user's.
    FakeSystem() : HostPortSystem(folder.path().string()) { user.uid = ::getuid() + 1000; }

    void file(const std::string& path, std::string_view content = {}, bool link = false) {
        const fs::path at = folder.path() / path.substr(1);
        fs::create_directories(at.parent_path());
        if (link)
            fs::create_symlink(content, at);
        else
            folder.write(path.substr(1), content);
    }
    void device(const std::string& path) {
        file(path);
        devices[path] = {true, 0660, 0, kDialout, 188, 0};
    }
    void process(int pid, const std::string& program, const std::string& openFile = {}) {
        file("/proc/" + std::to_string(pid) + "/comm", program + "\n");
        if (!openFile.empty())
            file("/proc/" + std::to_string(pid) + "/fd/3", openFile, true);
    }
    // A process in the tree: its parent and its session, under a name that holds ") ".
    void ancestry(int pid, int parent, int session) {
        file("/proc/" + std::to_string(pid) + "/stat",
             std::to_string(pid) + " (a) b) S " + std::to_string(parent) + " " +
                 std::to_string(pid) + " " + std::to_string(session) + " 34817 0 0\n");
    }

    // A link to a made-up device has that device's status, as the system follows links.
    std::optional<PathStatus> status(const std::string& path) const override {
        const std::string device = HostPortSystem::realPath(path).value_or(path);
        return devices.contains(path)     ? devices.at(path)
               : devices.contains(device) ? devices.at(device)
                                          : HostPortSystem::status(path);
    }
    std::optional<std::string> realPath(const std::string& path) const override {
        return devices.contains(path) ? path : HostPortSystem::realPath(path);
    }
    ProcessIdentity identity() const override { return user; }
    std::optional<std::string> groupName(std::uint32_t gid) const override {
        return gid == kDialout ? "dialout" : gid == kUucp ? "uucp" : std::optional<std::string>();
    }
    std::optional<std::uint32_t> groupId(const std::string& name) const override {
        return name == "dialout" ? kDialout
               : name == "uucp"  ? kUucp
                                 : std::optional<std::uint32_t>();
    }
    std::vector<std::uint32_t> databaseGroups(const ProcessIdentity&) const override {
        return database;
    }
    std::vector<std::string> entries(const std::string& listed) const override {
        std::vector<std::string> names = HostPortSystem::entries(listed);
        if (listedBackwards)
            std::ranges::reverse(names);
        return names;
    }
    OpenAttempt tryOpen(const std::string&) const override { return open; }

    std::map<std::string, PathStatus> devices;
    ProcessIdentity user{"alice", 0, {1000, kDialout}, 900};
    std::vector<std::uint32_t> database{1000, kDialout};
    OpenAttempt open{OpenOutcome::Opened, {}};  // how opening any device ends
    bool listedBackwards = false;  // folders listed in an order other than the sorted one
};

NumberedPort port(int number, std::string name, std::string location, std::string usbId = {}) {
    NumberedPort numbered{number, {std::move(name), std::move(location), {}}};
    numbered.device.usbId = std::move(usbId);
    return numbered;
}

const std::vector<NumberedPort> kLinuxPorts = {port(1, "ttyUSB0", "/dev/ttyUSB0", "1a86:7523"),
                                               port(2, "ttyACM0", "/dev/ttyACM0", "2341:0043"),
                                               port(3, "ttyS0", "/dev/ttyS0")};
const std::vector<NumberedPort> kWindowsPorts = {port(1, "COM1", "COM1"),
                                                 port(12, "COM12", "\\\\.\\COM12")};

using K = FindingKind;
using S = FakeSystem&;
using Step = std::function<void(S)>;

Step opens(OpenOutcome outcome, const std::string& reason) {
    return [=](S s) { s.open = {outcome, reason}; };
}
const Step kRefused = opens(OpenOutcome::Refused, "Permission denied");
const Step kBusy = opens(OpenOutcome::Busy, "Device or resource busy");
const Step kLocked = opens(OpenOutcome::Locked, "Permission error while locking the device");

Step runs(int pid, const std::string& program, const std::string& openFile = {}) {
    return [=](S s) { s.process(pid, program, openFile); };
}
Step put(const std::string& path, const std::string& content = {}, bool link = false) {
    return [=](S s) { s.file(path, content, link); };
}
Step lock(const std::string& content) {
    return put("/run/lock/LCK..ttyUSB0", content);
}
const Step kOutOfGroup = [](S s) { s.user.groups = s.database = {1000}; };
const std::string kBrlttyRules =
    "# Device: 1A86:7523\n"
    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n"
    "# ENV{PRODUCT}==\"10c4/ea60/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\"\n";
const Step kBrlttyRulesOnly = put("/usr/lib/udev/rules.d/85-brltty.rules", kBrlttyRules);
const Step kBrltty = [](S s) {
    kBrlttyRulesOnly(s);
    s.file("/usr/bin/brltty");
};
// This process (900) runs in bash (800, the session's leader) under sshd (4194302).
const Step kInASession = [](S s) {
    s.ancestry(900, 800, 800);
    s.ancestry(800, 4194302, 800);
    s.ancestry(4194302, 1, 4194302);
    s.process(800, "bash", "/dev/ttyUSB0");
    s.process(4194302, "sshd");
};
// The fix for ttyUSB0 that only root may open: a udev rule for it, and alice in dialout.
const std::string kUdevFix =
    "echo 'KERNEL==\"ttyUSB0\", GROUP=\"dialout\", MODE=\"0660\"' | sudo tee "
    "/etc/udev/rules.d/70-zelvar-ttyUSB0.rules && sudo udevadm control --reload-rules && sudo "
    "udevadm trigger && sudo usermod -aG dialout alice";
const std::string kRmLock = "sudo rm /run/lock/LCK..ttyUSB0";
const std::string kMmFix =
    "echo 'ATTRS{idVendor}==\"2341\", ATTRS{idProduct}==\"0043\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"' "
    "| sudo tee /etc/udev/rules.d/70-zelvar-no-modemmanager.rules && sudo udevadm control "
    "--reload-rules && sudo udevadm trigger";

struct DoctorCase {
    const char* name;
    std::string target;  // a device named outright, or "#N" for port N
    std::vector<Step> setUp;
    std::vector<std::pair<K, bool>> found;  // kind and whether it stops SEND
    std::string text = {};                  // part of what the findings say
    std::string fix = {};                   // the last finding's fix
    Platform platform = Platform::Linux;
};
DoctorCase row(const char* name, std::string target, std::vector<Step> setUp,
               std::vector<std::pair<K, bool>> found, std::string text = {}, std::string fix = {},
               Platform platform = Platform::Linux) {
    return {name, target, setUp, found, text, fix, platform};
}

const DoctorCase kCases[] = {
    row("MembershipWaitsForALogin", "#1", {kRefused, [](S s) { s.user.groups = {1000}; }},
        {{K::LoginPending, true}}, "log out and in again", "newgrp dialout"),
    row("OwnerOnly", "#1",
        {kRefused, kOutOfGroup, [](S s) { s.devices["/dev/ttyUSB0"].mode = 0600; }},
        {{K::NoAccess, true}}, "Only root may open /dev/ttyUSB0 (crw-------)",
        kUdevFix),
    // udev's rule names the kernel's device, not the stable link it was reached by.
    row("OwnerOnlyByItsStableName", "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0",
        {kRefused, kOutOfGroup, [](S s) { s.devices["/dev/ttyUSB0"].mode = 0600; },
         put("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0", "../../ttyUSB0", true)},
        {{K::NoAccess, true}}, "Only root may open /dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0",
        kUdevFix),
    row("RefusedDespiteThePermissions", "#1", {kRefused}, {{K::Refused, true}},
        "(Permission denied)"),
    row("OtherFailure", "#3", {opens(OpenOutcome::Failed, "Input/output error")},
        {{K::OpenFailed, true}}, "Cannot open /dev/ttyS0: Input/output error."),
    row("HeldExclusively", "#1",
        {kBusy, runs(1234567, "minicom", "/dev/ttyUSB0"), runs(4343, "bash", "/dev/pts/1")},
        {{K::HeldByProcess, true}}, "held by minicom (PID 1234567)", "kill 1234567"),
    // Of the programs that have it open, the kernel's lock table names the one that holds it
    // (zelvar-cli receive); socat, which made the pseudo-terminal, has it open as well.
    row("HeldByTheProgramThatLocksIt", "#1",
        {kBusy, runs(4150, "socat", "/dev/ttyUSB0"), runs(4242, "zelvar-cli", "/dev/ttyUSB0"),
         [](S s) {
             s.devices["/dev/ttyUSB0"].fileSystemMinor = 0x1a;
             s.devices["/dev/ttyUSB0"].inode = 6;
         },
         put("/proc/locks",
             "1: FLOCK  ADVISORY  WRITE 4242 00:1a:6 0 EOF\n"
             "1: -> FLOCK  ADVISORY  WRITE 4150 00:1a:6 0 EOF\n"
             "2: POSIX  ADVISORY  WRITE 4150 00:1a:7 0 EOF\n")},
        {{K::HeldByProcess, true}, {K::HeldByProcess, false}},
        "/dev/ttyUSB0 is held by zelvar-cli (PID 4242): close that program, or end it with the "
        "fix.",
        "kill 4150"),
    row("HeldByAnUnseenProgram", "#1", {kBusy}, {{K::HeldByProcess, true}}, "",
        "sudo fuser -v /dev/ttyUSB0"),
    row("SharedWithOthers", "#3",
        {runs(7, "screen", "/dev/ttyS0"), runs(12, "cat", "/dev/ttyS0"),
         runs(900, "zelvar-config", "/dev/ttyS0")},
        {{K::HeldByProcess, false}},
        "/dev/ttyS0 is open in screen (PID 7) and cat (PID 12) as well", "kill 7 12"),
    row("HeldByThisSession", "#1", {kBusy, kInASession}, {{K::HeldByProcess, true}},
        "held by bash (PID 800): close that program, which this session runs in."),
    row("LockOfARunningProgram", "#1",
        {kLocked, put("/var/lock", "../run/lock", true), lock("   4194303\n"),
         runs(4194303, "minicom")},
        {{K::HeldByLock, true}}, "/var/lock/LCK..ttyUSB0 shows that minicom (PID 4194303)",
        "kill 4194303"),
    row("LockTheSerialLayerTakesForStale", "#1", {lock("4242\n"), runs(4242, "minicom")},
        {{K::HeldByLock, false}}, "can be opened for writing, but:", "kill 4242"),
    row("LockOfAProgramThatSharesIt", "#1",
        {kLocked, lock("4242\nzelvar-cli\n"), runs(4242, "zelvar-cli", "/dev/ttyUSB0")},
        {{K::HeldByProcess, false}, {K::HeldByLock, true}},
        "cannot be used:\n- /dev/ttyUSB0 is open in zelvar-cli (PID 4242) as well", "kill 4242"),
    // Another SEND, of the window or of zelvar-cli, is waited for: ending it would leave the
    // tracker with part of its settings.
    row("AnotherWindowSending", "#1", {kBusy, runs(4242, "zelvar-config", "/dev/ttyUSB0")},
        {{K::SendingNow, true}},
        "/dev/ttyUSB0 is in use by zelvar-config (PID 4242), which is sending settings to the "
        "tracker: wait until it has finished"),
    row("AnotherWindowSendingSeenByRoot", "#1",
        {kLocked, lock("4242\n"), runs(4242, "zelvar-config", "/dev/ttyUSB0")},
        {{K::SendingNow, true}}, "in use by zelvar-config (PID 4242)"),
    row("ZelvarCliSendingUnseen", "#1",
        {kLocked, lock("4243\n"), runs(4243, "zelvar-cli"),
         put("/proc/4243/cmdline", std::string("zelvar-cli\0--lang\0de\0send\0a.cfg\0", 32))},
        {{K::SendingNow, true}},
        "LCK..ttyUSB0 shows that zelvar-cli (PID 4243) is sending settings to the tracker on "
        "/dev/ttyUSB0"),
    row("LockNamingThisSession", "#1", {kLocked, kInASession, lock("4194302\n")},
        {{K::HeldByProcess, false}, {K::HeldByLock, true}}, "names sshd (PID 4194302)", kRmLock),
    row("LockedWithoutALockFile", "#1", {kLocked}, {{K::HeldByLock, true}},
        "finds /dev/ttyUSB0 locked, but no lock file in /var/lock or /run/lock names it."),
    row("StaleLockOfAnotherUser", "#1", {kLocked, lock("999\nminicom\n")}, {{K::StaleLock, true}},
        "names PID 999, which no longer runs", kRmLock),
    row("OwnStaleLock", "#1",
        {[](S s) { s.user.uid = ::getuid(); }, put("/var/lock/LCK..ttyUSB0", "999\n")},
        {{K::StaleLock, false}}, "", "rm /var/lock/LCK..ttyUSB0"),
    row("BrlttyTookTheAdapter", "#4", {kBrltty}, {{K::Missing, true}, {K::BrlttyClaims, false}},
        "adapters with ids such as 1a86:7523 (CH340): brltty takes", "sudo apt remove brltty"),
    row("BrlttyClaimsThisAdapter", "#1",
        {put("/usr/sbin/brltty"), put("/etc/udev/rules.d/60-local.rules",
                                      "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", "
                                      "RUN+=\"/usr/lib/brltty/brltty-udev\"\n")},
        {{K::BrlttyClaims, false}}, "with this adapter's id 1a86:7523:", "sudo apt remove brltty"),
    row("BrlttyRuleMasked", "/dev/ttyUSB3",
        {kBrltty, put("/etc/udev/rules.d/85-brltty.rules", "/dev/null", true)},
        {{K::Missing, true}}, "/dev/ttyUSB3 does not exist"),
    row("BrlttyRulesWithoutBrltty", "#4", {kBrlttyRulesOnly}, {{K::Missing, true}},
        "Port 4 cannot be used:\n- Serial port 4 does not exist: the system lists 3 serial "
        "devices: port 1 /dev/ttyUSB0, port 2 /dev/ttyACM0, port 3 /dev/ttyS0."),
    // A path that is there, but cannot be looked at, is not said to be missing.
    row("LinkLoop", "/dev/ttyLOOP", {put("/dev/ttyLOOP", "ttyLOOP", true)},
        {{K::OpenFailed, true}}, "- Cannot open /dev/ttyLOOP: Too many levels of symbolic links."),
    row("BrlttyLeavesSerialPortsAlone", "#3", {kBrltty}, {}),
    row("ModemManagerProbes", "#2", {runs(77, "ModemManager")}, {{K::ModemManagerProbes, false}},
        "", kMmFix),
    row("ModemManagerTold", "#2",
        {runs(77, "ModemManager"), put("/run/udev/data/c166:0", "E:ID_MM_DEVICE_IGNORE=1\n")}, {},
        "Port 2 (/dev/ttyACM0) can be opened for writing.\n"),
    row("DialInTwin", "/dev/tty.usbserial-A9", {[](S s) {
            s.device("/dev/tty.usbserial-A9");
            s.device("/dev/cu.usbserial-A9");
        }},
        {{K::DialInDevice, true}}, "call-out twin /dev/cu.usbserial-A9",
        "zelvar-cli send Zelvar.cfg --device /dev/cu.usbserial-A9", Platform::MacOS),
    // The device's own group, not always dialout.
    row("MacJoinsTheGroupHisWay", "/dev/cu.usbserial-A9",
        {kRefused, kOutOfGroup,
         [](S s) {
             s.device("/dev/cu.usbserial-A9");
             s.devices["/dev/cu.usbserial-A9"].group = kUucp;
         }},
        {{K::NotInGroup, true}}, "belongs to the group uucp (crw-rw----), and alice is not in it",
        "sudo dseditgroup -o edit -a alice -t user uucp", Platform::MacOS),
    row("WindowsPortInUse", "#12", {kRefused}, {{K::PortInUse, true}}, "COM12 is in use", "",
        Platform::Windows),
    row("WindowsPortMissing", "#5", {}, {{K::Missing, true}},
        "COM5 does not exist: the system lists 2 serial devices: port 1 COM1, port 12 "
        "\\\\.\\COM12.",
        "", Platform::Windows),
};

// The doctor on a system with the three Linux devices, after `setUp`.
Diagnosis diagnosed(const std::string& target, const std::vector<Step>& setUp,
                    Platform platform = Platform::Linux) {
    FakeSystem system;
    for (const char* path : {"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyS0"})
        system.device(path);
    system.devices["/dev/ttyACM0"].major = 166;
    for (const Step& step : setUp)
        step(system);
    const auto& ports = platform == Platform::Windows ? kWindowsPorts : kLinuxPorts;
    return target.starts_with("#")
               ? diagnosePortNumber(system, ports, std::stoi(target.substr(1)), platform)
               : diagnoseDevice(system, ports, target, platform);
}

TEST(PortDoctor, FindsWhatStopsSend) {
    for (const DoctorCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const Diagnosis diagnosis = diagnosed(c.target, c.setUp, c.platform);
        std::vector<std::pair<K, bool>> found;
        for (const Finding& finding : diagnosis.findings)
            found.emplace_back(finding.kind, finding.stops);
        const std::string text = diagnosisText(diagnosis);
        EXPECT_EQ(found, c.found) << text;
        EXPECT_NE(text.find(c.text), std::string::npos) << text;
        EXPECT_EQ(diagnosis.findings.empty() ? "" : diagnosis.findings.back().fix, c.fix);
    }
}

// A port that does not exist, on Linux and on Windows, the programs that hold one, the adapters
// brltty claims: the lists' commas, the colon before them and the full stop are the language's
// words.
TEST(PortDoctor, SaysAMissingPortInTheLanguagesWords) {
    const testing_support::MarkedCatalogue marked("<", ">");
    const std::string onLinux = diagnosed("#4", {}).findings.front().text;
    const std::string onWindows = diagnosed("#0", {}, Platform::Windows).findings.front().text;
    const std::string held = diagnosisText(
        diagnosed("#3", {runs(7, "screen", "/dev/ttyS0"), runs(12, "cat", "/dev/ttyS0"),
                         runs(13, "minicom", "/dev/ttyS0")}));
    const std::string claimed = diagnosisText(diagnosed(
        "#4",
        {kBrltty, put("/usr/lib/udev/rules.d/85-brltty.rules",
                      kBrlttyRules + "ENV{PRODUCT}==\"67b/2303/*\", GOTO=\"brltty_usb_run\"\n")}));
    EXPECT_EQ(onLinux,
              "<<Serial port 4> does not exist: <<the system lists 3 serial devices>: "
              "<<<port 1 /dev/ttyUSB0>, <port 2 /dev/ttyACM0>>, <port 3 /dev/ttyS0>>>.>");
    EXPECT_EQ(onWindows, "<<Serial port COM0 does not exist: port numbers start at 1>.>");
    EXPECT_NE(held.find("<<screen (PID 7), cat (PID 12)> and minicom (PID 13)>"), std::string::npos)
        << held;
    EXPECT_NE(claimed.find("<1a86:7523 (CH340), 067b:2303 (PL2303)>"), std::string::npos)
        << claimed;
}

// The manual quotes the doctor word for word, fix included.
TEST(PortDoctor, IsQuotedByTheManual) {
    const std::string manual =
        testing_support::readAll(ZELVAR_SOURCE_DIR "/docs/Zelvar_Config.rtf");
    ASSERT_FALSE(manual.empty());
    auto inRtf = [](const std::string& text) {
        std::string escaped;
        for (char c : text) {
            if (c == '\\' || c == '{' || c == '}')
                escaped += '\\';
            escaped += c;
        }
        return escaped;
    };
    const std::pair<const char*, std::vector<Step>> quoted[] = {
        {"#1", {kRefused, kOutOfGroup}},
        {"#1", {kRefused, [](S s) { s.user.groups = {1000}; }}},
        {"#3", {kRefused, kOutOfGroup, [](S s) { s.devices["/dev/ttyS0"].mode = 0600; }}}};
    for (const auto& [target, setUp] : quoted) {
        const Diagnosis diagnosis = diagnosed(target, setUp);
        ASSERT_FALSE(diagnosis.findings.empty()) << target;
        const Finding& finding = diagnosis.findings.front();
        EXPECT_NE(manual.find('"' + inRtf(finding.text) + '"'), std::string::npos) << finding.text;
        EXPECT_NE(manual.find("{\\f1 " + inRtf(finding.fix) + "}"), std::string::npos)
            << finding.fix;
    }
}

// SEND's failure as the window and `zelvar-cli send` report it: a finding that says the layer's
// words more fully, or that another program of ours is sending, takes their place; below them,
// once bytes had gone out, that the tracker got part of its settings (and what to do, which for a
// send the computer held up is not to check the cable), then the other findings.
TEST(FailureReport, SaysTheWordsOnceAndWhetherBytesWentOut) {
    const Finding missing{K::Missing, true, "Serial port 7 does not exist: the system lists 0.",
                          ""};
    const Finding group{K::NotInGroup, true, "Not in dialout.", "sudo usermod -aG dialout al"};
    const Finding sending{K::SendingNow, true, "zelvar-cli (PID 7) is sending.", ""};
    const std::string groupShown = "- Not in dialout.\n  Fix: sudo usermod -aG dialout al\n";
    const std::string partly(kPartlySentMessage);
    const std::string writeFailed = "Write failed on /dev/ttyS0: Input/output error";
    using Shown = std::pair<std::string, std::string>;  // the report's text, and what is below it
    const auto shown = [](const std::string& reason, const std::vector<Finding>& findings,
                          bool partlySent) {
        const FailureReport report = failureReport(reason, findings, partlySent);
        return Shown{report.text, report.below};
    };
    EXPECT_EQ(shown("Serial port 7 does not exist", {group, missing}, false),
              Shown(missing.text, groupShown));
    EXPECT_EQ(shown("Cannot open /dev/ttyS0: Permission error while locking the device", {sending},
                    false),
              Shown(sending.text, ""));
    EXPECT_EQ(shown(writeFailed, {}, true), Shown(writeFailed, partly));
    EXPECT_EQ(shown("Write failed", {group}, true),
              Shown("Write failed", partly + "\n\n" + groupShown));
    // A send held up by the computer is no fault of the cable's: no advice to check it.
    const std::string heldUp(kHeldUp);
    EXPECT_EQ(shown(heldUp, {}, true), Shown(heldUp, std::string(kHeldUpAdvice)));
}

// Two links that lead to one adapter: the name first in sorted order wins, however the folder
// lists them.
TEST(StableNames, FollowUdevsLinks) {
    for (const bool backwards : {false, true}) {
        FakeSystem system;
        system.listedBackwards = backwards;
        system.file("/dev/ttyUSB0");
        system.file("/dev/ttyUSB1");
        for (const char* link : {"usb-FTDI_FT232R_A1-if00-port0", "usb-FTDI_FT232R_B2-if00-port0"})
            system.file(std::string(kStableNameFolder) + "/" + link, "../../ttyUSB1", true);
        std::vector<SerialDevice> devices = {{"ttyUSB0", "/dev/ttyUSB0", {}},
                                             {"ttyUSB1", "/dev/ttyUSB1", {}}};
        addStableNames(system, devices);
        EXPECT_EQ(devices[0].stableName, "");
        EXPECT_EQ(devices[1].stableName, "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0")
            << (backwards ? "listed backwards" : "listed sorted");
    }
}

}  // namespace
}  // namespace zelvar
