#include "transfer/transfer_plan.h"

#include <algorithm>
#include <climits>

#include "config/text_number.h"
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

TransferStep writeStep(std::span<const std::uint8_t> bytes) {
    return {Kind::Write, {}, {bytes.begin(), bytes.end()}, milliseconds(0)};
}

TransferStep pauseStep(milliseconds pause) {
    return {Kind::Pause, {}, {}, pause};
}

}  // namespace

int portNumberOf(std::string_view commPort) {
    double rounded = roundHalfEven(leadingNumber(commPort));
    return static_cast<int>(std::clamp(rounded, double{INT_MIN}, double{INT_MAX}));
}

Result<> checkPortNumber(int number) {
    if (number < 1) {
        return failure("Serial port " + std::to_string(number) +
                       " does not exist: port numbers start at 1");
    }
    return {};
}

std::string lineSettingsFor(int baudRateIndex) {
    std::string settings;
    if (baudRateIndex >= 0 && static_cast<std::size_t>(baudRateIndex) < kBaudRates.size())
        settings = kBaudRates[static_cast<std::size_t>(baudRateIndex)];
    return settings + ",n,8,1";
}

SendTarget sendTargetFor(const DeviceSettings& settings) {
    return {lineSettingsFor(settings.baudRate), portNumberOf(settings.portNumber),
            "COM" + settings.portNumber};
}

std::string sendingText(std::string_view portName) {
    std::string text(kLineBreak);
    text += kSendingPrefix;
    text += portName;
    text += "...";
    return text;
}

TransferPlan makeTransferPlan(const ConfigImage& image, const SendTarget& target) {
    // Both blocks come from the image as it is now; nothing done during the send changes them.
    const std::array<Block, 2> blocks = makeBlocks(image);
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
        steps.push_back(writeStep(kBlockHeader));
        steps.push_back(pauseStep(kAfterHeader));
        steps.push_back(writeStep(*block));
        steps.push_back(pauseStep(pauseAfter));
        addDot();
    }
    steps.push_back({Kind::Close, {}, {}, milliseconds(0)});
    steps.push_back(pauseStep(kAfterClose));
    steps.push_back(textStep(Kind::Finish, std::string(kSentMessage)));
    return plan;
}

}  // namespace zelvar
