#include <QCoreApplication>
#include <cmath>
#include <iostream>

#include "arguments.h"
#include "command.h"
#include "config/text_number.h"
#include "settings_file.h"
#include "transfer/qt_serial_port_qt.h"
#include "transfer/send_sequence.h"

namespace zelvar::cli {
namespace {

constexpr std::string_view kUsage =
    "zelvar-cli send FILE.cfg (--port N | --device PATH) [--baud 4800|9600|38400]";

// The dialog's texts on stderr: a growing line grows in place, a new text starts a new line.
class StderrProgress final : public SendObserver {
  public:
    ~StderrProgress() override { endLine(); }

    void setText(std::string_view text) override {
        std::string shown = withPlainLineBreaks(text);
        if (!line_.empty() && shown.starts_with(line_)) {
            std::cerr << shown.substr(line_.size());
        } else {
            endLine();
            std::cerr << shown;
        }
        line_ = shown;
        std::cerr.flush();
    }
    void setOkVisible(bool) override {}
    void showProgress() override {}

    void endLine() {
        if (!line_.empty())
            std::cerr << "\n";
        line_.clear();
    }

  private:
    static std::string withPlainLineBreaks(std::string_view text) {
        std::string shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.substr(i).starts_with(kLineBreak)) {
                shown += '\n';
                ++i;
            } else {
                shown += text[i];
            }
        }
        // The dialog keeps its first line empty; a terminal needs no such margin.
        if (shown.starts_with('\n'))
            shown.erase(0, 1);
        return shown;
    }

    std::string line_;
};

// The port number of --port: a whole number, as CommPort would hold it.
bool readPortNumber(const std::string& text, int& number) {
    std::optional<double> value = strictNumber(text);
    if (!value || *value != std::floor(*value) || *value < 0 || *value > 255)
        return false;
    number = static_cast<int>(*value);
    return true;
}

bool readBaud(const std::string& text, int& index) {
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == text) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

void printHelp() {
    std::cout << "usage: " << kUsage
              << "\n\nLoads FILE.cfg into a default record, builds the tracker's image and sends "
                 "it as\nSEND does: FF FF, block 1, FF FF, block 2, with the same pauses (about "
                 "1.5 s).\nProgress goes to stderr.\n"
                 "  --port N       serial port number as in \"Comm num:\" (zelvar-cli ports "
                 "lists them)\n"
                 "  --device PATH  a serial device named outright\n"
                 "  --baud SPEED   4800, 9600 or 38400 instead of the file's speed\n"
                 "Exit 0 sent, 1 the build failed, 2 the file or the arguments are wrong, 3 the "
                 "serial\nport failed.\n";
}

int run(std::span<const std::string_view> args) {
    Arguments parsed = parseArguments(args, {"--help"}, {"--port", "--device", "--baud"});
    if (parsed.has("--help")) {
        printHelp();
        return kExitOk;
    }
    if (!parsed.error.empty())
        return usageError(parsed.error, kUsage);
    if (parsed.positionals.size() != 1)
        return usageError("expected one FILE.cfg", kUsage);
    const std::string* portText = parsed.option("--port");
    const std::string* device = parsed.option("--device");
    if ((portText == nullptr) == (device == nullptr))
        return usageError("give either --port or --device", kUsage);

    SendTarget target;
    PortResolver resolver;
    if (portText) {
        if (!readPortNumber(*portText, target.portNumber))
            return usageError("--port needs a port number, not '" + *portText + "'", kUsage);
        target.portName = "COM" + std::to_string(target.portNumber);
    } else {
        if (device->empty())
            return usageError("--device needs a device path", kUsage);
        target.portNumber = 1;
        target.portName = *device;
        resolver = fixedDevice(*device);
    }
    int baudIndex = -1;
    const std::string* baud = parsed.option("--baud");
    if (baud && !readBaud(*baud, baudIndex))
        return usageError("--baud must be 4800, 9600 or 38400, not '" + *baud + "'", kUsage);

    DeviceSettings settings;
    if (int status = loadSettingsFile(parsed.positionals[0], settings))
        return status;
    if (baud)
        settings.baudRate = baudIndex;
    ConfigImage image{};
    if (int status = buildImage(settings, image))
        return status;
    target.lineSettings = lineSettingsFor(settings.baudRate);

    int argc = 1;
    char name[] = "zelvar-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QtSerialPort port(resolver);
    StderrProgress progress;
    // The window's plan, with plain sleeps for its pauses.
    SendResult result = sendConfig(makeTransferPlan(image, target), port, progress);
    progress.endLine();
    switch (result.outcome) {
        case SendOutcome::Done:
            return kExitOk;
        case SendOutcome::NotOpened:
            std::cerr << "zelvar-cli: " << target.portName << " did not open\n";
            return kExitSerialFailure;
        case SendOutcome::Failed:
            std::cerr << "zelvar-cli: " << result.description << "\n";
            return kExitSerialFailure;
    }
    return kExitSerialFailure;
}

const bool registered =
    registerCommand({"send", "send a .cfg to the tracker over the serial line", &run});

}  // namespace
}  // namespace zelvar::cli
