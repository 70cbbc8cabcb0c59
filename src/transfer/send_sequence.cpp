#include "transfer/send_sequence.h"

#include <algorithm>
#include <climits>
#include <thread>

#include "config/text_number.h"
#include "transfer/block_framing.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kBeforeFirstWrite{300};
constexpr milliseconds kAfterHeader{10};
constexpr milliseconds kAfterBlock1{600};
constexpr milliseconds kAfterBlock2{300};
constexpr milliseconds kAfterClose{300};

int portNumberOf(std::string_view commPort) {
    double rounded = roundHalfEven(leadingNumber(commPort));
    return static_cast<int>(std::clamp(rounded, double{INT_MIN}, double{INT_MAX}));
}

// Runs the steps after the port is open; any failure leaves through the returned status.
class Transfer {
  public:
    Transfer(SerialPort& port, SendObserver& observer, const SendPacing& pacing)
        : port_(port), observer_(observer), pacing_(pacing) {}

    PortStatus run(const std::array<Block, 2>& blocks, std::string_view portName) {
        text_ = sendingText(portName);
        observer_.setText(text_);
        observer_.setOkVisible(false);
        observer_.showProgress();
        pump();
        pacing_.sleep(kBeforeFirstWrite);
        addDot();
        if (PortStatus status = writeBlock(blocks[0], kAfterBlock1); !status)
            return status;
        addDot();
        if (PortStatus status = writeBlock(blocks[1], kAfterBlock2); !status)
            return status;
        addDot();
        return PortStatus::success();
    }

  private:
    void pump() {
        if (pacing_.pumpEvents)
            pacing_.pumpEvents();
    }

    void addDot() {
        text_ += '.';
        observer_.setText(text_);
        pump();
    }

    PortStatus writeBlock(const Block& block, milliseconds pauseAfter) {
        if (PortStatus status = port_.write(kBlockHeader); !status)
            return status;
        pacing_.sleep(kAfterHeader);
        if (PortStatus status = port_.write(block); !status)
            return status;
        pacing_.sleep(pauseAfter);
        return PortStatus::success();
    }

    SerialPort& port_;
    SendObserver& observer_;
    const SendPacing& pacing_;
    std::string text_;
};

SendResult failed(SerialPort& port, SendObserver& observer, std::string description) {
    // A port left open would block every later send and the main window's close.
    if (port.isOpen())
        port.close();
    observer.sendFailed(description);
    return {SendOutcome::Failed, std::move(description)};
}

}  // namespace

SendPacing realTimePacing(std::function<void()> pumpEvents) {
    return {[](milliseconds pause) { std::this_thread::sleep_for(pause); }, std::move(pumpEvents)};
}

std::string lineSettingsFor(int baudRateIndex) {
    std::string settings;
    if (baudRateIndex >= 0 && static_cast<std::size_t>(baudRateIndex) < kBaudRates.size())
        settings = kBaudRates[static_cast<std::size_t>(baudRateIndex)];
    return settings + ",n,8,1";
}

SendTarget sendTargetFor(const DeviceSettings& settings) {
    return {lineSettingsFor(settings.baudRate), portNumberOf(settings.commPort),
            "COM" + settings.commPort};
}

std::string sendingText(std::string_view portName) {
    std::string text(kLineBreak);
    text += kSendingPrefix;
    text += portName;
    text += "...";
    return text;
}

SendResult sendConfig(const ConfigImage& image, const SendTarget& target, SerialPort& port,
                      SendObserver& observer, const SendPacing& pacing) {
    const std::array<Block, 2> blocks = makeBlocks(image);
    if (PortStatus status = port.setSettings(target.lineSettings); !status)
        return failed(port, observer, status.description);
    if (PortStatus status = port.setPortNumber(target.portNumber); !status)
        return failed(port, observer, status.description);
    if (PortStatus status = port.open(); !status)
        return failed(port, observer, status.description);
    if (!port.isOpen())
        return {SendOutcome::NotOpened, {}};

    Transfer transfer(port, observer, pacing);
    if (PortStatus status = transfer.run(blocks, target.portName); !status)
        return failed(port, observer, status.description);
    if (PortStatus status = port.close(); !status)
        return failed(port, observer, status.description);
    pacing.sleep(kAfterClose);
    observer.setText(kSentMessage);
    observer.setOkVisible(true);
    return {SendOutcome::Sent, {}};
}

}  // namespace zelvar
