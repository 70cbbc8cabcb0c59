#pragma once

#include <vector>

#include "transfer/port_resolver.h"

namespace zelvar {

struct NumberedPort {
    int number = 0;
    SerialDevice device;
};

// The serial ports the system lists, with the numbers SEND gives them: COMn on Windows, the
// position in the stable device order elsewhere.
std::vector<NumberedPort> systemPorts();

// The device port `number` opens, or the reason there is none (0, or no such device).
ResolvedPort resolveSystemPort(int number);

}  // namespace zelvar
