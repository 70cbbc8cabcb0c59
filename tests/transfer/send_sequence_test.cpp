#include "transfer/send_sequence.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <vector>

#include "transfer/block_framing.h"
#include "transfer/transfer_plan.h"

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

// The steps in order and the wire bytes; whichever call of the port fails, nothing runs after it
// but the close of a port it left open, the progress keeps the text it reached and its OK stays
// hidden; a port that stays shut shows and sends nothing.
TEST(SendConfig, RunsTheStepsInOrderAndStopsAtAFailingCall) {
    Recorder whole;
    ASSERT_TRUE(whole.send());
    const std::string p = "text \r\nSending data on COM1...";
    EXPECT_EQ(whole.log, "settings 4800,n,8,1|port 1|open|" + p + "|ok hidden|show|sleep 300|" + p +
                             ".|write 2|sleep 10|write 83|sleep 600|" + p +
                             "..|write 2|sleep 10|write 83|sleep 300|" + p +
                             "...|close|sleep 300|text Data sent !\r\n Be shure that "
                             "'Transfer OK' appears on LCD|ok shown|");
    const WireBytes wire = wireBytes(countingImage());
    EXPECT_EQ(whole.written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
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
    Recorder shut;
    shut.stayShut = true;
    EXPECT_EQ(outcomeOf(shut.send()), SendOutcome::NotOpened);
    EXPECT_EQ(shut.log, "settings 4800,n,8,1|port 1|open|");
}

// CommPort as typed (a number rounded half to even), BaudRate as the index into the speed list.
// The plan itself is pinned step by step by SendConfig above.
TEST(SendTargetFor, ReadsCommPortAndBaudRate) {
    const std::tuple<std::string, int, std::string, int> rows[] = {
        {"1", 0, "4800", 1},    {"2", 2, "38400", 2},
        {"3", 1, "9600", 3},    {"", 0, "4800", 0},
        {" 2.5", 0, "4800", 2}, {"3.5x", 0, "4800", 4},
        {"-1", 0, "4800", -1},  {"1", -1, "", 1},
        {"1", 3, "", 1},        {"99999999999999999999", 0, "4800", INT_MAX}};
    for (const auto& [commPort, baudRate, speed, number] : rows) {
        DeviceSettings settings = defaultSettings();
        settings.commPort = commPort;
        settings.baudRate = baudRate;
        EXPECT_EQ(sendTargetFor(settings), (SendTarget{speed + ",n,8,1", number, "COM" + commPort}))
            << commPort << " " << baudRate;
    }
}

// The round trip over any image is the wire fuzz target's; here the bytes' places are pinned,
// and damage is refused with a reason: lengths, then a flipped bit at a place.
TEST(WireBytes, AreLeadInBlockLeadInBlockInOrder) {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    const WireBytes wire = wireBytes(image);
    ASSERT_EQ(wire.size(), 170u);
    const std::pair<std::size_t, int> pinned[] = {{0, 0xFF},  {1, 0xFF},  {2, 0},     {83, 81},
                                                  {84, 0xF7}, {85, 0xFF}, {86, 0xFF}, {87, 82},
                                                  {168, 163}, {169, 0x3B}};
    for (const auto& [index, byte] : pinned)
        EXPECT_EQ(wire[index], byte) << index;
    EXPECT_EQ(wire[wireIndex(100)], 100);
    EXPECT_EQ(imageFromWire(wire).value_or(ConfigImage{}), image);
    for (std::size_t length : {0, 169, 171}) {
        std::vector<std::uint8_t> bytes(wire.begin(), wire.end());
        bytes.resize(length, 0x55);
        const std::string reason = reasonOf(imageFromWire(bytes));
        EXPECT_NE(reason.find("got " + std::to_string(length)), std::string::npos) << reason;
    }
    const std::pair<std::size_t, const char*> flipped[] = {{1, "block 1: lead-in"},
                                                           {85, "block 2: lead-in"},
                                                           {40, "block 1: bad checksum"},
                                                           {169, "block 2: bad checksum"}};
    for (const auto& [index, reason] : flipped) {
        WireBytes bytes = wire;
        bytes[index] ^= 0x01;
        const Result<ConfigImage> parsed = imageFromWire(bytes);
        EXPECT_FALSE(parsed);
        EXPECT_NE(reasonOf(parsed).find(reason), std::string::npos) << reasonOf(parsed);
    }
}

}  // namespace
}  // namespace zelvar
