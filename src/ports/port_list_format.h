#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ports/port_resolver.h"

namespace zelvar {

// What the system knows of a device besides its name and location, joined by `separator`:
// "USB2.0-Serial, QinHeng Electronics, USB 1a86:7523, serial number A1, /dev/serial/by-id/...".
// Empty when it knows nothing.
std::string deviceDetails(const SerialDevice& device, std::string_view separator = ", ");

// One line per port, each ended by '\n': the number, the location and the details,
// "  1  /dev/ttyUSB0  USB2.0-Serial, ...", control characters escaped. Empty for no ports.
std::string portsText(const std::vector<NumberedPort>& ports);

// The ports as a JSON array, one object per port with number, name, location, description,
// manufacturer, usbId, serialNumber and stableName (null where unknown), ended by '\n'.
std::string portsJson(const std::vector<NumberedPort>& ports);

}  // namespace zelvar
