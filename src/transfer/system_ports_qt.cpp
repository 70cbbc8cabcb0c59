#include "transfer/system_ports_qt.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace zelvar {
namespace {

std::vector<SerialDevice> listedDevices() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        devices.push_back({info.portName().toStdString(), info.systemLocation().toStdString(),
                           info.description().toStdString()});
    }
    return devices;
}

}  // namespace

std::vector<NumberedPort> systemPorts() {
    std::vector<NumberedPort> ports;
    if (currentPlatform() == Platform::Windows) {
        for (const SerialDevice& device : listedDevices()) {
            if (int number = windowsPortNumber(device.name); number > 0)
                ports.push_back({number, device});
        }
        std::ranges::sort(ports, {}, &NumberedPort::number);
        return ports;
    }
    int number = 0;
    for (const SerialDevice& device : numberedDevices(listedDevices()))
        ports.push_back({++number, device});
    return ports;
}

ResolvedPort resolveSystemPort(int number) {
    if (currentPlatform() == Platform::Windows)
        return resolveWindowsPort(number);
    return resolveInList(numberedDevices(listedDevices()), number);
}

}  // namespace zelvar
