#pragma once

#include <vector>

#include "ports/port_resolver.h"
#include "ports/port_system.h"

namespace zelvar {

// Udev's links in /dev/serial/by-id name an adapter by maker, model and serial number, so the
// name stays when the adapter comes back as another ttyUSB number.
inline constexpr const char* kStableNameFolder = "/dev/serial/by-id";

// Gives each device whose location one of those links leads to that link as its stable name;
// of two links to one device, the one first in sorted order.
void addStableNames(const PortSystem& system, std::vector<SerialDevice>& devices);

}  // namespace zelvar
