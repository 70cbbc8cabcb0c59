#include "transfer/send_sequence.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <vector>

#include "transfer/block_framing.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;

// Everything the port, the observer and the pacing see, in one log, in order.
struct Recorder : SerialPort, SendObserver {
    std::vector<std::string> log;
    std::vector<std::uint8_t> written;
    bool open_ = false;
    bool stayShut = false;  // open() succeeds but the port does not report open
    std::optional<std::string> failingStep;
    int writesBeforeFailure = -1;
    std::string text;
    bool okVisible = true;
    bool shown = false;

    PortStatus step(const std::string& name) {
        log.push_back(name);
        return failingStep == name ? PortStatus::failure(name + " refused") : PortStatus::success();
    }
    PortStatus setSettings(const std::string& settings) override {
        return step("settings " + settings);
    }
    PortStatus setPortNumber(int number) override { return step("port " + std::to_string(number)); }
    PortStatus open() override {
        PortStatus status = step("open");
        open_ = status.ok && !stayShut;
        return status;
    }
    bool isOpen() const override { return open_; }
    PortStatus write(std::span<const std::uint8_t> bytes) override {
        log.push_back("write " + std::to_string(bytes.size()));
        if (writesBeforeFailure-- == 0)
            return PortStatus::failure("write refused");
        written.insert(written.end(), bytes.begin(), bytes.end());
        return PortStatus::success();
    }
    PortStatus close() override {
        open_ = false;
        return step("close");
    }
    void setText(std::string_view t) override { log.push_back("text " + (text = t)); }
    void setOkVisible(bool visible) override {
        okVisible = visible;
        log.push_back(visible ? "ok shown" : "ok hidden");
    }
    void showProgress() override {
        shown = true;
        log.push_back("show");
    }

    SendResult send(const ConfigImage& image) {
        return sendConfig(makeTransferPlan(image, {"4800,n,8,1", 1, "COM1"}), *this, *this,
                          [this](milliseconds pause) {
                              log.push_back("sleep " + std::to_string(pause.count()));
                          });
    }
};

ConfigImage countingImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{1});
    return image;
}

TEST(SendConfig, RunsTheStepsInOrderAndWritesTheWireBytes) {
    Recorder recorder;
    EXPECT_TRUE(recorder.send(countingImage()).done());
    const std::string progress = "text \r\nSending data on COM1...";
    const std::vector<std::string> expected = {
        "settings 4800,n,8,1",
        "port 1",
        "open",
        progress,
        "ok hidden",
        "show",
        "sleep 300",
        progress + ".",
        "write 2",
        "sleep 10",
        "write 83",
        "sleep 600",
        progress + "..",
        "write 2",
        "sleep 10",
        "write 83",
        "sleep 300",
        progress + "...",
        "close",
        "sleep 300",
        "text Data sent !\r\n Be shure that 'Transfer OK' appears on LCD",
        "ok shown"};
    EXPECT_EQ(recorder.log, expected);
    const WireBytes wire = wireBytes(countingImage());
    EXPECT_EQ(recorder.written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
}

struct FailureCase {
    const char* name;
    std::optional<std::string> failingStep;
    int writesBeforeFailure;
    std::string lastStep;  // before the close of a port left open
    std::size_t bytesWritten;
    std::string textReached;  // empty: nothing shown
};

class SendFailure : public ::testing::TestWithParam<FailureCase> {};

// Nothing runs after the failing step but the close of a port it left open.
TEST_P(SendFailure, StopsReportsAndLeavesThePortClosed) {
    const FailureCase& c = GetParam();
    Recorder recorder;
    recorder.failingStep = c.failingStep;
    recorder.writesBeforeFailure = c.writesBeforeFailure;
    const SendResult result = recorder.send(countingImage());
    EXPECT_EQ(result.outcome, SendOutcome::Failed);
    EXPECT_FALSE(result.description.empty());
    const bool shown = !c.textReached.empty();
    if (shown && c.lastStep != "close") {
        ASSERT_EQ(recorder.log.back(), "close");
        recorder.log.pop_back();
    }
    EXPECT_EQ(recorder.log.back(), c.lastStep);
    EXPECT_EQ(recorder.written.size(), c.bytesWritten);
    EXPECT_FALSE(recorder.isOpen());
    EXPECT_EQ(recorder.shown, shown);
    EXPECT_EQ(recorder.text, c.textReached);
    EXPECT_EQ(recorder.okVisible, !shown);
}

const std::string kProgress = "\r\nSending data on COM1...";

INSTANTIATE_TEST_SUITE_P(
    EachStep, SendFailure,
    ::testing::Values(FailureCase{"Settings", "settings 4800,n,8,1", -1, "settings 4800,n,8,1", 0,
                                  ""},
                      FailureCase{"PortNumber", "port 1", -1, "port 1", 0, ""},
                      FailureCase{"Open", "open", -1, "open", 0, ""},
                      FailureCase{"FirstHeader", std::nullopt, 0, "write 2", 0, kProgress + "."},
                      FailureCase{"Block1", std::nullopt, 1, "write 83", 2, kProgress + "."},
                      FailureCase{"SecondHeader", std::nullopt, 2, "write 2", 85, kProgress + ".."},
                      FailureCase{"Block2", std::nullopt, 3, "write 83", 87, kProgress + ".."},
                      FailureCase{"Close", "close", -1, "close", 170, kProgress + "..."}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SendConfig, PortThatStaysShutShowsAndSendsNothing) {
    Recorder recorder;
    recorder.stayShut = true;
    EXPECT_EQ(recorder.send(countingImage()).outcome, SendOutcome::NotOpened);
    EXPECT_FALSE(recorder.shown);
    EXPECT_TRUE(recorder.written.empty());
    EXPECT_EQ(recorder.log.back(), "open");
}

}  // namespace
}  // namespace zelvar
