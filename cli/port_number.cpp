#include "port_number.h"

#include <CLI/App.hpp>
#include <cmath>
#include <filesystem>

#include "command.h"
#include "common/ascii.h"
#include "config/text_number.h"
#include "text/translation.h"

namespace zelvar::cli {

std::optional<int> refusedEmptyDevice(std::ostream& err, const CLI::App& command,
                                      const std::string& device) {
    if (!device.empty())
        return std::nullopt;
    return usageError(err, command, std::string(translated("cli", "--device needs a device path")));
}

std::string deviceLocation(const std::string& named) {
    if (named.empty() || named.starts_with('/') || named.starts_with("./") ||
        named.starts_with("../"))
        return named;
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(named, error)))
        return "./" + named;  // the serial layer reads a bare name as one in /dev
    return "/dev/" + named;
}

bool readPortNumber(const std::string& text, int& number) {
    std::optional<double> value = strictNumber(text);
    if (!value || *value != std::floor(*value) || *value < 0 || *value > 255)
        return false;
    number = static_cast<int>(*value);
    return true;
}

CLI::Option* takingFullWidthDigits(CLI::Option* option) {
    return option->transform([](const std::string& typed) { return asciiOfFullWidth(typed); });
}

void addPortOptions(CLI::App& command, std::optional<std::string>& port,
                    std::optional<std::string>& device) {
    takingFullWidthDigits(
        command.add_option("--port", port,
                           std::string(translated("cli help",
                                                  "serial port number as in \"Comm num:\" "
                                                  "(zelvar-cli ports lists them)"))))
        ->type_name("N");
    command
        .add_option("--device", device,
                    std::string(translated("cli help", "a serial device named outright")))
        ->transform(deviceLocation)
        ->type_name("PATH");
}

}  // namespace zelvar::cli
