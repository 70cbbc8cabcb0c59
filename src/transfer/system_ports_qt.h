#pragma once

#include <string>
#include <vector>

#include "transfer/port_doctor.h"
#include "transfer/port_resolver.h"

namespace zelvar {

// The serial ports the system lists, with the numbers SEND gives them: COMn on Windows, the
// position in the stable device order elsewhere. Each with the details the system knows.
std::vector<NumberedPort> systemPorts();

// The device port `number` opens, or the reason there is none (0, or no such device).
ResolvedPort resolveSystemPort(int number);

// What stops SEND from using port `number`, or the device at `location`, on this system.
Diagnosis diagnoseSystemPort(int number);
Diagnosis diagnoseSystemDevice(const std::string& location);

}  // namespace zelvar
