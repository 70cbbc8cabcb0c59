#include <CLI/App.hpp>
#include <cmath>
#include <memory>
#include <ostream>

#include "command.h"
#include "common/ascii.h"
#include "config/text_number.h"
#include "far_end.h"
#include "port_number.h"
#include "setting_rows.h"
#include "text/translation.h"
#include "transfer/transfer_report_format.h"

namespace zelvar::cli {
namespace {

struct ReceiveOptions {
    FarEndOptions line;
    std::string timeout = "60";
    std::string count = "1";
    bool json = false;
};

// A whole positive number up to `most`.
std::optional<long> wholeReceiveNumber(const std::string& text, long most) {
    const std::optional<double> value = strictNumber(text);
    if (!value || *value != std::floor(*value) || *value < 1 || *value > double(most))
        return std::nullopt;
    return static_cast<long>(*value);
}

// Counts the transfers and shows each as it is judged.
class Reception {
  public:
    Reception(std::ostream& out, const ReceiveOptions& options, long count)
        : out_(out), options_(options), count_(count) {}

    // False when the output could not take it: the verdicts would be lost from here on.
    bool show(const TransferReport& report) {
        ++received_;
        faulty_ += report.ok() ? 0 : 1;
        if (options_.json) {
            out_ << transferReportJson(report);
        } else if (count_ == 1) {
            out_ << transferReportText(report);
            if (report.ok())
                printGoodWire(out_, *report.image);
        } else {
            out_ << transferReportText(
                report, withArguments(translated("receive", "Transfer %1 of %2"),
                                      {std::to_string(received_), std::to_string(count_)}));
        }
        return static_cast<bool>(out_.flush());
    }
    bool done() const { return received_ == count_; }

    // The summary of several transfers, and the exit code for what came.
    int finish(int nothingMore) const {
        if (count_ > 1 && !options_.json) {
            out_ << withArguments(translated("receive", "%1 of %2 transfers: %3 OK, %4 faulty"),
                                  {std::to_string(received_), std::to_string(count_),
                                   std::to_string(received_ - faulty_), std::to_string(faulty_)})
                 << "\n";
        }
        if (faulty_ > 0)
            return kExitFaulty;
        return done() ? kExitOk : nothingMore;
    }

  private:
    std::ostream& out_;
    const ReceiveOptions& options_;
    long count_;
    long received_ = 0;
    long faulty_ = 0;
};

int runReceive(const CommandLineIo& io, const CLI::App& command, const ReceiveOptions& options) {
    if (const std::optional<int> refused = refusedEmptyDevice(io.err, command, options.line.device))
        return *refused;
    const std::optional<int> baud = readSpeed(options.line.speed);
    if (!baud)
        return usageError(io.err, command,
                          withArguments(translated("cli",
                                                   "--baud must be 4800, 9600 or 38400, "
                                                   "not '%1'"),
                                        {options.line.speed}));
    const std::optional<long> seconds = wholeReceiveNumber(options.timeout, 86'400);
    if (!seconds)
        return usageError(
            io.err, command,
            withArguments(
                translated("cli", "--timeout needs whole seconds from 1 to 86400, not '%1'"),
                {options.timeout}));
    const std::optional<long> count = wholeReceiveNumber(options.count, 1'000'000);
    if (!count)
        return usageError(io.err, command,
                          withArguments(translated("cli",
                                                   "--count needs a number from 1 to "
                                                   "1000000, not '%1'"),
                                        {options.count}));
    const std::string& device = options.line.device;
    std::optional<SerialReceiver> line = openFarEnd(io.err, device, *baud, LineSharing::Exclusive);
    if (!line)
        return kExitDeviceError;

    const int interrupt = io.interruptDescriptor ? io.interruptDescriptor() : -1;
    io.err << withArguments(translated("receive", "Waiting on %1 at %2 bit/s (Ctrl+C ends)"),
                            {escapedControls(device), std::to_string(*baud)})
           << "\n";
    const std::chrono::seconds timeout(*seconds);
    TransferCheck check;
    Reception reception(io.out, options, *count);
    LineTime idleUntil = LineClock::now() + timeout;
    while (!reception.done()) {
        const LineTime until =
            check.underWay() ? std::max(idleUntil, *check.deadline()) : idleUntil;
        ReceiveEvent event = line->next(check, until, interrupt);
        if (event.report) {
            // What cannot be written is said once the line is restored.
            if (!reception.show(*event.report))
                return signalExit(interrupt).value_or(kExitInputError);
            idleUntil = LineClock::now() + timeout;
        }
        switch (event.stop) {
            case ReceiveStop::Judged:
                break;
            case ReceiveStop::TimedOut:
                if (check.underWay())
                    break;
                io.err << "zelvar-cli: "
                       << withArguments(translated("receive", "nothing arrived on %1 within %2 s"),
                                        {escapedControls(device), std::to_string(*seconds)})
                       << "\n";
                return reception.finish(kExitNothingArrived);
            case ReceiveStop::Woken:
                reception.finish(kExitOk);
                return signalExit(interrupt).value_or(kExitInterrupted);
            case ReceiveStop::LineGone:
                io.err << "zelvar-cli: " << escapedControls(device) << ": " << event.reason << "\n";
                reception.finish(kExitOk);
                return kExitDeviceError;
        }
    }
    return reception.finish(kExitOk);
}

}  // namespace

Action declareReceive(CLI::App& command) {
    auto options = std::make_shared<ReceiveOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Acts as the tracker on a serial device (a second adapter, a null-modem pair, a\n"
        "pseudo-terminal): opens it read-only, waits for a transfer and checks what the\n"
        "tracker would: both FF FF lead-ins, each block's 82 bytes and checksum, 170 bytes\n"
        "in all with nothing before or after, and a pause of at least 500 ms between block\n"
        "1 and the second lead-in (the protocol's 600 ms less 100 ms for adapter and system\n"
        "delays). The 10 ms pauses after the lead-ins are shown, not judged. A good transfer\n"
        "prints \"Transfer OK\" and the settings as `decode` shows them; a faulty one, each\n"
        "fault. Endless noise gives a verdict every 2 s; the next lead-in starts afresh.\n"
        "It stops at the first verdict it cannot write (a closed pipe, a full disk).\n"
        "Exit 0 every transfer good, 1 a transfer with faults, 2 wrong arguments, a device\n"
        "that fails or output that cannot be written, 3 nothing arrived before the timeout,\n"
        "128 + the signal that ended it: 130 Ctrl+C, 143 SIGTERM, 129 SIGHUP, 131 SIGQUIT;\n"
        "the line's settings are restored whatever ends it.")));
    addFarEndOptions(command, options->line);
    takingFullWidthDigits(
        command.add_option(
            "--timeout", options->timeout,
            std::string(translated("cli help", "seconds to wait for a transfer (60)"))))
        ->type_name("S");
    takingFullWidthDigits(command.add_option("--count", options->count,
                                             std::string(translated(
                                                 "cli help", "transfers to receive in a row (1)"))))
        ->type_name("N");
    command.add_flag("--json", options->json,
                     std::string(translated(
                         "cli help",
                         "each transfer as one line of JSON: the bytes, every check with its\n"
                         "verdict, the gaps in ms and the settings")));
    return
        [&command, options](const CommandLineIo& io) { return runReceive(io, command, *options); };
}

}  // namespace zelvar::cli
