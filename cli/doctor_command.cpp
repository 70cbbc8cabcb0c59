#include <CLI/App.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "command.h"
#include "port_number.h"
#include "ports/diagnosis_format.h"
#include "serial/system_ports.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

struct DoctorOptions {
    std::optional<std::string> port;
    std::optional<std::string> device;
};

int runDoctor(const CommandLineIo& io, const CLI::App& command, const DoctorOptions& options) {
    if (options.port && options.device)
        return usageError(io.err, command,
                          std::string(translated("cli", "give --port or --device, not both")));
    Diagnosis diagnosis;
    if (options.device) {
        if (const std::optional<int> refused = refusedEmptyDevice(io.err, command, *options.device))
            return *refused;
        diagnosis = diagnoseSystemDevice(*options.device);
    } else {
        // Without a choice, the port the window starts with.
        int number = 1;
        if (options.port && !readPortNumber(*options.port, number))
            return usageError(io.err, command,
                              withArguments(translated("cli",
                                                       "--port needs a port number, not "
                                                       "'%1'"),
                                            {*options.port}));
        diagnosis = diagnoseSystemPort(number);
    }
    io.out << diagnosisText(diagnosis);
    return diagnosis.usable() ? kExitOk : kExitPortUnusable;
}

}  // namespace

Action declareDoctor(CLI::App& command) {
    auto options = std::make_shared<DoctorOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Checks whether SEND could use a serial port and says what stops it, each finding\n"
        "with the command that fixes it: a device that is not there, a group the user is\n"
        "not in (or joined after logging in), a program or a lock file that holds the\n"
        "port, brltty or ModemManager taking USB adapters, on macOS a tty.X device where\n"
        "its twin cu.X should be used, on Windows a COM port in use. Without --port or\n"
        "--device it checks port 1, as the window starts with.\n"
        "Exit 0 the port can be opened for writing, 1 a finding stops SEND, 2 the arguments\n"
        "are wrong.")));
    addPortOptions(command, options->port, options->device);
    return
        [&command, options](const CommandLineIo& io) { return runDoctor(io, command, *options); };
}

}  // namespace zelvar::cli
