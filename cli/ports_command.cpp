#include <iomanip>
#include <iostream>

#include <CLI/App.hpp>

#include "command.h"
#include "transfer/system_ports_qt.h"

namespace zelvar::cli {
namespace {

int run() {
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

}  // namespace

Action declarePorts(CLI::App& command) {
    command.footer(
        "Lists the serial ports with the numbers SEND and `send --port` give them:\n"
        "COMn on Windows; elsewhere USB adapters first, then the rest by name.");
    return &run;
}

}  // namespace zelvar::cli
