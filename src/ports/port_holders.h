#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ports/port_finding.h"
#include "ports/port_system.h"

namespace zelvar {

// A running program that has a device open.
struct Holder {
    int pid = 0;
    std::string program;
};

// The programs other than this process that have `device` (a resolved path) open, from
// /proc/*/fd. Processes of other users stay unseen unless we run as root.
std::vector<Holder> deviceHolders(const PortSystem& system, const std::string& device, int ownPid);

// The processes that hold a lock on the device node (flock, as `zelvar-cli receive` takes one),
// from the kernel's lock table /proc/locks; empty where there is none.
std::set<int> nodeLockers(const PortSystem& system, const PathStatus& node);

// Whether `pid` is one of our programs sending settings to a tracker: the window, which holds a
// port only during SEND, or `zelvar-cli send`. Such a send ends by itself within seconds, and
// ending it would leave the tracker with part of its settings.
bool sendingZelvar(const PortSystem& system, int pid);

// What the holders mean for SEND: `busy` when the device refused to open because it is held.
// The fix never ends one of the `kept` programs (see session_processes.h). Holders that are
// `sending` (see sendingZelvar) are waited for, never ended.
std::optional<Finding> holderFinding(const std::string& location,
                                     const std::vector<Holder>& holders, bool busy,
                                     const std::set<int>& kept, const std::set<int>& sending = {});

// The lock files in /var/lock and /run/lock for the device at any of `paths` (as given and
// resolved): a running program holds the port, or one that has gone left its lock behind.
struct LockFile {
    std::string path;
    int pid = 0;
    bool running = false;
    bool removable = false;  // by this user, from the sticky lock folder
    bool cleared = false;    // gone after the serial layer's open, which found it stale
};
std::vector<LockFile> lockFiles(const PortSystem& system, const std::vector<std::string>& paths,
                                const ProcessIdentity& user);

// What the lock files mean, `stopped` when the serial layer refused the port for a lock, as it
// would refuse SEND. The `holders` already named are not named again; a lock that names one of
// the `kept` programs is to be removed, not its program ended, and one of a sending Zelvar
// program waited for.
std::vector<Finding> lockFindings(const PortSystem& system, const std::vector<LockFile>& locks,
                                  const std::string& location, const std::vector<Holder>& holders,
                                  const std::set<int>& kept, bool stopped);

}  // namespace zelvar
