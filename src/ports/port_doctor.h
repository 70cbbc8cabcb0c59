#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/port_finding.h"
#include "ports/port_resolver.h"
#include "ports/port_system.h"

namespace zelvar {

// Whether SEND could use a port, and what stops it.
struct Diagnosis {
    std::optional<int> number;  // the port number asked about; none when a device was named
    SerialDevice device;        // the device checked; no location when the number names none
    std::vector<Finding> findings;

    // No finding stops SEND: the device opened for writing and nothing else holds it.
    bool usable() const;
};

// Port `number` as SEND resolves it among `ports` (the system's numbered ports).
Diagnosis diagnosePortNumber(const PortSystem& system, const std::vector<NumberedPort>& ports,
                             int number, Platform platform);

// The device at `location`, named outright; its details come from `ports` when it is listed.
Diagnosis diagnoseDevice(const PortSystem& system, const std::vector<NumberedPort>& ports,
                         const std::string& location, Platform platform);

}  // namespace zelvar
