#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "command.h"
#include "ports/port_list_format.h"
#include "serial/system_ports.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

int runPorts(const CommandLineIo& io, bool json) {
    const std::vector<NumberedPort> ports = systemPorts();
    if (json) {
        io.out << portsJson(ports);
        return kExitOk;
    }
    if (ports.empty())
        io.err << "zelvar-cli: " << translated("cli", "the system lists no serial ports") << "\n";
    io.out << portsText(ports);
    return kExitOk;
}

}  // namespace

Action declarePorts(CLI::App& command) {
    auto json = std::make_shared<bool>(false);
    command.footer(std::string(translated(
        "cli help",
        "Lists the serial ports with the numbers SEND and `send --port` give them:\n"
        "COMn on Windows; elsewhere USB adapters first, then the rest by name. Each line\n"
        "holds the number, the device and what the system knows of it: description,\n"
        "manufacturer, USB vendor:product, serial number and, on Linux, the name in\n"
        "/dev/serial/by-id that stays when the adapter is plugged in again.")));
    command.add_flag("--json", *json,
                     std::string(translated(
                         "cli help",
                         "a JSON array of objects with number, name, location, description,\n"
                         "manufacturer, usbId, serialNumber and stableName (null where unknown)")));
    return [json](const CommandLineIo& io) { return runPorts(io, *json); };
}

}  // namespace zelvar::cli
