#include "transfer/transfer_plan.h"

#include <gtest/gtest.h>

#include <climits>

#include "transfer/block_framing.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;
using Kind = TransferStep::Kind;

// Whatever the image: every write is followed by a pause long enough for its bytes at 4800
// bit/s, the pauses add up to 1520 ms, the writes carry the wire bytes and each stage adds a dot.
TEST(TransferPlan, PacesEveryWriteAndCarriesTheWireBytes) {
    for (int fill : {0x00, 0x7F, 0xFF}) {
        ConfigImage image{};
        image.fill(static_cast<std::uint8_t>(fill));
        const TransferPlan plan = makeTransferPlan(image, {"4800,n,8,1", 2, "COM2"});
        EXPECT_EQ(plan.steps.front().kind, Kind::Open);
        EXPECT_EQ(plan.steps.back(),
                  (TransferStep{Kind::Finish, std::string(kSentMessage), {}, {}}));
        milliseconds paused{0};
        std::vector<std::uint8_t> written;
        std::string progress;
        for (std::size_t i = 0; i < plan.steps.size(); ++i) {
            const TransferStep& step = plan.steps[i];
            paused += step.pause;
            if (step.kind == Kind::ShowProgress || step.kind == Kind::Progress)
                progress += step.text + "|";
            if (step.kind != Kind::Write)
                continue;
            written.insert(written.end(), step.bytes.begin(), step.bytes.end());
            ASSERT_EQ(plan.steps.at(i + 1).kind, Kind::Pause);
            EXPECT_GE(plan.steps[i + 1].pause.count() * 4800, std::ssize(step.bytes) * 10 * 1000);
        }
        EXPECT_EQ(paused, milliseconds(1520));
        const WireBytes wire = wireBytes(image);
        EXPECT_EQ(written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
        const std::string first = "\r\nSending data on COM2...";
        EXPECT_EQ(progress, first + "|" + first + ".|" + first + "..|" + first + "...|");
    }
}

// CommPort as typed, BaudRate as the index into the speed list.
TEST(SendTargetFor, ReadsCommPortAndBaudRate) {
    const std::vector<std::tuple<std::string, int, std::string, int>> rows = {
        {"1", 0, "4800,n,8,1", 1},    {"2", 2, "38400,n,8,1", 2},
        {"3", 1, "9600,n,8,1", 3},    {"", 0, "4800,n,8,1", 0},
        {"_", 0, "4800,n,8,1", 0},    {" 2.5", 0, "4800,n,8,1", 2},
        {"3.5x", 0, "4800,n,8,1", 4}, {"-1", 0, "4800,n,8,1", -1},
        {"1", -1, ",n,8,1", 1},       {"99999999999999999999", 0, "4800,n,8,1", INT_MAX},
        {"1", 3, ",n,8,1", 1}};
    for (const auto& [commPort, baudRate, lineSettings, number] : rows) {
        DeviceSettings settings = defaultSettings();
        settings.commPort = commPort;
        settings.baudRate = baudRate;
        EXPECT_EQ(sendTargetFor(settings), (SendTarget{lineSettings, number, "COM" + commPort}))
            << commPort << " " << baudRate;
    }
}

}  // namespace
}  // namespace zelvar
