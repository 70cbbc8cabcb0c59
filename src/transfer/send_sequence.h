#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "config/config_image.h"
#include "config/device_settings.h"
#include "transfer/serial_port.h"

namespace zelvar {

// Whoever shows the progress of a send: the message dialog, the CLI's stderr, a test.
class SendObserver {
  public:
    virtual ~SendObserver() = default;

    // The whole progress text, line breaks as CR LF.
    virtual void setText(std::string_view text) = 0;
    virtual void setOkVisible(bool visible) = 0;
    // Shows the progress without blocking the caller.
    virtual void showProgress() = 0;
    // A step failed; `description` is the serial layer's own text.
    virtual void sendFailed(std::string_view description) = 0;
};

// How a send waits: the thread sleeps during the pauses and lets pending window events run at
// four fixed points. Tests inject instant versions.
struct SendPacing {
    std::function<void(std::chrono::milliseconds)> sleep;
    std::function<void()> pumpEvents;
};

// Real sleeps; `pumpEvents` may be empty when there are no windows.
SendPacing realTimePacing(std::function<void()> pumpEvents = {});

// Where and how one send goes.
struct SendTarget {
    std::string lineSettings;  // "9600,n,8,1"
    int portNumber = 0;
    std::string portName;  // shown in the progress text: "COM1", or a device path
};

// The target the main window's fields give: the rounded leading number of CommPort, the chosen
// BaudRate text with ",n,8,1", and "COM" with the CommPort text as typed.
SendTarget sendTargetFor(const DeviceSettings& settings);

// "4800,n,8,1" for index 0; an index outside the list gives ",n,8,1", which the port rejects.
std::string lineSettingsFor(int baudRateIndex);

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kSendingPrefix = "Sending data on ";
inline constexpr std::string_view kSentMessage =
    "Data sent !\r\n Be shure that 'Transfer OK' appears on LCD";

// CR LF, "Sending data on ", the port name and "...".
std::string sendingText(std::string_view portName);

enum class SendOutcome {
    Sent,
    NotOpened,  // the port said it was not open after opening: nothing shown, nothing sent
    Failed,     // a step failed; `description` holds the layer's text
};

struct SendResult {
    SendOutcome outcome = SendOutcome::Sent;
    std::string description;

    bool sent() const { return outcome == SendOutcome::Sent; }
};

// Opens the port, shows the progress, writes FF FF, block 1, FF FF, block 2 with the fixed
// pauses, closes the port and reports "Data sent !". A step that fails stops the send, closes
// the port if it was opened and tells the observer.
SendResult sendConfig(const ConfigImage& image, const SendTarget& target, SerialPort& port,
                      SendObserver& observer, const SendPacing& pacing);

}  // namespace zelvar
