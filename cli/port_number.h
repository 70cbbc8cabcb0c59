#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace zelvar::cli {

// The port number of --port: a whole number from 0 to 255, as CommPort would hold it.
bool readPortNumber(const std::string& text, int& number);

// The usage error for a --device that names nothing ("" or "--device="); nothing when it names a
// device.
std::optional<int> refusedEmptyDevice(std::ostream& err, const CLI::App& command,
                                      const std::string& device);

// The device a --device names, for every command alike: a path relative to the working folder
// is that file, a name that names nothing there the system's device (ttyUSB0 is /dev/ttyUSB0).
std::string deviceLocation(const std::string& named);

// A number option that takes an East Asian input method's full-width digits ("１", "９６００") as
// their ASCII, as the window's Comm num field does.
CLI::Option* takingFullWidthDigits(CLI::Option* option);

// --port N and --device PATH, the two ways to name the serial port.
void addPortOptions(CLI::App& command, std::optional<std::string>& port,
                    std::optional<std::string>& device);

}  // namespace zelvar::cli
