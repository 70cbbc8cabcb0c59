#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zelvar {

// Result of one serial-port operation: success, or the layer's description of the failure.
struct PortStatus {
    bool ok = true;
    std::string description;

    explicit operator bool() const { return ok; }
    static PortStatus success() { return {}; }
    static PortStatus failure(std::string why) { return {false, std::move(why)}; }
};

// The serial line as the send sequence needs it: write only.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Line settings such as "9600,n,8,1".
    virtual PortStatus setSettings(const std::string& settings) = 0;
    // The port number as the user gives it (COMn on Windows, the n-th listed device elsewhere).
    virtual PortStatus setPortNumber(int number) = 0;
    virtual PortStatus open() = 0;
    virtual bool isOpen() const = 0;
    // Returns only when all bytes have left the port, or with a failure.
    virtual PortStatus write(std::span<const std::uint8_t> bytes) = 0;
    virtual PortStatus close() = 0;
};

}  // namespace zelvar
