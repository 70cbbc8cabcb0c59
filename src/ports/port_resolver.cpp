#include "ports/port_resolver.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <tuple>

#include "common/ascii.h"
#include "text/translation.h"
#include "transfer/transfer_plan.h"

namespace zelvar {
namespace {

constexpr std::array<std::string_view, 4> kUsbPrefixes = {"ttyUSB", "ttyACM", "cu.usbserial",
                                                          "cu.usbmodem"};

bool contains(std::string_view text, std::string_view part) {
    return asciiLowered(text).find(part) != std::string::npos;
}

std::size_t usbRank(std::string_view name) {
    auto found = std::ranges::find_if(
        kUsbPrefixes, [&](std::string_view prefix) { return name.starts_with(prefix); });
    return static_cast<std::size_t>(found - kUsbPrefixes.begin());
}

// Compares runs of digits by their value, everything else character by character.
bool naturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && isAsciiDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isAsciiDigit(b[endB]))
                ++endB;
            std::string_view runA = a.substr(i, endA - i);
            std::string_view runB = b.substr(j, endB - j);
            while (runA.size() > 1 && runA.front() == '0')
                runA.remove_prefix(1);
            while (runB.size() > 1 && runB.front() == '0')
                runB.remove_prefix(1);
            if (runA.size() != runB.size())
                return runA.size() < runB.size();
            if (runA != runB)
                return runA < runB;
            i = endA;
            j = endB;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;  // equal by value, as "tty01" and "tty1": keep an order all the same
}

bool isBluetoothIncoming(const SerialDevice& device) {
    return contains(device.name, "bluetooth-incoming");
}

}  // namespace

Platform currentPlatform() {
#if defined(_WIN32)
    return Platform::Windows;
#elif defined(__APPLE__)
    return Platform::MacOS;
#else
    return Platform::Linux;
#endif
}

std::vector<SerialDevice> numberedDevices(std::vector<SerialDevice> listed) {
    std::set<std::string, std::less<>> callOut;
    for (const SerialDevice& device : listed) {
        if (device.name.starts_with("cu."))
            callOut.insert(device.name.substr(3));
    }
    std::erase_if(listed, [&](const SerialDevice& device) {
        return isBluetoothIncoming(device) ||
               (device.name.starts_with("tty.") && callOut.contains(device.name.substr(4)));
    });
    std::ranges::sort(listed, [](const SerialDevice& a, const SerialDevice& b) {
        std::size_t rankA = usbRank(a.name);
        std::size_t rankB = usbRank(b.name);
        if (rankA != rankB)
            return rankA < rankB;
        return naturalLess(a.name, b.name);
    });
    return listed;
}

std::vector<NumberedPort> numberPorts(std::vector<SerialDevice> listed, Platform platform) {
    std::vector<NumberedPort> ports;
    if (platform == Platform::Windows) {
        for (SerialDevice& device : listed) {
            if (int number = windowsPortNumber(device.name); number > 0)
                ports.push_back({number, std::move(device)});
        }
        std::ranges::stable_sort(ports, {}, &NumberedPort::number);
        return ports;
    }
    int number = 0;
    for (SerialDevice& device : numberedDevices(std::move(listed)))
        ports.push_back({++number, std::move(device)});
    return ports;
}

std::string usbIdText(unsigned vendor, unsigned product) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", vendor & 0xFFFFu, product & 0xFFFFu);
    return text;
}

Result<SerialDevice> resolveInList(const std::vector<NumberedPort>& ports, int number) {
    if (Result<> valid = checkPortNumber(number); !valid)
        return tl::unexpected(std::move(valid.error()));
    auto found = std::ranges::find(ports, number, &NumberedPort::number);
    if (found == ports.end()) {
        return failure(withArguments(
            translatedPlural(
                "serial port", "Serial port %1 does not exist: the system lists %2 serial device",
                "Serial port %1 does not exist: the system lists %2 serial devices", ports.size()),
            {std::to_string(number), std::to_string(ports.size())}));
    }
    return found->device;
}

Result<SerialDevice> resolveWindowsPort(int number) {
    if (number < 1) {
        return failure(withArguments(
            translated("serial port", "Serial port %1 does not exist: port numbers start at 1"),
            {"COM" + std::to_string(number)}));
    }
    std::string name = "COM" + std::to_string(number);
    return SerialDevice{name, number >= 10 ? "\\\\.\\" + name : name, {}};
}

int windowsPortNumber(std::string_view name) {
    if (!name.starts_with("COM") || name.size() == 3 || name.size() > 6)
        return 0;
    int number = 0;
    for (char c : name.substr(3)) {
        if (!isAsciiDigit(c))
            return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace zelvar
