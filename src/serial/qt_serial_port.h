#pragma once

#include <QSerialPort>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>

#include "ports/port_resolver.h"
#include "transfer/serial_port.h"

namespace zelvar {

// Turns a port number into the device it opens.
using PortResolver = std::function<Result<SerialDevice>(int number)>;

// Speed, parity, data bits and stop bits of the line.
struct LineSettings {
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// "9600,n,8,1" style text: speed, parity n/e/o/m/s, data bits 5..8, stop bits 1, 1.5 or 2.
Result<LineSettings> parseLineSettings(const std::string& text);

// A resolver that gives `location` whatever the number: for a device named outright.
PortResolver fixedDevice(std::string location);

// The serial line on QSerialPort, write only. A write is done once the system has taken its bytes,
// a drain once the system has sent them on to the device; when the bytes have left the wire is
// SendPacer's to reckon. `write` and `drain` block; `startWrite` and `startDrain` return at once
// and report from the event loop, for a caller that must not block.
class QtSerialPort final : public SerialPort {
  public:
    // Numbers resolve as the system lists its ports unless another resolver is given.
    explicit QtSerialPort(PortResolver resolver = {});
    ~QtSerialPort() override;

    Result<> setSettings(const std::string& settings) override;
    Result<> setPortNumber(int number) override;
    Result<> open() override;
    bool isOpen() const override;
    Result<> write(std::span<const std::uint8_t> bytes) override;
    Result<> drain() override;
    Result<> close() override;

    using Done = std::function<void(Result<>)>;
    // Hands the bytes to the port and returns; `done` runs from the event loop once the system has
    // taken them, or with the layer's failure. A failure to start is returned here and `done`
    // never runs. One write or drain at a time.
    Result<> startWrite(std::span<const std::uint8_t> bytes, Done done);
    // Drains on a thread of its own; `done` runs from the event loop once the system has sent every
    // byte written, or with a failure. One write or drain at a time.
    Result<> startDrain(Done done);

    // The device the port number chose, empty before a number was set.
    const std::string& location() const { return location_; }

  private:
    Result<> applySettings();
    Result<> layerFailure(std::string_view doing);
    std::chrono::milliseconds deadlineFor(qint64 bytes) const;
    void await(Done done, qint64 bytes);
    void finish(Result<> status);

    PortResolver resolver_;
    QSerialPort port_;
    LineSettings settings_;
    std::string location_;
    Done done_;  // of the write or drain under way
    unsigned operation_ =
        0;  // counts them, so that a drain that ends late is not taken for another
    qint64 lastWrite_ = 0;
    QTimer deadline_;
};

}  // namespace zelvar
