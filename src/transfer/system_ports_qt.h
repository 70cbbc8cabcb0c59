#pragma once

#include <vector>

#include "transfer/port_resolver.h"

namespace zelvar {

// The serial ports the system lists, with the numbers SEND gives them: COMn on Windows, the
// position in the stable device order elsewhere. Each with the details the system knows.
std::vector<NumberedPort> systemPorts();

// The device port `number` opens, or the reason there is none (0, or no such device).
ResolvedPort resolveSystemPort(int number);

}  // namespace zelvar
