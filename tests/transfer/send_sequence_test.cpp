#include "transfer/send_sequence.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "transfer/block_framing.h"

namespace zelvar {
namespace {

ConfigImage countingImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{1});
    return image;
}

// What the port, the observer and the pacing see, in one log; the port's call `failAt` fails.
struct Recorder : SerialPort, SendObserver {
    struct Call {
        std::size_t logEnd, written;
        std::string text;
        bool open, shown;
    };
    std::string log, text;
    std::vector<std::uint8_t> written;
    std::vector<Call> calls;
    std::size_t failAt = SIZE_MAX;
    bool open_ = false, stayShut = false, shown = false, okVisible = true;

    Result<> call(const std::string& name) {
        log += name + "|";
        calls.push_back({log.size(), written.size(), text, open_, shown});
        return calls.size() - 1 == failAt ? failure(name + " refused") : Result<>{};
    }
    Result<> setSettings(const std::string& s) override { return call("settings " + s); }
    Result<> setPortNumber(int number) override { return call("port " + std::to_string(number)); }
    Result<> open() override {
        Result<> status = call("open");
        open_ = status && !stayShut;
        return status;
    }
    bool isOpen() const override { return open_; }
    Result<> write(std::span<const std::uint8_t> bytes) override {
        Result<> status = call("write " + std::to_string(bytes.size()));
        if (status)
            written.insert(written.end(), bytes.begin(), bytes.end());
        return status;
    }
    Result<> close() override {
        open_ = false;
        return call("close");
    }
    void setText(std::string_view t) override { log += "text " + (text = t) + "|"; }
    void setOkVisible(bool visible) override {
        log += (okVisible = visible) ? "ok shown|" : "ok hidden|";
    }
    void showProgress() override { log += "show|", shown = true; }

    SendResult send() {
        const auto sleep = [this](auto pause) {
            log += "sleep " + std::to_string(pause.count()) + "|";
        };
        return sendConfig(makeTransferPlan(countingImage(), {"4800,n,8,1", 1, "COM1"}), *this,
                          *this, sleep);
    }
};

TEST(SendConfig, RunsTheStepsInOrderAndWritesTheWireBytes) {
    Recorder recorder;
    EXPECT_TRUE(recorder.send());
    const std::string p = "text \r\nSending data on COM1...";
    EXPECT_EQ(recorder.log, "settings 4800,n,8,1|port 1|open|" + p + "|ok hidden|show|sleep 300|" +
                                p + ".|write 2|sleep 10|write 83|sleep 600|" + p +
                                "..|write 2|sleep 10|write 83|sleep 300|" + p +
                                "...|close|sleep 300|text Data sent !\r\n Be shure that "
                                "'Transfer OK' appears on LCD|ok shown|");
    const WireBytes wire = wireBytes(countingImage());
    EXPECT_EQ(recorder.written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
}

// Whichever call of the port fails, nothing runs after it but the close of a port it left open;
// the progress keeps the text it reached and its OK stays hidden.
TEST(SendConfig, StopsAtAFailingCallAndLeavesThePortClosed) {
    Recorder whole;
    ASSERT_TRUE(whole.send());
    ASSERT_EQ(whole.calls.size(), 8u);
    for (std::size_t failAt = 0; failAt < whole.calls.size(); ++failAt) {
        const Recorder::Call& at = whole.calls[failAt];
        Recorder recorder;
        recorder.failAt = failAt;
        const SendResult result = recorder.send();
        EXPECT_EQ(outcomeOf(result), SendOutcome::Failed);
        EXPECT_TRUE(reasonOf(result).ends_with(" refused")) << reasonOf(result);
        EXPECT_EQ(recorder.log, whole.log.substr(0, at.logEnd) + (at.open ? "close|" : ""));
        EXPECT_EQ(recorder.written.size(), at.written);
        EXPECT_FALSE(recorder.isOpen());
        EXPECT_EQ(recorder.text, at.text);
        EXPECT_EQ(recorder.shown, at.shown);
        EXPECT_EQ(recorder.okVisible, !at.shown);
    }
}

TEST(SendConfig, PortThatStaysShutShowsAndSendsNothing) {
    Recorder recorder;
    recorder.stayShut = true;
    EXPECT_EQ(outcomeOf(recorder.send()), SendOutcome::NotOpened);
    EXPECT_EQ(recorder.log, "settings 4800,n,8,1|port 1|open|");
}

}  // namespace
}  // namespace zelvar
