#include "transfer/transfer_plan.h"

#include <algorithm>
#include <climits>

#include "config/text_number.h"
#include "text/translation.h"
#include "transfer/block_framing.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;
using Kind = TransferStep::Kind;

constexpr milliseconds kBeforeFirstWrite{300};
constexpr milliseconds kAfterHeader{10};
constexpr milliseconds kAfterBlock2{300};
constexpr milliseconds kAfterClose{300};

TransferStep textStep(Kind kind, std::string text) {
    return {kind, std::move(text), {}, milliseconds(0)};
}

TransferStep writeStep(std::span<const std::uint8_t> bytes, int baudRate) {
    return {Kind::Write,
            {},
            {bytes.begin(), bytes.end()},
            milliseconds(0),
            timeOnLine(bytes.size(), baudRate)};
}

TransferStep pauseStep(milliseconds pause) {
    return {Kind::Pause, {}, {}, pause};
}

// The speed at the start of line settings such as "9600,n,8,1"; 0 when none is there.
int baudRateOf(std::string_view lineSettings) {
    return static_cast<int>(std::clamp(leadingNumber(lineSettings), 0.0, double{INT_MAX}));
}

}  // namespace

int portNumberOf(std::string_view commPort) {
    double rounded = roundHalfEven(leadingNumber(commPort));
    return static_cast<int>(std::clamp(rounded, double{INT_MIN}, double{INT_MAX}));
}

Result<> checkPortNumber(int number) {
    if (number < 1) {
        return failure(withArguments(
            translated("transfer", "Serial port %1 does not exist: port numbers start at 1"),
            {std::to_string(number)}));
    }
    return {};
}

std::string lineSettingsFor(int baudRateIndex) {
    std::string settings;
    if (baudRateIndex >= 0 && static_cast<std::size_t>(baudRateIndex) < kBaudRates.size())
        settings = kBaudRates[static_cast<std::size_t>(baudRateIndex)];
    return settings + ",n,8,1";
}

Failure invalidLineSettings(std::string_view lineSettings, std::string_view why) {
    return Failure{withArguments(translated("serial port", "Invalid line settings '%1': %2"),
                                 {std::string(lineSettings), why})};
}

Result<> checkSpeedChosen(std::string_view lineSettings) {
    if (!lineSettings.empty() && lineSettings.front() != ',')
        return {};
    return tl::unexpected(
        invalidLineSettings(lineSettings, translated("serial port", "no speed is chosen in Baud")));
}

std::chrono::microseconds timeOnLine(std::size_t bytes, int baudRate) {
    constexpr long long kBitsPerCharacter = 10;
    if (baudRate <= 0)
        return std::chrono::microseconds(0);
    const long long bits = static_cast<long long>(bytes) * kBitsPerCharacter * 1'000'000;
    return std::chrono::microseconds((bits + baudRate - 1) / baudRate);
}

SendTarget sendTargetFor(const DeviceSettings& settings) {
    return {lineSettingsFor(settings.baudRate), portNumberOf(settings.portNumber),
            "COM" + settings.portNumber};
}

std::string sendingText(std::string_view portName) {
    return std::string(kLineBreak) +
           withArguments(translated("send", "Sending data on %1..."), {portName});
}

std::string sendFailedText(std::string_view portName) {
    return std::string(kLineBreak) +
           withArguments(translated("send", "Sending data on %1 failed."), {portName});
}

TransferPlan makeTransferPlan(const ConfigImage& image, const SendTarget& target) {
    // Both blocks come from the image as it is now; nothing done during the send changes them.
    const std::array<Block, 2> blocks = makeBlocks(image);
    const int baudRate = baudRateOf(target.lineSettings);
    std::string progress = sendingText(target.portName);
    TransferPlan plan{target, {}};
    std::vector<TransferStep>& steps = plan.steps;
    auto addDot = [&] { steps.push_back(textStep(Kind::Progress, progress += '.')); };

    steps.push_back({Kind::Open, {}, {}, milliseconds(0)});
    steps.push_back(textStep(Kind::ShowProgress, progress));
    steps.push_back(pauseStep(kBeforeFirstWrite));
    addDot();
    for (const auto& [block, pauseAfter] :
         {std::pair{&blocks[0], kPauseAfterBlock1}, std::pair{&blocks[1], kAfterBlock2}}) {
        steps.push_back(writeStep(kBlockHeader, baudRate));
        steps.push_back(pauseStep(kAfterHeader));
        steps.push_back(writeStep(*block, baudRate));
        steps.push_back(pauseStep(pauseAfter));
        addDot();
    }
    steps.push_back({Kind::Close, {}, {}, milliseconds(0)});
    steps.push_back(pauseStep(kAfterClose));
    steps.push_back(textStep(Kind::Finish, std::string(translated("send", kSentMessage))));
    return plan;
}

}  // namespace zelvar
