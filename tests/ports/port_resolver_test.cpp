#include "ports/port_resolver.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

namespace zelvar {
namespace {

std::vector<SerialDevice> devices(const std::string& names) {
    std::vector<SerialDevice> list;
    std::istringstream in(names);
    for (std::string name; in >> name;)
        list.push_back({name, "/dev/" + name, {}});
    return list;
}

// Numbered ports as "N:name" words, so that a whole list fits a row.
std::string numbered(const std::string& names, Platform platform = Platform::Linux) {
    std::string result;
    for (const NumberedPort& port : numberPorts(devices(names), platform))
        result += std::to_string(port.number) + ":" + port.device.name + " ";
    return result;
}

TEST(NumberPorts, CountAsSendDoes) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"", ""},
        {"ttyUSB10 ttyUSB2 ttyUSB1 ttyS10 ttyS9",
         "1:ttyUSB1 2:ttyUSB2 3:ttyUSB10 4:ttyS9 5:ttyS10 "},
        {"tty01 tty1 tty001", "1:tty001 2:tty01 3:tty1 "},
        {"ttyUSB1 ttyS0 ttyUSB0 rfcomm0 ttyACM1 ttyACM0",
         "1:ttyUSB0 2:ttyUSB1 3:ttyACM0 4:ttyACM1 5:rfcomm0 6:ttyS0 "},
        {"ttyS0 ttyS0", "1:ttyS0 2:ttyS0 "},
        // macOS: the dial-in twin of a call-out device is left out
        {"cu.Bluetooth-Incoming-Port tty.Bluetooth-Incoming-Port cu.usbmodem1421 cu.usbserial-A9 "
         "tty.usbserial-A9 tty.usbmodem1421 cu.debug-console tty.debug-console",
         "1:cu.usbserial-A9 2:cu.usbmodem1421 3:cu.debug-console "},
        {"tty.lonely cu.other", "1:cu.other 2:tty.lonely "}};
    for (const auto& [listed, expected] : rows)
        EXPECT_EQ(numbered(listed), expected) << listed;
    EXPECT_EQ(numbered("COM10 COM3 LPT1 COM1", Platform::Windows), "1:COM1 3:COM3 10:COM10 ");
    EXPECT_EQ(usbIdText(0x403, 0x6001), "0403:6001");
    EXPECT_EQ(usbIdText(0x1A86, 0x7523), "1a86:7523");
}

TEST(ResolveInList, CountsFromOneAndSaysWhyNot) {
    const std::vector<NumberedPort> ports = numberPorts(devices("ttyS0 ttyUSB0"), Platform::Linux);
    EXPECT_EQ(resolveInList(ports, 1).value_or(SerialDevice{}).location, "/dev/ttyUSB0");
    EXPECT_EQ(resolveInList(ports, 2).value_or(SerialDevice{}).location, "/dev/ttyS0");
    const std::tuple<std::size_t, int, std::string> refused[] = {
        {2, 0, "0 does not exist: port numbers start at 1"},
        {2, 3, "3 does not exist: the system lists 2 serial devices"},
        {2, INT_MAX, "2147483647 does not exist: the system lists 2 serial devices"},
        {0, 1, "1 does not exist: the system lists 0 serial devices"},
        {1, 2, "2 does not exist: the system lists 1 serial device"}};
    for (const auto& [listed, number, reason] : refused) {
        const std::vector<NumberedPort> some(ports.begin(), ports.begin() + listed);
        EXPECT_FALSE(resolveInList(some, number).has_value());
        EXPECT_EQ(reasonOf(resolveInList(some, number)), "Serial port " + reason);
    }
}

TEST(WindowsPorts, OpenComNAndReadOnlyComN) {
    const std::pair<int, std::string> numbers[] = {
        {1, "COM1"}, {9, "COM9"}, {10, "\\\\.\\COM10"}, {256, "\\\\.\\COM256"}, {0, ""}, {-1, ""}};
    for (const auto& [number, location] : numbers) {
        const Result<SerialDevice> resolved = resolveWindowsPort(number);
        EXPECT_EQ(resolved.has_value(), !location.empty()) << number;
        EXPECT_EQ(resolved.value_or(SerialDevice{}).location, location) << number;
        EXPECT_EQ(resolved.value_or(SerialDevice{}).name,
                  resolved.has_value() ? "COM" + std::to_string(number) : "");
    }
    const std::pair<const char*, int> names[] = {
        {"COM1", 1},  {"COM12", 12}, {"COM", 0}, {"COM0", 0},     {"com3", 0},
        {"COM3a", 0}, {"LPT1", 0},   {"", 0},    {"COM999", 999}, {"COM1234", 0}};
    for (const auto& [name, number] : names)
        EXPECT_EQ(windowsPortNumber(name), number) << name;
}

}  // namespace
}  // namespace zelvar
