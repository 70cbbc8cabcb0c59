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
    std::string failure;

    PortStatus step(const std::string& name) {
        log.push_back(name);
        if (failingStep == name)
            return PortStatus::failure(name + " refused by the layer");
        return PortStatus::success();
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
        if (writesBeforeFailure == 0)
            return PortStatus::failure("write refused by the layer");
        --writesBeforeFailure;
        written.insert(written.end(), bytes.begin(), bytes.end());
        return PortStatus::success();
    }
    PortStatus close() override {
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
    void sendFailed(std::string_view description) override {
        failure = description;
        log.push_back("failed " + failure);
    }

    SendPacing pacing() {
        return {
            [this](milliseconds pause) { log.push_back("sleep " + std::to_string(pause.count())); },
            [this] { log.push_back("pump"); }};
    }
};

ConfigImage countingImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{1});
    return image;
}

const SendTarget kCom1{"4800,n,8,1", 1, "COM1"};

// The whole log, pauses included: they add up to 1520 ms.
TEST(SendConfig, RunsTheStepsInOrder) {
    Recorder recorder;
    SendResult result = sendConfig(countingImage(), kCom1, recorder, recorder, recorder.pacing());
    EXPECT_TRUE(result.sent());
    std::vector<std::string> expected = {
        "settings 4800,n,8,1",
        "port 1",
        "open",
        "text \r\nSending data on COM1...",
        "ok hidden",
        "show",
        "pump",
        "sleep 300",
        "text \r\nSending data on COM1....",
        "pump",
        "write 2",
        "sleep 10",
        "write 83",
        "sleep 600",
        "text \r\nSending data on COM1.....",
        "pump",
        "write 2",
        "sleep 10",
        "write 83",
        "sleep 300",
        "text \r\nSending data on COM1......",
        "pump",
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
    ASSERT_TRUE(sendConfig(image, kCom1, recorder, recorder, recorder.pacing()).sent());
    WireBytes wire = wireBytes(image);
    EXPECT_EQ(recorder.written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
}

struct FailureCase {
    const char* name;
    std::optional<std::string> failingStep;
    int writesBeforeFailure;
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
    SendResult result = sendConfig(countingImage(), kCom1, recorder, recorder, recorder.pacing());

    EXPECT_EQ(result.outcome, SendOutcome::Failed);
    EXPECT_FALSE(result.description.empty());
    EXPECT_EQ(recorder.failure, result.description);
    EXPECT_EQ(recorder.log.back(), "failed " + result.description);
    if (c.failingStep) {
        ASSERT_GE(recorder.log.size(), 2u);
        EXPECT_EQ(recorder.log[recorder.log.size() - 2], *c.failingStep) << "nothing after it";
    }
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
    ::testing::Values(FailureCase{"Settings", "settings 4800,n,8,1", -1, 0, false, ""},
                      FailureCase{"PortNumber", "port 1", -1, 0, false, ""},
                      FailureCase{"Open", "open", -1, 0, false, ""},
                      FailureCase{"FirstHeader", std::nullopt, 0, 0, true, kProgress + "."},
                      FailureCase{"Block1", std::nullopt, 1, 2, true, kProgress + "."},
                      FailureCase{"SecondHeader", std::nullopt, 2, 85, true, kProgress + ".."},
                      FailureCase{"Block2", std::nullopt, 3, 87, true, kProgress + ".."},
                      FailureCase{"Close", "close", -1, 170, true, kProgress + "..."}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SendConfig, PortThatStaysShutShowsAndSendsNothing) {
    Recorder recorder;
    recorder.stayShut = true;
    SendResult result = sendConfig(countingImage(), kCom1, recorder, recorder, recorder.pacing());
    EXPECT_EQ(result.outcome, SendOutcome::NotOpened);
    EXPECT_FALSE(recorder.shown);
    EXPECT_TRUE(recorder.written.empty());
    EXPECT_TRUE(recorder.failure.empty());
    EXPECT_EQ(recorder.log.back(), "open");
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
