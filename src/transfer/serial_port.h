#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/result.h"

namespace zelvar {

// The serial line as the send sequence needs it: write only. A failure carries the layer's
// words.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Line settings such as "9600,n,8,1".
    virtual Result<> setSettings(const std::string& settings) = 0;
    // The port number as the user gives it (COMn on Windows, the n-th listed device elsewhere).
    virtual Result<> setPortNumber(int number) = 0;
    virtual Result<> open() = 0;
    virtual bool isOpen() const = 0;
    // Returns once the system has taken all the bytes, or with a failure.
    virtual Result<> write(std::span<const std::uint8_t> bytes) = 0;
    // Returns once the system has sent every byte written on to the device, or with a failure.
    virtual Result<> drain() = 0;
    virtual Result<> close() = 0;
};

}  // namespace zelvar
