#include "transfer/transfer_plan.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>

#include "transfer/block_framing.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;
using Kind = TransferStep::Kind;

// Whatever the image, the steps are the same: each write is followed by a pause long enough
// for its bytes at the slowest speed, the pauses add up to 1520 ms, and the writes put the wire
// bytes on the line; the progress gains one dot per stage.
TEST(TransferPlan, PacesEveryWriteAndCarriesTheWireBytes) {
    for (int fill : {0x00, 0x7F, 0xFF}) {
        ConfigImage image{};
        image.fill(static_cast<std::uint8_t>(fill));
        const TransferPlan plan = makeTransferPlan(image, {"4800,n,8,1", 2, "COM2"});
        ASSERT_FALSE(plan.steps.empty());
        EXPECT_EQ(plan.steps.front().kind, Kind::Open);
        EXPECT_EQ(plan.steps.back(),
                  (TransferStep{Kind::Finish, std::string(kSentMessage), {}, {}}));

        milliseconds paused{0};
        std::vector<std::uint8_t> written;
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < plan.steps.size(); ++i) {
            const TransferStep& step = plan.steps[i];
            if (step.kind == Kind::Pause)
                paused += step.pause;
            if (step.kind == Kind::ShowProgress || step.kind == Kind::Progress)
                texts.push_back(step.text);
            if (step.kind != Kind::Write)
                continue;
            written.insert(written.end(), step.bytes.begin(), step.bytes.end());
            ASSERT_LT(i + 1, plan.steps.size());
            const TransferStep& next = plan.steps[i + 1];
            ASSERT_EQ(next.kind, Kind::Pause);
            // Ten bits a byte at 4800 bit/s.
            EXPECT_GE(next.pause.count() * 4800,
                      static_cast<long long>(step.bytes.size()) * 10 * 1000);
        }
        EXPECT_EQ(paused, milliseconds(1520));
        const WireBytes wire = wireBytes(image);
        EXPECT_EQ(written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
        const std::string first = sendingText("COM2");
        EXPECT_EQ(texts,
                  (std::vector<std::string>{first, first + ".", first + "..", first + "..."}));
    }
}

struct TargetCase {
    std::string commPort;
    int baudRate;
    std::string lineSettings;
    int portNumber;
    std::string firstText;
};

class SendTargetFor : public ::testing::TestWithParam<TargetCase> {};

TEST_P(SendTargetFor, ReadsCommPortAndBaudRate) {
    DeviceSettings settings = defaultSettings();
    settings.commPort = GetParam().commPort;
    settings.baudRate = GetParam().baudRate;
    SendTarget target = sendTargetFor(settings);
    EXPECT_EQ(target.lineSettings, GetParam().lineSettings);
    EXPECT_EQ(target.portNumber, GetParam().portNumber);
    EXPECT_EQ(sendingText(target.portName), GetParam().firstText);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SendTargetFor,
    ::testing::Values(TargetCase{"1", 0, "4800,n,8,1", 1, "\r\nSending data on COM1..."},
                      TargetCase{"2", 2, "38400,n,8,1", 2, "\r\nSending data on COM2..."},
                      TargetCase{"3", 1, "9600,n,8,1", 3, "\r\nSending data on COM3..."},
                      TargetCase{"", 0, "4800,n,8,1", 0, "\r\nSending data on COM..."},
                      TargetCase{"_", 0, "4800,n,8,1", 0, "\r\nSending data on COM_..."},
                      TargetCase{" 2.5", 0, "4800,n,8,1", 2, "\r\nSending data on COM 2.5..."},
                      TargetCase{"3.5x", 0, "4800,n,8,1", 4, "\r\nSending data on COM3.5x..."},
                      TargetCase{"-1", 0, "4800,n,8,1", -1, "\r\nSending data on COM-1..."},
                      TargetCase{"99999999999999999999", 0, "4800,n,8,1", INT_MAX,
                                 "\r\nSending data on COM99999999999999999999..."},
                      TargetCase{"1", -1, ",n,8,1", 1, "\r\nSending data on COM1..."},
                      TargetCase{"1", 3, ",n,8,1", 1, "\r\nSending data on COM1..."}));

}  // namespace
}  // namespace zelvar
