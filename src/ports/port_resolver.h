#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace zelvar {

// A serial device as the system lists it. Every detail but the name and location may be empty;
// those after the description have initialisers so that {name, location, description} stays
// a complete list.
struct SerialDevice {
    std::string name;               // "ttyUSB0", "cu.usbserial-A1", "COM3"
    std::string location;           // what the port opens: "/dev/ttyUSB0", "\\.\COM12"
    std::string description;        // the system's words for it: "USB2.0-Serial"
    std::string manufacturer = {};  // "QinHeng Electronics"
    std::string usbId = {};         // USB vendor:product in lower-case hex: "1a86:7523"
    std::string serialNumber = {};  // the adapter's own serial number
    std::string stableName = {};    // a name that survives re-plugging: /dev/serial/by-id/...
};

// A device with the number SEND gives it.
struct NumberedPort {
    int number = 0;
    SerialDevice device;
};

enum class Platform { Linux, MacOS, Windows };

Platform currentPlatform();

// The devices in the order port numbers count them, 1 first: USB adapters (ttyUSB*, ttyACM*,
// cu.usbserial*, cu.usbmodem*), then the rest by name, numbers inside names in numeric order
// (ttyUSB2 before ttyUSB10). Bluetooth incoming ports are left out, and a dial-in tty.X whose
// call-out twin cu.X is listed too, so each device counts once.
std::vector<SerialDevice> numberedDevices(std::vector<SerialDevice> listed);

// The listed devices with the numbers SEND gives them: COMn on Windows (other names are left
// out), the position in numberedDevices() elsewhere. Ordered by number.
std::vector<NumberedPort> numberPorts(std::vector<SerialDevice> listed, Platform platform);

// "1a86:7523": the form usbId takes.
std::string usbIdText(unsigned vendor, unsigned product);

// The port with `number` among `ports` (as numberPorts() gives them), or the reason there is none.
Result<SerialDevice> resolveInList(const std::vector<NumberedPort>& ports, int number);

// Port `number` as Windows names it: COMn, with the \\.\ prefix from COM10 on.
Result<SerialDevice> resolveWindowsPort(int number);

// The number of "COM7" (7), or 0 for names that are not COMn.
int windowsPortNumber(std::string_view name);

}  // namespace zelvar
