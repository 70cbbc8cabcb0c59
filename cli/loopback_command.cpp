#include <CLI/App.hpp>
#include <algorithm>
#include <memory>
#include <ostream>

#include "command.h"
#include "common/ascii.h"
#include "far_end.h"
#include "files/held_signals.h"
#include "files/signal_sets.h"
#include "port_number.h"
#include "ports/diagnosis_format.h"
#include "ports/suspend_clock.h"
#include "serial/qt_serial_port.h"
#include "serial/system_ports.h"
#include "settings_file.h"
#include "text/translation.h"
#include "transfer/prepared_send.h"
#include "transfer/send_sequence.h"
#include "transfer/transfer_report_format.h"

namespace zelvar::cli {
namespace {

// Loopback tells what came back, not how the send went.
class NoLoopbackProgress final : public SendObserver {
  public:
    void setText(std::string_view) override {}
    void setOkVisible(bool) override {}
    void showProgress() override {}
};

// What came back, against what was sent, and whether it came as one transfer the tracker takes:
// the first line of the verdict.
std::string echoVerdict(const std::vector<std::uint8_t>& sent,
                        const std::vector<std::uint8_t>& back, bool timely) {
    const std::string of = std::to_string(sent.size());
    const std::string got = std::to_string(back.size());
    const auto [sentAt, backAt] = std::mismatch(sent.begin(), sent.end(), back.begin(), back.end());
    if (sentAt == sent.end() && backAt == back.end()) {
        return withArguments(
            timely ? translated("loopback", "Loopback OK: all %1 bytes came back in order")
                   : translated("loopback",
                                "Loopback faulty: all %1 bytes came back in order, "
                                "but not as the tracker needs them:"),
            {of});
    }
    if (backAt == back.end()) {
        return withArguments(
            translated("loopback", "Loopback faulty: only %1 of %2 bytes came back, in order"),
            {got, of});
    }
    if (sentAt == sent.end()) {
        return withArguments(translated("loopback",
                                        "Loopback faulty: speed mismatch or noise: "
                                        "every byte came back, then %1 more"),
                             {std::to_string(back.end() - backAt)});
    }
    return withArguments(
        translated("loopback",
                   "Loopback faulty: speed mismatch or noise: %1 of "
                   "%2 bytes came back, the first wrong one at byte "
                   "%3 (0x%4 sent, 0x%5 back)"),
        {got, of, std::to_string(sentAt - sent.begin()), hexByte(*sentAt), hexByte(*backAt)});
}

// The transfer of the factory defaults, written on the port as SEND writes it while the echo
// is read in the pauses.
class Loopback {
  public:
    Loopback(SerialReceiver& echo, int wake) : echo_(echo), wake_(wake) {}

    // Runs the plan, then reads until the echo is judged; false when it stopped (Ctrl+C, the line
    // gone, a failed action).
    bool run(const TransferPlan& plan, QtSerialPort& port) {
        const HeldSignals stops{kStopSignals};  // as send: the pauses are judged
        NoLoopbackProgress progress;
        const SendClock reading{[] { return LineClock::now(); }, readSuspendClock,
                                [this](LineTime until) { return readUntil(until); }};
        const SendResult sent = sendConfig(plan, port, progress, reading);
        if (outcomeOf(sent) == SendOutcome::NotOpened)
            failure_ = withArguments(translated("cli", "%1 did not open"), {plan.target.portName});
        else if (outcomeOf(sent) == SendOutcome::Failed)
            failure_ = sent.error().reason;
        if (!sent)
            return false;
        while (check_.underWay())
            if (!readUntil(*check_.deadline()))
                return false;
        return true;
    }

    const std::vector<TransferReport>& echoes() const { return echoes_; }
    std::vector<std::uint8_t> bytesBack() const {
        std::vector<std::uint8_t> back;
        for (const TransferReport& echo : echoes_)
            back.insert(back.end(), echo.bytes.begin(), echo.bytes.end());
        return back;
    }
    bool interrupted() const { return interrupted_; }
    const std::string& failure() const { return failure_; }

  private:
    bool readUntil(LineTime until) {
        for (;;) {
            ReceiveEvent event = echo_.next(check_, until, wake_);
            if (event.report)
                echoes_.push_back(std::move(*event.report));
            switch (event.stop) {
                case ReceiveStop::Judged:
                    break;
                case ReceiveStop::TimedOut:
                    return true;
                case ReceiveStop::Woken:
                    interrupted_ = true;
                    return false;
                case ReceiveStop::LineGone:
                    failure_ = event.reason;
                    return false;
            }
        }
    }

    SerialReceiver& echo_;
    int wake_;
    TransferCheck check_;
    std::vector<TransferReport> echoes_;
    bool interrupted_ = false;
    std::string failure_;
};

int runLoopback(const CommandLineIo& io, const CLI::App& command, const FarEndOptions& options) {
    if (const std::optional<int> refused = refusedEmptyDevice(io.err, command, options.device))
        return *refused;
    const std::optional<int> baud = readSpeed(options.speed);
    if (!baud) {
        return usageError(io.err, command,
                          withArguments(translated("cli",
                                                   "--baud must be 4800, 9600 or 38400, "
                                                   "not '%1'"),
                                        {options.speed}));
    }
    const int baudIndex = static_cast<int>(
        std::find(kBaudRates.begin(), kBaudRates.end(), options.speed) - kBaudRates.begin());
    DeviceSettings settings = defaultSettings();
    settings.baudRate = baudIndex;
    const PreparedSend prepared = prepareSend(settings, PortChoice{1, options.device});
    if (!prepared.build) {
        printBuildFailure(io.err, prepared.build.error());
        return kExitBuildFailed;
    }
    const WireBytes wire = wireBytes(prepared.image);
    std::optional<SerialReceiver> echo =
        openFarEnd(io.err, options.device, *baud, LineSharing::Shared);
    if (!echo)
        return kExitDeviceError;
    QtSerialPort port(fixedDevice(options.device));
    const int interrupt = io.interruptDescriptor ? io.interruptDescriptor() : -1;
    io.err << withArguments(translated("loopback",
                                       "Writing the factory defaults on %1 at %2 "
                                       "bit/s and reading them back (Ctrl+C ends)"),
                            {escapedControls(options.device), std::to_string(*baud)})
           << "\n";
    Loopback loopback(*echo, interrupt);
    const bool finished = loopback.run(prepared.plan, port);
    if (loopback.interrupted())
        return signalExit(interrupt).value_or(kExitInterrupted);
    if (!finished) {
        io.err << "zelvar-cli: " << escapedControls(loopback.failure()) << "\n"
               << findingsText(diagnoseSystemDevice(options.device).findings);
        return kExitDeviceError;
    }

    const std::vector<std::uint8_t> back = loopback.bytesBack();
    if (back.empty()) {
        io.out << translated("loopback", "No echo: are TX and RX bridged?") << "\n";
        return kExitFaulty;
    }
    const std::vector<std::uint8_t> sent(wire.begin(), wire.end());
    const TransferReport& first = loopback.echoes().front();
    const bool timely = loopback.echoes().size() == 1 && first.ok();
    io.out << echoVerdict(sent, back, timely) << "\n";
    if (back == sent && !timely) {
        for (const TransferReport& report : loopback.echoes())
            for (const std::string& fault : report.faults())
                io.out << "- " << fault << "\n";
    }
    io.out << transferPauseText(first);
    return back == sent && timely ? kExitOk : kExitFaulty;
}

}  // namespace

Action declareLoopback(CLI::App& command) {
    auto options = std::make_shared<FarEndOptions>();
    command.footer(std::string(translated(
        "cli help",
        "With TX and RX bridged (pins 2 and 3 of a DB9, or a USB adapter's TX and RX),\n"
        "writes a transfer of the factory defaults as SEND does, pauses included, and reads\n"
        "it back on the same port: proves the adapter, the driver, the speed and the\n"
        "permissions without a tracker.\n"
        "Exit 0 every byte came back in order with the pauses SEND makes, 1 no echo (\"are TX\n"
        "and RX bridged?\") or wrong bytes (a speed mismatch or noise) or pauses, 2 wrong\n"
        "arguments or a device that fails, 128 + the signal that ended it (130 Ctrl+C).")));
    addFarEndOptions(command, *options);
    return
        [&command, options](const CommandLineIo& io) { return runLoopback(io, command, *options); };
}

}  // namespace zelvar::cli
