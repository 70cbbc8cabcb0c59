#include "ports/port_doctor.h"

#include <algorithm>

#include "config/shown_texts.h"
#include "ports/finding_words.h"
#include "ports/port_access.h"
#include "ports/port_holders.h"
#include "ports/session_processes.h"
#include "ports/udev_claims.h"
#include "text/translation.h"

namespace zelvar {
namespace {

Finding missing(const std::string& what, const std::vector<NumberedPort>& ports) {
    return {FindingKind::Missing, true,
            withArguments(translated("port doctor", "%1 does not exist: %2."),
                          {what, listedPortsText(ports)}),
            ""};
}

Finding openFailed(const std::string& location, const std::string& reason) {
    return {FindingKind::OpenFailed, true,
            withArguments(translated("port doctor", "Cannot open %1: %2."), {location, reason}),
            ""};
}

std::string windowsName(std::string_view location) {
    if (location.starts_with("\\\\.\\"))
        location.remove_prefix(4);
    return std::string(location);
}

const NumberedPort* listedAs(const PortSystem& system, const std::vector<NumberedPort>& ports,
                             const std::string& location, Platform platform) {
    if (platform == Platform::Windows) {
        const std::string name = windowsName(location);
        auto found = std::ranges::find_if(
            ports, [&](const NumberedPort& port) { return port.device.name == name; });
        return found == ports.end() ? nullptr : &*found;
    }
    const std::optional<std::string> resolved = system.realPath(location);
    auto found = std::ranges::find_if(ports, [&](const NumberedPort& port) {
        return port.device.location == location ||
               (resolved && system.realPath(port.device.location) == resolved);
    });
    return found == ports.end() ? nullptr : &*found;
}

// Windows lets one program at a time open a COM port and says "access denied" to the others.
void diagnoseWindows(const PortSystem& system, const std::vector<NumberedPort>& ports,
                     Diagnosis& diagnosis) {
    const SerialDevice& device = diagnosis.device;
    if (!listedAs(system, ports, device.location, Platform::Windows)) {
        diagnosis.findings.push_back(missing(device.name, ports));
        return;
    }
    const OpenAttempt attempt = system.tryOpen(device.location);
    if (attempt.outcome == OpenOutcome::Refused || attempt.outcome == OpenOutcome::Busy) {
        diagnosis.findings.push_back(
            {FindingKind::PortInUse, true,
             withArguments(translated("port doctor",
                                      "%1 is in use: Windows lets one program at a time open a "
                                      "port, so close the program that has it open."),
                           {device.name}),
             ""});
    } else if (attempt.outcome == OpenOutcome::Missing) {
        diagnosis.findings.push_back(missing(device.name, ports));
    } else if (attempt.outcome == OpenOutcome::Failed) {
        diagnosis.findings.push_back(openFailed(device.location, attempt.reason));
    }
}

// A port that refuses to open is held by the programs that lock its node, where the kernel's lock
// table names any: the others, a socat that made the pseudo-terminal or a screen left open, merely
// have it open as well, and ending them would not free it.
std::vector<Finding> holderFindings(const PortSystem& system, const PathStatus& node, bool busy,
                                    const std::vector<Holder>& holders, const std::set<int>& kept,
                                    const std::set<int>& sending, const std::string& location) {
    std::vector<Holder> holding = holders;
    std::vector<Holder> sharing;
    if (busy) {
        const std::set<int> lockers = nodeLockers(system, node);
        const auto locks = [&](const Holder& holder) { return lockers.contains(holder.pid); };
        if (std::ranges::any_of(holders, locks)) {
            holding.clear();
            for (const Holder& holder : holders)
                (locks(holder) ? holding : sharing).push_back(holder);
        }
    }
    std::vector<Finding> found;
    if (std::optional<Finding> held = holderFinding(location, holding, busy, kept, sending))
        found.push_back(std::move(*held));
    if (!sharing.empty())
        if (std::optional<Finding> shared = holderFinding(location, sharing, false, kept, sending))
            found.push_back(std::move(*shared));
    return found;
}

// macOS lists each port twice: tty.X waits for the carrier signal, its twin cu.X does not.
std::optional<Finding> dialInFinding(const PortSystem& system, const std::string& location) {
    const std::string_view name = baseName(location);
    if (!name.starts_with("tty."))
        return std::nullopt;
    const std::string twin =
        location.substr(0, location.size() - name.size()) + "cu." + std::string(name.substr(4));
    if (!system.status(twin))
        return std::nullopt;
    return Finding{FindingKind::DialInDevice, true,
                   withArguments(translated("port doctor",
                                            "%1 waits for a modem's carrier signal before it "
                                            "lets a program write; its call-out twin %2 does "
                                            "not."),
                                 {location, twin}),
                   "zelvar-cli send Zelvar.cfg --device " + shellWord(twin)};
}

void diagnosePosix(const PortSystem& system, const std::vector<NumberedPort>& ports,
                   Platform platform, Diagnosis& diagnosis) {
    std::vector<Finding>& findings = diagnosis.findings;
    auto add = [&](std::optional<Finding> finding) {
        if (finding)
            findings.push_back(std::move(*finding));
    };
    const std::string& location = diagnosis.device.location;
    const std::optional<PathStatus> status = system.status(location);
    if (const std::string unreachable = status ? "" : system.statusFailure(location);
        !unreachable.empty()) {
        findings.push_back(openFailed(location, unreachable));
        return;
    }
    if (!status) {
        findings.push_back(missing(location, ports));
        if (platform == Platform::Linux)
            add(brlttyFinding(system, diagnosis.device, true));
        return;
    }
    if (!status->characterDevice) {
        findings.push_back(
            {FindingKind::NotADevice, true,
             withArguments(
                 translated("port doctor", "%1 is not a serial device: it is no character device."),
                 {location}),
             ""});
        return;
    }
    if (platform == Platform::MacOS)
        add(dialInFinding(system, location));

    const ProcessIdentity user = system.identity();
    const std::string resolved = system.realPath(location).value_or(location);
    // Read before the open, which may clear a lock the serial layer finds stale.
    std::vector<LockFile> locks = lockFiles(system, {location, resolved}, user);
    const OpenAttempt attempt = system.tryOpen(location);
    for (LockFile& lock : locks)
        lock.cleared = !system.status(lock.path);
    const std::set<int> kept = sessionProcesses(system, user.pid);
    std::vector<Holder> holders;
    std::set<int> sending;
    switch (attempt.outcome) {
        case OpenOutcome::Refused:
            findings.push_back(accessFinding(system, location, *status, attempt.reason, platform));
            break;
        case OpenOutcome::Missing:
            findings.push_back(missing(location, ports));
            break;
        case OpenOutcome::NotTerminal:
            findings.push_back(
                {FindingKind::NotADevice, true,
                 withArguments(translated("port doctor",
                                          "%1 is not a serial device: it takes no line settings "
                                          "(%2)."),
                               {location, attempt.reason}),
                 ""});
            return;
        case OpenOutcome::Failed:
            findings.push_back(openFailed(location, attempt.reason));
            break;
        case OpenOutcome::Opened:
        case OpenOutcome::Busy:
        case OpenOutcome::Locked:
            holders = deviceHolders(system, resolved, user.pid);
            for (const Holder& holder : holders)
                if (sendingZelvar(system, holder.pid))
                    sending.insert(holder.pid);
            for (Finding& finding :
                 holderFindings(system, *status, attempt.outcome == OpenOutcome::Busy, holders,
                                kept, sending, location))
                findings.push_back(std::move(finding));
            break;
    }
    // A program that shares the port may also have locked it, which makes SEND's open fail:
    // its lock is named too, unless the holder finding already says that it stops SEND.
    const std::vector<Holder> named =
        attempt.outcome == OpenOutcome::Busy || !sending.empty() ? holders : std::vector<Holder>{};
    for (Finding& finding :
         lockFindings(system, locks, location, named, kept, attempt.outcome == OpenOutcome::Locked))
        findings.push_back(std::move(finding));
    if (platform == Platform::Linux) {
        add(brlttyFinding(system, diagnosis.device, false));
        add(modemManagerFinding(system, diagnosis.device, *status));
    }
}

void diagnose(const PortSystem& system, const std::vector<NumberedPort>& ports, Platform platform,
              Diagnosis& diagnosis) {
    if (platform == Platform::Windows)
        diagnoseWindows(system, ports, diagnosis);
    else
        diagnosePosix(system, ports, platform, diagnosis);
}

}  // namespace

bool Diagnosis::usable() const {
    return std::ranges::none_of(findings, &Finding::stops);
}

Diagnosis diagnosePortNumber(const PortSystem& system, const std::vector<NumberedPort>& ports,
                             int number, Platform platform) {
    Diagnosis diagnosis;
    diagnosis.number = number;
    if (platform == Platform::Windows) {
        const Result<SerialDevice> resolved = resolveWindowsPort(number);
        if (!resolved) {
            diagnosis.findings.push_back(
                {FindingKind::Missing, true, asSentence(resolved.error().reason), ""});
            return diagnosis;
        }
        const NumberedPort* listed = listedAs(system, ports, resolved->name, platform);
        diagnosis.device = listed ? listed->device : *resolved;
        diagnosis.device.location = resolved->location;
    } else {
        auto found = std::ranges::find(ports, number, &NumberedPort::number);
        if (found == ports.end()) {
            diagnosis.findings.push_back(
                number < 1 ? Finding{FindingKind::Missing, true,
                                     withArguments(translated("port doctor",
                                                              "Serial port %1 does not exist: port "
                                                              "numbers start at 1."),
                                                   {std::to_string(number)}),
                                     ""}
                           : missing(withArguments(translated("port doctor", "Serial port %1"),
                                                   {std::to_string(number)}),
                                     ports));
            if (platform == Platform::Linux && number >= 1) {
                if (std::optional<Finding> brltty = brlttyFinding(system, {}, true))
                    diagnosis.findings.push_back(std::move(*brltty));
            }
            return diagnosis;
        }
        diagnosis.device = found->device;
    }
    diagnose(system, ports, platform, diagnosis);
    return diagnosis;
}

Diagnosis diagnoseDevice(const PortSystem& system, const std::vector<NumberedPort>& ports,
                         const std::string& location, Platform platform) {
    Diagnosis diagnosis;
    if (const NumberedPort* listed = listedAs(system, ports, location, platform))
        diagnosis.device = listed->device;
    else if (platform == Platform::Windows)
        diagnosis.device.name = windowsName(location);
    else
        diagnosis.device.name = baseName(location);
    diagnosis.device.location = location;
    diagnose(system, ports, platform, diagnosis);
    return diagnosis;
}

}  // namespace zelvar
