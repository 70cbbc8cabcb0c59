#include "transfer/port_resolver.h"

#include <gtest/gtest.h>

#include <climits>

namespace zelvar {
namespace {

std::vector<SerialDevice> devices(std::initializer_list<const char*> names) {
    std::vector<SerialDevice> list;
    for (const char* name : names)
        list.push_back({name, std::string("/dev/") + name, {}});
    return list;
}

std::vector<std::string> names(const std::vector<SerialDevice>& list) {
    std::vector<std::string> result;
    for (const SerialDevice& device : list)
        result.push_back(device.name);
    return result;
}

struct OrderCase {
    const char* name;
    std::vector<SerialDevice> listed;
    std::vector<std::string> expected;
};

class DeviceOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(DeviceOrder, IsStable) {
    EXPECT_EQ(names(numberedDevices(GetParam().listed)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DeviceOrder,
    ::testing::Values(
        OrderCase{"Empty", {}, {}},
        OrderCase{"UsbFirst",
                  devices({"ttyS1", "ttyACM0", "ttyS0", "ttyUSB0"}),
                  {"ttyUSB0", "ttyACM0", "ttyS0", "ttyS1"}},
        OrderCase{"NumbersByValue",
                  devices({"ttyUSB10", "ttyUSB2", "ttyUSB1", "ttyS10", "ttyS9"}),
                  {"ttyUSB1", "ttyUSB2", "ttyUSB10", "ttyS9", "ttyS10"}},
        OrderCase{
            "LeadingZeros", devices({"tty01", "tty1", "tty001"}), {"tty001", "tty01", "tty1"}},
        OrderCase{"MacUsbThenRest",
                  devices({"cu.Bluetooth-Incoming-Port", "tty.Bluetooth-Incoming-Port",
                           "cu.usbmodem1421", "cu.usbserial-A9", "tty.usbserial-A9",
                           "tty.usbmodem1421", "cu.debug-console", "tty.debug-console"}),
                  {"cu.usbserial-A9", "cu.usbmodem1421", "cu.debug-console"}},
        OrderCase{"DialInWithoutTwinStays",
                  devices({"tty.lonely", "cu.other"}),
                  {"cu.other", "tty.lonely"}},
        OrderCase{"ListedOrderDoesNotMatter",
                  devices({"ttyUSB1", "ttyS0", "ttyUSB0", "rfcomm0", "ttyACM1", "ttyACM0"}),
                  {"ttyUSB0", "ttyUSB1", "ttyACM0", "ttyACM1", "rfcomm0", "ttyS0"}},
        OrderCase{"Duplicates", devices({"ttyS0", "ttyS0"}), {"ttyS0", "ttyS0"}}),
    [](const auto& test) { return std::string(test.param.name); });

struct ResolveCase {
    const char* name;
    int number;
    bool ok;
    std::string location;
    std::string reason;
};

class ResolveInList : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveInList, CountsFromOne) {
    const std::vector<NumberedPort> ports =
        numberPorts(devices({"ttyS0", "ttyUSB0"}), Platform::Linux);
    Result<SerialDevice> resolved = resolveInList(ports, GetParam().number);
    EXPECT_EQ(resolved.has_value(), GetParam().ok);
    EXPECT_EQ(resolved.value_or(SerialDevice{}).location, GetParam().location);
    EXPECT_EQ(reasonOf(resolved), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ResolveInList,
    ::testing::Values(
        ResolveCase{"First", 1, true, "/dev/ttyUSB0", ""},
        ResolveCase{"Second", 2, true, "/dev/ttyS0", ""},
        ResolveCase{"BeyondTheList", 3, false, "",
                    "Serial port 3 does not exist: the system lists 2 serial devices"},
        ResolveCase{"Zero", 0, false, "", "Serial port 0 does not exist: port numbers start at 1"},
        ResolveCase{"Negative", -4, false, "",
                    "Serial port -4 does not exist: port numbers start at 1"},
        ResolveCase{"Huge", INT_MAX, false, "",
                    "Serial port 2147483647 does not exist: the system lists 2 serial devices"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ResolveInList, SaysWhenNothingIsListed) {
    EXPECT_EQ(reasonOf(resolveInList({}, 1)),
              "Serial port 1 does not exist: the system lists 0 serial devices");
    EXPECT_EQ(reasonOf(resolveInList({{1, {"ttyS0", "/dev/ttyS0", {}}}}, 2)),
              "Serial port 2 does not exist: the system lists 1 serial device");
}

struct WindowsCase {
    int number;
    bool ok;
    std::string name;
    std::string location;
};

class WindowsPorts : public ::testing::TestWithParam<WindowsCase> {};

TEST_P(WindowsPorts, OpenComN) {
    Result<SerialDevice> resolved = resolveWindowsPort(GetParam().number);
    EXPECT_EQ(resolved.has_value(), GetParam().ok);
    EXPECT_EQ(resolved.value_or(SerialDevice{}).name, GetParam().name);
    EXPECT_EQ(resolved.value_or(SerialDevice{}).location, GetParam().location);
    EXPECT_EQ(resolved.has_value(), reasonOf(resolved).empty());
}

INSTANTIATE_TEST_SUITE_P(Numbers, WindowsPorts,
                         ::testing::Values(WindowsCase{1, true, "COM1", "COM1"},
                                           WindowsCase{9, true, "COM9", "COM9"},
                                           WindowsCase{10, true, "COM10", "\\\\.\\COM10"},
                                           WindowsCase{256, true, "COM256", "\\\\.\\COM256"},
                                           WindowsCase{0, false, "", ""},
                                           WindowsCase{-1, false, "", ""}));

TEST(WindowsPortNumber, ReadsOnlyComN) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"COM1", 1},  {"COM12", 12}, {"COM", 0}, {"COM0", 0},     {"com3", 0},
        {"COM3a", 0}, {"LPT1", 0},   {"", 0},    {"COM999", 999}, {"COM1234", 0}};
    for (const auto& [name, number] : cases)
        EXPECT_EQ(windowsPortNumber(name), number) << name;
}

TEST(NumberPorts, CountAsSendDoes) {
    auto numbered = [](std::vector<SerialDevice> listed, Platform platform) {
        std::vector<std::pair<int, std::string>> result;
        for (const NumberedPort& port : numberPorts(std::move(listed), platform))
            result.emplace_back(port.number, port.device.name);
        return result;
    };
    using Numbers = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(numbered(devices({"COM10", "COM3", "LPT1", "COM1"}), Platform::Windows),
              (Numbers{{1, "COM1"}, {3, "COM3"}, {10, "COM10"}}));
    EXPECT_EQ(numbered(devices({"ttyS0", "ttyUSB0", "ttyS1"}), Platform::Linux),
              (Numbers{{1, "ttyUSB0"}, {2, "ttyS0"}, {3, "ttyS1"}}));
    EXPECT_EQ(usbIdText(0x403, 0x6001), "0403:6001");
    EXPECT_EQ(usbIdText(0x1A86, 0x7523), "1a86:7523");
}

}  // namespace
}  // namespace zelvar
