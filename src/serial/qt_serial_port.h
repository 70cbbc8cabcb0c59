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

// The serial line on QSerialPort, write only. A write is done when its bytes have left the
// wire: the driver has taken them and their own time on the line since the write started has
// passed, since a driver (or a pseudo-terminal) may report them gone while the line still
// carries them and the tracker's pauses count from the last byte. `write` blocks until then;
// `startWrite` returns at once and reports from the event loop, for a caller that must not
// block.
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
    Result<> close() override;

    using WriteDone = std::function<void(Result<>)>;
    // Hands the bytes to the port and returns; `done` runs from the event loop once they have
    // left the wire, or with the layer's failure. A failure to start is returned here and
    // `done` never runs. One write at a time.
    Result<> startWrite(std::span<const std::uint8_t> bytes, WriteDone done);

    // The device the port number chose, empty before a number was set.
    const std::string& location() const { return location_; }

  private:
    using Clock = std::chrono::steady_clock;

    Result<> applySettings();
    Result<> layerFailure(std::string_view doing);
    std::chrono::milliseconds writeDeadline(qint64 bytes) const;
    void waitForWire();
    void finishWrite(Result<> status);

    PortResolver resolver_;
    QSerialPort port_;
    LineSettings settings_;
    std::string location_;
    WriteDone writeDone_;
    QTimer writeDeadline_;
    QTimer wireTimer_;
    Clock::time_point wireClearAt_;
};

}  // namespace zelvar
