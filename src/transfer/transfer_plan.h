#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "config/config_image.h"
#include "config/device_settings.h"
#include "text/translation.h"

namespace zelvar {

// The one clock of the line: the sender's pacing and the far end's checking both read it.
using LineClock = std::chrono::steady_clock;
using LineTime = LineClock::time_point;

// A clock that goes on while the computer is suspended, where LineClock stops: Linux's
// CLOCK_BOOTTIME, the page's Date.now(). Its readings come from the runners of a send, the core
// reads no system clock; they judge only whether a send was held up, never its pace.
struct SuspendClock {
    using rep = std::int64_t;
    using period = std::nano;
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<SuspendClock>;
    static constexpr bool is_steady = false;
};
using SuspendTime = SuspendClock::time_point;

// Where and how one send goes.
struct SendTarget {
    std::string lineSettings;  // "9600,n,8,1"
    int portNumber = 0;
    std::string portName;  // shown in the progress text: "COM1", or a device path

    bool operator==(const SendTarget&) const = default;
};

// The target the main window's fields give: the rounded leading number of CommPort, the chosen
// BaudRate text with ",n,8,1", and "COM" with the CommPort text as typed.
SendTarget sendTargetFor(const DeviceSettings& settings);

// The port number a CommPort text gives: its leading number, rounded.
int portNumberOf(std::string_view commPort);

// Port numbers start at 1; an empty CommPort gives 0, and a send to it opens nothing.
Result<> checkPortNumber(int number);

// "4800,n,8,1" for index 0; an index outside the list gives ",n,8,1", which the port rejects.
std::string lineSettingsFor(int baudRateIndex);

// "Invalid line settings ',n,8,1': no speed is chosen in Baud": line settings refused, and why.
Failure invalidLineSettings(std::string_view lineSettings, std::string_view why);

// Line settings that start with no speed (a .cfg's Baud of -1) are refused before any port is
// asked.
Result<> checkSpeedChosen(std::string_view lineSettings);

// How long `bytes` characters take on the tracker's line at `baudRate` bit/s: a start bit, eight
// data bits and a stop bit each, rounded up; none at a speed of 0.
std::chrono::microseconds timeOnLine(std::size_t bytes, int baudRate);

inline constexpr std::string_view kLineBreak = "\r\n";
// The words the tracker's users know, spelled so; shown as translated("send", kSentMessage).
inline constexpr std::string_view kSentMessage =
    marked("send", "Data sent !\r\n Be shure that 'Transfer OK' appears on LCD");

// Below the serial layer's words when the line failed once bytes had gone out; shown as
// translated("send", kPartlySentMessage).
inline constexpr std::string_view kPartlySentMessage =
    marked("send",
           "The port is closed again, and the tracker got only part of its settings. Check the "
           "cable and the adapter (was it unplugged?), then press SEND again.");

// How long a write, or the drain after it, may take beyond the bytes' own time on the line: a port
// that has not sent them by then is stuck (an adapter that takes nothing, a far end that never
// reads), and the send fails with the serial port's words kLateWrite rather than wait for ever.
inline constexpr std::chrono::milliseconds kWriteMargin{2000};
// Shown as translated("serial port", kLateWrite).
inline constexpr std::string_view kLateWrite =
    marked("serial port", "the bytes did not leave the port in time");

// The tracker takes a transfer within this long after its first lead-in: a whole one takes under
// a second at 4800 bit/s, and what has not come by then is not coming.
inline constexpr std::chrono::milliseconds kTransferWindow{2000};
// Shown as translated("send", kHeldUp), with kHeldUpAdvice below.
inline constexpr std::string_view kHeldUp =
    marked("send",
           "The send was held up (the computer slept, or the program was stopped or kept waiting "
           "in the background): the rest of the settings would reach the tracker too late.");
// Below kHeldUp in place of kPartlySentMessage: nothing was wrong with the cable or the adapter.
inline constexpr std::string_view kHeldUpAdvice =
    marked("send",
           "The tracker got only part of its settings. Press SEND again, and keep the computer "
           "awake and the program running until the send is over.");

// CR LF, "Sending data on ", the port name and "...".
std::string sendingText(std::string_view portName);
// What the page's progress says once that send has failed: CR LF, "Sending data on ", the port
// name and " failed.".
std::string sendFailedText(std::string_view portName);

// One step of a send. Texts break lines with CR LF.
struct TransferStep {
    enum class Kind {
        Open,          // line settings, port number, open; a port that stays shut ends the send
        ShowProgress,  // `text` with the OK button hidden, shown without blocking
        Progress,      // `text` replaces the progress text
        Write,         // `bytes` go to the port; they take `lineTime` on the line
        Pause,         // nothing happens for at least `pause`
        Close,         // the port is closed
        Finish,        // `text` with the OK button shown
    };

    Kind kind = Kind::Open;
    std::string text;
    std::vector<std::uint8_t> bytes;
    std::chrono::milliseconds pause{0};
    std::chrono::microseconds lineTime{0};

    bool operator==(const TransferStep&) const = default;
};

// The pause after block 1, the longest of the transfer: the tracker needs it before the second
// lead-in.
inline constexpr std::chrono::milliseconds kPauseAfterBlock1{600};

// Everything one send does, in order, as data; SendPacer paces it and its runners do the I/O.
struct TransferPlan {
    SendTarget target;
    std::vector<TransferStep> steps;
};

// Open, the first progress text, FF FF and block 1, FF FF and block 2 with the tracker's pauses
// and a dot after each stage, close, "Data sent !". The pauses add up to 1520 ms; each write
// carries its time on the line at the speed of the target's line settings.
TransferPlan makeTransferPlan(const ConfigImage& image, const SendTarget& target);

}  // namespace zelvar
