#pragma once

#include <optional>

#include "ports/port_finding.h"
#include "ports/port_resolver.h"
#include "ports/port_system.h"

namespace zelvar {

// brltty, installed with udev rules that take common USB serial adapters (or this device's
// USB id) for braille displays: their ttyUSB device vanishes when they are plugged in.
// `missing` when the device asked about does not exist.
std::optional<Finding> brlttyFinding(const PortSystem& system, const SerialDevice& device,
                                     bool missing);

// ModemManager running while the device is a ttyACM that udev does not mark
// ID_MM_DEVICE_IGNORE: it sends modem commands to such devices when they appear.
std::optional<Finding> modemManagerFinding(const PortSystem& system, const SerialDevice& device,
                                           const PathStatus& status);

}  // namespace zelvar
