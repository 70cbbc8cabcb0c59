#include "transfer/send_sequence.h"

#include <gtest/gtest.h>

#include <climits>
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
    int writesBeforeFailure = -1;  // fail the write after this many good ones
    std::string text;
    bool okVisible = true;
    bool shown = false;

    Result<> step(const std::string& name) {
        log.push_back(name);
        if (failingStep == name)
            return failure(name + " refused by the layer");
        return Result<>{};
    }
    Result<> setSettings(const std::string& settings) override {
        return step("settings " + settings);
    }
    Result<> setPortNumber(int number) override { return step("port " + std::to_string(number)); }
    Result<> open() override {
        Result<> status = step("open");
        open_ = status && !stayShut;
        return status;
    }
    bool isOpen() const override { return open_; }
    Result<> write(std::span<const std::uint8_t> bytes) override {
        log.push_back("write " + std::to_string(bytes.size()));
        if (writesBeforeFailure == 0)
            return failure("write refused by the layer");
        --writesBeforeFailure;
        written.insert(written.end(), bytes.begin(), bytes.end());
        return Result<>{};
    }
    Result<> close() override {
        open_ = false;
        return step("close");
    }

    void setText(std::string_view t) override {
        text = t;
        log.push_back("text " + text);
    }
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

// The whole log, pauses included: they add up to 1520 ms.
TEST(SendConfig, RunsTheStepsInOrder) {
    Recorder recorder;
    SendResult result = recorder.send(countingImage());
    EXPECT_TRUE(result);
    std::vector<std::string> expected = {
        "settings 4800,n,8,1",
        "port 1",
        "open",
        "text \r\nSending data on COM1...",
        "ok hidden",
        "show",
        "sleep 300",
        "text \r\nSending data on COM1....",
        "write 2",
        "sleep 10",
        "write 83",
        "sleep 600",
        "text \r\nSending data on COM1.....",
        "write 2",
        "sleep 10",
        "write 83",
        "sleep 300",
        "text \r\nSending data on COM1......",
        "close",
        "sleep 300",
        "text Data sent !\r\n Be shure that 'Transfer OK' appears on LCD",
        "ok shown",
    };
    EXPECT_EQ(recorder.log, expected);
}

TEST(SendConfig, WritesExactlyTheWireBytes) {
    Recorder recorder;
    ConfigImage image = countingImage();
    ASSERT_TRUE(recorder.send(image));
    WireBytes wire = wireBytes(image);
    EXPECT_EQ(recorder.written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
}

struct FailureCase {
    const char* name;
    std::optional<std::string> failingStep;
    int writesBeforeFailure;
    std::size_t lastWriteSize;
    std::size_t bytesWritten;
    bool dialogShown;
    std::string textReached;
};

class SendFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SendFailure, StopsReportsAndLeavesThePortClosed) {
    const FailureCase& c = GetParam();
    Recorder recorder;
    recorder.failingStep = c.failingStep;
    recorder.writesBeforeFailure = c.writesBeforeFailure;
    SendResult result = recorder.send(countingImage());

    EXPECT_EQ(outcomeOf(result), SendOutcome::Failed);
    EXPECT_FALSE(reasonOf(result).empty());
    // Nothing after the failing step but the close of a port it left open.
    std::vector<std::string> tail = recorder.log;
    if (c.failingStep != "close" && c.dialogShown) {
        ASSERT_EQ(tail.back(), "close");
        tail.pop_back();
    }
    EXPECT_EQ(tail.back(), c.failingStep.value_or("write " + std::to_string(c.lastWriteSize)));
    EXPECT_EQ(recorder.written.size(), c.bytesWritten);
    EXPECT_FALSE(recorder.isOpen());
    EXPECT_EQ(recorder.shown, c.dialogShown);
    EXPECT_EQ(recorder.text, c.textReached);
    if (c.dialogShown) {
        EXPECT_FALSE(recorder.okVisible);
    }
}

const std::string kProgress = "\r\nSending data on COM1...";

INSTANTIATE_TEST_SUITE_P(
    EachStep, SendFailure,
    ::testing::Values(FailureCase{"Settings", "settings 4800,n,8,1", -1, 0, 0, false, ""},
                      FailureCase{"PortNumber", "port 1", -1, 0, 0, false, ""},
                      FailureCase{"Open", "open", -1, 0, 0, false, ""},
                      FailureCase{"FirstHeader", std::nullopt, 0, 2, 0, true, kProgress + "."},
                      FailureCase{"Block1", std::nullopt, 1, 83, 2, true, kProgress + "."},
                      FailureCase{"SecondHeader", std::nullopt, 2, 2, 85, true, kProgress + ".."},
                      FailureCase{"Block2", std::nullopt, 3, 83, 87, true, kProgress + ".."},
                      FailureCase{"Close", "close", -1, 0, 170, true, kProgress + "..."}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SendConfig, PortThatStaysShutShowsAndSendsNothing) {
    Recorder recorder;
    recorder.stayShut = true;
    SendResult result = recorder.send(countingImage());
    EXPECT_EQ(outcomeOf(result), SendOutcome::NotOpened);
    EXPECT_FALSE(recorder.shown);
    EXPECT_TRUE(recorder.written.empty());
    EXPECT_EQ(recorder.log.back(), "open");
}

}  // namespace
}  // namespace zelvar
