#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ports/port_resolver.h"
#include "ports/port_system.h"

namespace zelvar {

// A word as a POSIX shell reads it back: quoted only when it has to be.
std::string shellWord(std::string_view word);

// The permissions as ls shows them: "crw-rw----".
std::string modeText(const PathStatus& status);

// "the system lists 2 serial devices: port 1 /dev/ttyUSB0, port 2 /dev/ttyS0".
std::string listedPortsText(const std::vector<NumberedPort>& ports);

// The last part of a path: "ttyUSB0" for "/dev/ttyUSB0".
std::string_view baseName(std::string_view path);

}  // namespace zelvar
