#include "serial/serial_layer_port_system.h"
#include "text/system_error.h"

#include <QSerialPort>

namespace zelvar {

OpenAttempt SerialLayerPortSystem::tryOpen(const std::string& path) const {
    // The plain open first: its refusal carries the system's own reason.
    OpenAttempt plain = HostPortSystem::tryOpen(path);
    if (plain.outcome != OpenOutcome::Opened)
        return plain;
    QSerialPort port;
    port.setPortName(QString::fromStdString(path));
    if (port.open(QIODevice::WriteOnly)) {
        port.close();
        return {OpenOutcome::Opened, {}};
    }
    const std::string reason = systemWordsInLanguage(port.errorString().toStdString());
    switch (port.error()) {
        case QSerialPort::PermissionError:
            // The device itself has just opened: what the layer refuses now is its lock.
            return {OpenOutcome::Locked, reason};
        case QSerialPort::DeviceNotFoundError:
            return {OpenOutcome::Missing, reason};
        default:
            return {OpenOutcome::Failed, reason};
    }
}

}  // namespace zelvar
