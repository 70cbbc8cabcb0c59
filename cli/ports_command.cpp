#include <iomanip>
#include <iostream>

#include "arguments.h"
#include "command.h"
#include "transfer/system_ports_qt.h"

namespace zelvar::cli {
namespace {

constexpr std::string_view kUsage = "zelvar-cli ports";

int run(std::span<const std::string_view> args) {
    Arguments parsed = parseArguments(args, {"--help"}, {});
    if (parsed.has("--help")) {
        std::cout << "usage: " << kUsage
                  << "\n\nLists the serial ports with the numbers SEND and `send --port` give "
                     "them:\nCOMn on Windows; elsewhere USB adapters first, then the rest by "
                     "name.\n";
        return kExitOk;
    }
    if (!parsed.error.empty())
        return usageError(parsed.error, kUsage);
    if (!parsed.positionals.empty())
        return usageError("ports takes no arguments", kUsage);

    std::vector<NumberedPort> ports = systemPorts();
    if (ports.empty())
        std::cerr << "zelvar-cli: the system lists no serial ports\n";
    for (const NumberedPort& port : ports) {
        std::cout << std::setw(3) << port.number << "  " << port.device.location;
        if (!port.device.description.empty())
            std::cout << "  " << port.device.description;
        std::cout << "\n";
    }
    return kExitOk;
}

const bool registered =
    registerCommand({"ports", "list the serial ports as SEND numbers them", &run});

}  // namespace
}  // namespace zelvar::cli
