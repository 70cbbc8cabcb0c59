#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ports/port_doctor.h"
#include "ports/port_resolver.h"

namespace zelvar {

// The serial ports the system lists, with the numbers SEND gives them: COMn on Windows, the
// position in the stable device order elsewhere. Each with the details the system knows.
std::vector<NumberedPort> systemPorts();

// Where a caller's port numbers come from: systemPorts(), or a list of a test's own.
using PortLister = std::function<std::vector<NumberedPort>()>;

// The device port `number` opens among `ports`, or the reason there is none. Windows opens
// COMn whether the system lists it or not.
Result<SerialDevice> resolveListedPort(const std::vector<NumberedPort>& ports, int number);
Result<SerialDevice> resolveSystemPort(int number);

// What stops SEND from using port `number` among `ports`, or the device at `location`, on this
// system.
Diagnosis diagnoseListedPort(const std::vector<NumberedPort>& ports, int number);
Diagnosis diagnoseSystemPort(int number);
Diagnosis diagnoseSystemDevice(const std::string& location);

}  // namespace zelvar
