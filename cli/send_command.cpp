#include <poll.h>

#include <CLI/App.hpp>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>

#include "advice_text.h"
#include "command.h"
#include "common/ascii.h"
#include "files/held_signals.h"
#include "files/signal_sets.h"
#include "port_number.h"
#include "ports/diagnosis_format.h"
#include "ports/suspend_clock.h"
#include "sent_differently_text.h"
#include "serial/qt_serial_port.h"
#include "serial/system_ports.h"
#include "settings_file.h"
#include "text/translation.h"
#include "transfer/prepared_send.h"
#include "transfer/send_sequence.h"
#include "transfer/transfer_plan.h"

namespace zelvar::cli {
namespace {

struct SendOptions {
    std::string file;
    std::optional<std::string> port;
    std::optional<std::string> device;
    std::optional<std::string> baud;
};

// The dialog's texts on stderr: a growing line grows in place, a new text starts a new line.
class StderrProgress final : public SendObserver {
  public:
    explicit StderrProgress(std::ostream& err) : err_(err) {}
    ~StderrProgress() override { endLine(); }

    void setText(std::string_view text) override {
        std::string shown = withPlainLineBreaks(text);
        if (!line_.empty() && shown.starts_with(line_)) {
            err_ << shown.substr(line_.size());
        } else {
            endLine();
            err_ << shown;
        }
        line_ = shown;
        err_.flush();
    }
    void setOkVisible(bool) override {}
    void showProgress() override {}

    void endLine() {
        if (!line_.empty())
            err_ << "\n";
        line_.clear();
    }

  private:
    // The device's name is the user's or the system's: any control character in it, a line
    // break too, is escaped, so that only the dialog's own breaks start lines.
    static std::string withPlainLineBreaks(std::string_view text) {
        std::string shown;
        for (;;) {
            const std::size_t end = text.find(kLineBreak);
            shown += escapedControls(text.substr(0, end));
            if (end == std::string_view::npos)
                break;
            shown += '\n';
            text.remove_prefix(end + kLineBreak.size());
        }
        // The dialog keeps its first line empty; a terminal needs no such margin.
        if (shown.starts_with('\n'))
            shown.erase(0, 1);
        return shown;
    }

    std::ostream& err_;
    std::string line_;
};

// The pauses of the send, cut short by a signal: the send then stops between two actions, and the
// port's close puts the line's settings back and removes its lock.
SendClock stoppableClock(int wake) {
    return {[] { return LineClock::now(); }, readSuspendClock,
            [wake](LineTime until) {
                pollfd watched{wake, POLLIN, 0};
                for (;;) {
                    const auto left =
                        std::chrono::ceil<std::chrono::milliseconds>(until - LineClock::now());
                    const int ready =
                        ::poll(&watched, wake >= 0 ? 1 : 0,
                               static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
                    if (ready > 0)
                        return false;
                    if (ready == 0 && LineClock::now() >= until)
                        return true;
                }
            }};
}

bool readSendBaud(const std::string& text, int& index) {
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == text) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

int runSend(const CommandLineIo& io, const CLI::App& command, const SendOptions& options) {
    const std::optional<std::string>& portText = options.port;
    const std::optional<std::string>& device = options.device;
    if (portText.has_value() == device.has_value())
        return usageError(io.err, command,
                          std::string(translated("cli", "give either --port or --device")));

    PortChoice choice;
    PortResolver resolver;
    if (portText) {
        if (!readPortNumber(*portText, choice.number))
            return usageError(io.err, command,
                              withArguments(translated("cli",
                                                       "--port needs a port number, not "
                                                       "'%1'"),
                                            {*portText}));
        choice.name = "COM" + std::to_string(choice.number);
    } else {
        if (const std::optional<int> refused = refusedEmptyDevice(io.err, command, *device))
            return *refused;
        choice.name = *device;
        resolver = fixedDevice(*device);
    }
    int baudIndex = -1;
    const std::optional<std::string>& baud = options.baud;
    if (baud && !readSendBaud(*baud, baudIndex))
        return usageError(io.err, command,
                          withArguments(translated("cli",
                                                   "--baud must be 4800, 9600 or 38400, "
                                                   "not '%1'"),
                                        {*baud}));

    DeviceSettings settings;
    if (int status = loadSettingsFile(io.err, options.file, settings))
        return status;
    if (baud)
        settings.baudRate = baudIndex;
    const PreparedSend prepared = prepareSend(settings, choice);
    if (!prepared.build) {
        printBuildFailure(io.err, prepared.build.error());
        return kExitBuildFailed;
    }
    printSentDifferently(io.err, sentDifferently(settings, prepared));
    printAdvice(io.err, adviseOn(prepared.written), false);  // notes only: they never stop SEND
    // No speed (a file's Baud of -1) is the file's fault, not the port's: no doctor for it.
    if (Result<> speed = checkSpeedChosen(prepared.plan.target.lineSettings); !speed) {
        io.err << "zelvar-cli: " << escapedControls(speed.error().reason) << "\n";
        return kExitSerialFailure;
    }

    QtSerialPort port(resolver);
    const int interrupt = io.interruptDescriptor ? io.interruptDescriptor() : -1;
    StderrProgress progress(io.err);
    const SendResult result = [&] {
        // Stopped between the blocks (Ctrl+Z) and let go later, block 2 would come too late for
        // the tracker, and the send would still say "Data sent !": the stop comes at the end.
        const HeldSignals stops{kStopSignals};
        return sendConfig(prepared.plan, port, progress, stoppableClock(interrupt));
    }();
    progress.endLine();
    // A signal also cuts a drain short: whatever failed then, the user stopped the send.
    if (const std::optional<int> signalled = result ? std::nullopt : signalExit(interrupt)) {
        io.err << "zelvar-cli: "
               << withArguments(translated("cli", "sending on %1 stopped"),
                                {escapedControls(choice.name)})
               << "\n";
        if (result.error().partlySent)
            io.err << translated("cli",
                                 "The tracker got only part of its settings: send them "
                                 "again.")
                   << "\n";
        return *signalled;
    }
    switch (outcomeOf(result)) {
        case SendOutcome::Done:
            return kExitOk;
        case SendOutcome::NotOpened:
            io.err << "zelvar-cli: "
                   << withArguments(translated("cli", "%1 did not open"),
                                    {escapedControls(choice.name)})
                   << "\n";
            return kExitSerialFailure;
        case SendOutcome::Failed:
        case SendOutcome::Stopped: {
            // What the doctor finds about the port, as the window shows it below the words.
            const Diagnosis diagnosis =
                device ? diagnoseSystemDevice(*device) : diagnoseSystemPort(choice.number);
            const FailureReport report =
                failureReport(result.error().reason, diagnosis.findings, result.error().partlySent);
            io.err << "zelvar-cli: " << escapedControls(report.text) << "\n" << report.below;
            if (!report.below.empty() && !report.below.ends_with('\n'))
                io.err << "\n";
            return kExitSerialFailure;
        }
    }
    return kExitSerialFailure;
}

}  // namespace

Action declareSend(CLI::App& command) {
    auto options = std::make_shared<SendOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Loads FILE.cfg into a default record, builds the tracker's image and sends it as\n"
        "SEND does: FF FF, block 1, FF FF, block 2, with the same pauses (about 2 s).\n"
        "The notes of `check` come first, one line each, then the progress, all on stderr.\n"
        "Give either --port or --device.\n"
        "Exit 0 sent, 1 the build failed, 2 the file or the arguments are wrong, 3 the serial\n"
        "port failed: the system's words on stderr, and below them what `doctor` finds;\n"
        "128 + the signal that ended it: 130 Ctrl+C, 143 SIGTERM.")));
    command.add_option("FILE.cfg", options->file)->required();
    addPortOptions(command, options->port, options->device);
    takingFullWidthDigits(
        command.add_option(
            "--baud", options->baud,
            std::string(translated("cli help", "4800, 9600 or 38400 instead of the file's speed"))))
        ->type_name("SPEED");
    return [&command, options](const CommandLineIo& io) { return runSend(io, command, *options); };
}

}  // namespace zelvar::cli
