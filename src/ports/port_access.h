#pragma once

#include <string>
#include <string_view>

#include "ports/port_finding.h"
#include "ports/port_resolver.h"
#include "ports/port_system.h"

namespace zelvar {

// Why the system refused to open `location` for writing, said with `refusal` (its words):
// the group that may open it and whether the user is in it, in the group database only
// (waiting for a new login), or permissions for the owner alone.
Finding accessFinding(const PortSystem& system, const std::string& location,
                      const PathStatus& status, std::string_view refusal, Platform platform);

}  // namespace zelvar
