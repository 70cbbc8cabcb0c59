#include "ports/port_holders.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <sstream>

#include "common/ascii.h"
#include "ports/finding_words.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr const char* kLockFolders[] = {"/var/lock", "/run/lock"};

// A process id as /proc names it; 0 for anything else.
int processId(std::string_view text) {
    if (text.size() > 9 || !isAllDigits(text))
        return 0;
    int pid = 0;
    for (char c : text)
        pid = pid * 10 + (c - '0');
    return pid;
}

std::string procPath(int pid) {
    return "/proc/" + std::to_string(pid);
}

bool running(const PortSystem& system, int pid) {
    return system.status(procPath(pid)).has_value();
}

std::string programName(const PortSystem& system, int pid) {
    std::string name = system.text(procPath(pid) + "/comm").value_or("");
    while (!name.empty() && (name.back() == '\n' || name.back() == ' '))
        name.pop_back();
    return name.empty() ? std::string(translated("port doctor", "a program")) : name;
}

std::string named(const Holder& holder) {
    return holder.program + " (PID " + std::to_string(holder.pid) + ")";
}

std::string namedAll(const std::vector<Holder>& holders) {
    std::string text;
    for (std::size_t i = 0; i < holders.size(); ++i) {
        if (i == 0)
            text = named(holders[i]);
        else if (i + 1 == holders.size())
            text = withArguments(translated("port doctor", "%1 and %2"), {text, named(holders[i])});
        else
            text = withArguments(translated("port doctor", "%1, %2"), {text, named(holders[i])});
    }
    return text;
}

// Ends the holders that may be ended; empty when none may.
std::string killCommand(const std::vector<Holder>& holders, const std::set<int>& kept) {
    std::string command = "kill";
    for (const Holder& holder : holders)
        if (!kept.contains(holder.pid))
            command += " " + std::to_string(holder.pid);
    return command == "kill" ? std::string() : command;
}

// Serial libraries name the lock after the device's path below /dev, slashes made '_':
// LCK..ttyUSB0, LCK..pts_3.
std::string lockName(std::string_view path) {
    if (path.starts_with("/dev/"))
        path.remove_prefix(5);
    std::string name = "LCK.." + std::string(path);
    std::ranges::replace(name, '/', '_');
    return name;
}

// The PID written at the start of a lock file, in ASCII after optional blanks; 0 if none.
int lockOwner(std::string_view content) {
    const std::size_t start = content.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return 0;
    content.remove_prefix(start);
    const std::size_t end = content.find_first_not_of("0123456789");
    return processId(content.substr(0, end));
}

}  // namespace

std::set<int> nodeLockers(const PortSystem& system, const PathStatus& node) {
    // "1: FLOCK  ADVISORY  WRITE 4242 00:1a:6 0 EOF": the holder, then the file system's major
    // and minor in hex and the inode; "1: -> FLOCK ..." is a process waiting for that lock.
    char where[64];
    std::snprintf(where, sizeof where, "%02x:%02x:%llu", node.fileSystemMajor, node.fileSystemMinor,
                  static_cast<unsigned long long>(node.inode));
    std::set<int> lockers;
    std::istringstream table(system.text("/proc/locks").value_or(""));
    for (std::string line; std::getline(table, line);) {
        std::istringstream words(line);
        std::string number, type, kind, access, pid, file;
        if ((words >> number >> type >> kind >> access >> pid >> file) && type != "->" &&
            file == where)
            if (const int locker = processId(pid); locker != 0)
                lockers.insert(locker);
    }
    return lockers;
}

bool sendingZelvar(const PortSystem& system, int pid) {
    const std::string program = programName(system, pid);
    if (program == "zelvar-config")
        return true;
    if (program != "zelvar-cli")
        return false;
    // The arguments, each ended by a NUL; the first that is no option, nor the language that
    // --lang takes before the command, names the command.
    const std::string arguments = system.text(procPath(pid) + "/cmdline").value_or("");
    std::string_view rest(arguments);
    rest.remove_prefix(std::min(rest.size(), rest.find('\0') + 1));
    bool language = false;
    while (!rest.empty()) {
        const std::string_view word = rest.substr(0, rest.find('\0'));
        if (!language && !word.starts_with('-'))
            return word == "send";
        language = !language && word == "--lang";
        rest.remove_prefix(std::min(rest.size(), word.size() + 1));
    }
    return false;
}

std::vector<Holder> deviceHolders(const PortSystem& system, const std::string& device, int ownPid) {
    std::vector<Holder> holders;
    for (const std::string& entry : system.entries("/proc")) {
        const int pid = processId(entry);
        if (pid == 0 || pid == ownPid)
            continue;
        const std::string fdFolder = procPath(pid) + "/fd";
        for (const std::string& fd : system.entries(fdFolder)) {
            if (system.linkTarget((fdFolder + "/") += fd) == device) {
                holders.push_back({pid, programName(system, pid)});
                break;
            }
        }
    }
    std::ranges::sort(holders, {}, &Holder::pid);
    return holders;
}

std::optional<Finding> holderFinding(const std::string& location,
                                     const std::vector<Holder>& holders, bool busy,
                                     const std::set<int>& kept, const std::set<int>& sending) {
    if (holders.empty() && !busy)
        return std::nullopt;
    std::vector<Holder> senders;
    std::ranges::copy_if(holders, std::back_inserter(senders),
                         [&](const Holder& holder) { return sending.contains(holder.pid); });
    if (!senders.empty()) {
        // A sending Zelvar program is waited for.
        return Finding{
            FindingKind::SendingNow, true,
            withArguments(translatedPlural("port doctor",
                                           "%1 is in use by %2, which is sending settings to the "
                                           "tracker: wait until it has finished (a send takes "
                                           "about two seconds), then press SEND again.",
                                           "%1 is in use by %2, which are sending settings to "
                                           "trackers: wait until they have finished (a send takes "
                                           "about two seconds), then press SEND again.",
                                           senders.size()),
                          {location, namedAll(senders)}),
            ""};
    }
    if (holders.empty()) {
        return Finding{FindingKind::HeldByProcess, true,
                       withArguments(translated("port doctor",
                                                "%1 is held by a program that has it to itself, "
                                                "and this user cannot see which; the fix names "
                                                "it."),
                                     {location}),
                       "sudo fuser -v " + shellWord(location)};
    }
    const std::string fix = killCommand(holders, kept);
    const unsigned long count = holders.size();
    if (busy) {
        const std::string held =
            fix.empty()
                ? translatedPlural("port doctor",
                                   "%1 is held by %2: close that program, which this session "
                                   "runs in.",
                                   "%1 is held by %2: close those programs, which this session "
                                   "runs in.",
                                   count)
                : translatedPlural("port doctor",
                                   "%1 is held by %2: close that program, or end it with the fix.",
                                   "%1 is held by %2: close those programs, or end them with the "
                                   "fix.",
                                   count);
        return Finding{FindingKind::HeldByProcess, true,
                       withArguments(held, {location, namedAll(holders)}), fix};
    }
    return Finding{FindingKind::HeldByProcess, false,
                   withArguments(translatedPlural("port doctor",
                                                  "%1 is open in %2 as well: what that program "
                                                  "writes would mix with SEND's bytes.",
                                                  "%1 is open in %2 as well: what those programs "
                                                  "write would mix with SEND's bytes.",
                                                  count),
                                 {location, namedAll(holders)}),
                   fix};
}

std::vector<LockFile> lockFiles(const PortSystem& system, const std::vector<std::string>& paths,
                                const ProcessIdentity& user) {
    std::vector<LockFile> locks;
    std::set<std::string> seen;  // /var/lock is often a link to /run/lock
    std::set<std::string> names;
    for (const std::string& path : paths)
        names.insert(lockName(path));
    for (const char* folder : kLockFolders) {
        for (const std::string& name : names) {
            const std::string lock = std::string(folder) + "/" + name;
            const std::optional<std::string> resolved = system.realPath(lock);
            const std::optional<PathStatus> status = system.status(lock);
            if (!resolved || !status || !seen.insert(*resolved).second)
                continue;
            const int pid = lockOwner(system.text(lock).value_or(""));
            if (pid == 0 || pid == user.pid)
                continue;
            // A lock left by another user cannot be cleared from the sticky lock folder.
            locks.push_back(
                {lock, pid, running(system, pid), user.uid == 0 || status->owner == user.uid});
        }
    }
    return locks;
}

std::vector<Finding> lockFindings(const PortSystem& system, const std::vector<LockFile>& locks,
                                  const std::string& location, const std::vector<Holder>& holders,
                                  const std::set<int>& kept, bool stopped) {
    std::vector<Finding> findings;
    bool heldByNamed = false;
    for (const LockFile& lock : locks) {
        const std::string remove = (lock.removable ? "rm " : "sudo rm ") + shellWord(lock.path);
        const std::string pid = std::to_string(lock.pid);
        if (lock.cleared) {
            findings.push_back({FindingKind::StaleLock, false,
                                withArguments(translated("port doctor",
                                                         "The lock file %1 named PID %2; opening "
                                                         "the port as SEND does found it stale "
                                                         "and removed it."),
                                              {lock.path, pid}),
                                ""});
        } else if (!lock.running) {
            findings.push_back(
                {FindingKind::StaleLock, stopped,
                 withArguments(translated("port doctor",
                                          "The lock file %1 names PID %2, which no longer runs."),
                               {lock.path, pid}),
                 remove});
        } else if (kept.contains(lock.pid)) {
            findings.push_back(
                {FindingKind::HeldByLock, stopped,
                 withArguments(translated("port doctor",
                                          "The lock file %1 names %2, which keeps this system or "
                                          "session running and uses no serial port: the lock was "
                                          "left behind or put there, and the fix removes it."),
                               {lock.path, named({lock.pid, programName(system, lock.pid)})}),
                 remove});
        } else if (std::ranges::find(holders, lock.pid, &Holder::pid) != holders.end()) {
            heldByNamed = true;
        } else if (sendingZelvar(system, lock.pid)) {
            findings.push_back(
                {FindingKind::SendingNow, stopped,
                 withArguments(
                     translated("port doctor",
                                "The lock file %1 shows that %2 is sending settings to "
                                "the tracker on %3: wait until it has finished (a send "
                                "takes about two seconds), then press SEND again."),
                     {lock.path, named({lock.pid, programName(system, lock.pid)}), location}),
                 ""});
        } else {
            findings.push_back(
                {FindingKind::HeldByLock, stopped,
                 withArguments(
                     translated("port doctor", "The lock file %1 shows that %2 uses %3."),
                     {lock.path, named({lock.pid, programName(system, lock.pid)}), location}),
                 "kill " + pid});
        }
    }
    // A holder named already may be what the serial layer found locked.
    if (stopped && !heldByNamed && std::ranges::none_of(findings, &Finding::stops)) {
        findings.push_back({FindingKind::HeldByLock, true,
                            withArguments(translated("port doctor",
                                                     "The serial layer finds %1 locked, but no "
                                                     "lock file in /var/lock or /run/lock names "
                                                     "it."),
                                          {location}),
                            ""});
    }
    return findings;
}

}  // namespace zelvar
