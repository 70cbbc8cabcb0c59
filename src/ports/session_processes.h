#pragma once

#include <set>

#include "ports/port_system.h"

namespace zelvar {

// The programs that keep this system and this user's session running: PID 1, the process's
// ancestors (its shell, terminal, desktop session) and its session's leader, from /proc. The
// doctor names them but never offers to end them, whatever a lock file or a process list says.
std::set<int> sessionProcesses(const PortSystem& system, int ownPid);

}  // namespace zelvar
