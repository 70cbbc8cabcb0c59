#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "ports/serial_receiver.h"

namespace CLI {
class App;
}

namespace zelvar::cli {

// What `receive` and `loopback` share: --device and --baud, and the device opened for reading.
struct FarEndOptions {
    std::string device;
    std::string speed = "4800";
};
void addFarEndOptions(CLI::App& command, FarEndOptions& options);

// The speed of --baud, or nothing for one the tracker's link does not offer.
std::optional<int> readSpeed(const std::string& text);

// The device opened for reading; or nothing, with the reason and what the port doctor finds
// about the device on err.
std::optional<SerialReceiver> openFarEnd(std::ostream& err, const std::string& device, int baud,
                                         LineSharing sharing);

}  // namespace zelvar::cli
