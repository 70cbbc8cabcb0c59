#include "serial/system_ports.h"

#include <QSerialPortInfo>

#include "ports/host_port_system.h"
#include "ports/stable_device_names.h"
#include "serial/serial_layer_port_system.h"

namespace zelvar {
namespace {

std::vector<SerialDevice> listedDevices() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.name = info.portName().toStdString();
        device.location = info.systemLocation().toStdString();
        device.description = info.description().toStdString();
        device.manufacturer = info.manufacturer().toStdString();
        device.serialNumber = info.serialNumber().toStdString();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            device.usbId = usbIdText(info.vendorIdentifier(), info.productIdentifier());
        devices.push_back(std::move(device));
    }
    if (currentPlatform() == Platform::Linux)
        addStableNames(HostPortSystem(), devices);
    return devices;
}

}  // namespace

std::vector<NumberedPort> systemPorts() {
    return numberPorts(listedDevices(), currentPlatform());
}

Result<SerialDevice> resolveListedPort(const std::vector<NumberedPort>& ports, int number) {
    if (currentPlatform() == Platform::Windows)
        return resolveWindowsPort(number);
    return resolveInList(ports, number);
}

Result<SerialDevice> resolveSystemPort(int number) {
    return resolveListedPort(systemPorts(), number);
}

Diagnosis diagnoseListedPort(const std::vector<NumberedPort>& ports, int number) {
    return diagnosePortNumber(SerialLayerPortSystem(), ports, number, currentPlatform());
}

Diagnosis diagnoseSystemPort(int number) {
    return diagnoseListedPort(systemPorts(), number);
}

Diagnosis diagnoseSystemDevice(const std::string& location) {
    return diagnoseDevice(SerialLayerPortSystem(), systemPorts(), location, currentPlatform());
}

}  // namespace zelvar
