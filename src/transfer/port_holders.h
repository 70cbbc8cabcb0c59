#pragma once

#include <optional>
#include <string>
#include <vector>

#include "transfer/port_finding.h"
#include "transfer/port_system.h"

namespace zelvar {

// A running program that has a device open.
struct Holder {
    int pid = 0;
    std::string program;
};

// The programs other than this process that have `device` (a resolved path) open, from
// /proc/*/fd. Processes of other users stay unseen unless we run as root.
std::vector<Holder> deviceHolders(const PortSystem& system, const std::string& device, int ownPid);

// What the holders mean for SEND: `busy` when the device refused to open because it is held.
std::optional<Finding> holderFinding(const std::string& location,
                                     const std::vector<Holder>& holders, bool busy);

// Lock files in /var/lock and /run/lock for the device at any of `paths` (as given and
// resolved): a running program holds the port, or one that has gone left its lock behind.
// The `holders` already named are not named again.
std::vector<Finding> lockFindings(const PortSystem& system, const std::vector<std::string>& paths,
                                  const ProcessIdentity& user, const std::vector<Holder>& holders);

}  // namespace zelvar
