#include "far_end.h"

#include <CLI/App.hpp>
#include <ostream>

#include "common/ascii.h"
#include "config/device_settings.h"
#include "port_number.h"
#include "ports/diagnosis_format.h"
#include "serial/system_ports.h"
#include "text/translation.h"

namespace zelvar::cli {

void addFarEndOptions(CLI::App& command, FarEndOptions& options) {
    command
        .add_option("--device", options.device,
                    std::string(translated("cli help", "the serial device to use")))
        ->transform(deviceLocation)
        ->type_name("PATH")
        ->required();
    takingFullWidthDigits(command.add_option("--baud", options.speed,
                                             std::string(translated(
                                                 "cli help", "4800 (the default), 9600 or 38400"))))
        ->type_name("BAUD");
    // The word these commands used before they said --baud as send does.
    takingFullWidthDigits(command.add_option("--speed", options.speed))->group("");
}

std::optional<int> readSpeed(const std::string& text) {
    for (std::string_view offered : kBaudRates)
        if (text == offered)
            return std::stoi(text);
    return std::nullopt;
}

std::optional<SerialReceiver> openFarEnd(std::ostream& err, const std::string& device, int baud,
                                         LineSharing sharing) {
    Result<SerialReceiver> receiver = SerialReceiver::open(device, baud, sharing);
    if (receiver)
        return std::move(*receiver);
    err << "zelvar-cli: " << escapedControls(receiver.error().reason) << "\n"
        << findingsText(diagnoseSystemDevice(device).findings);
    return std::nullopt;
}

}  // namespace zelvar::cli
