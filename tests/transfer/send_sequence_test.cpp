#include "transfer/send_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <vector>

#include "../config/settings_support.h"
#include "transfer/block_framing.h"
#include "transfer/send_preview.h"
#include "transfer/transfer_plan.h"

namespace zelvar {
namespace {

using namespace testing_support;
using namespace std::chrono_literals;

ConfigImage countingImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{1});
    return image;
}

// What the port, the observer and the clock see, in one log; the port's call `failAt` fails, and
// the clock's wait `stopAt` stops the send. The clock stands still but in its waits; the wait
// `heldAt` ends 5 s late, and the computer is suspended for 5 s in the wait `suspendedAt`, which
// only the suspend clock sees.
struct Recorder : SerialPort, SendObserver {
    struct Call {
        std::size_t logEnd, written;
        std::string text;
        bool open, shown;
    };
    std::string log, text;
    std::vector<std::uint8_t> written;
    std::vector<Call> calls;
    std::size_t failAt = SIZE_MAX, stopAt = SIZE_MAX, heldAt = SIZE_MAX, suspendedAt = SIZE_MAX,
                waits = 0;
    bool open_ = false, stayShut = false, shown = false, okVisible = true;
    LineTime now{};
    std::chrono::microseconds asleep{0};

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
    Result<> drain() override { return call("drain"); }
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
        const SendClock clock{
            [this] { return now; }, [this] { return SuspendTime{} + (now - LineTime{}) + asleep; },
            [this](LineTime until) {
                log += "wait until " + std::to_string((until - LineTime{}) / 1us) + "|";
                now = until + (waits == heldAt ? 5s : 0s);
                asleep += waits == suspendedAt ? 5s : 0s;
                return waits++ != stopAt;
            }};
        return sendConfig(makeTransferPlan(countingImage(), {"4800,n,8,1", 1, "COM1"}), *this,
                          *this, clock);
    }
};

// Whichever port call fails, nothing runs after it but closing a port it left open; the
// progress keeps the text it reached and its OK stays hidden. A wait that stops closes the port
// too. Once a byte went out, the failure says the tracker got part of its settings. The times of
// the waits are SendPacer's (a write's bytes take 4167 or 172917 us at 4800 bit/s).
TEST(SendConfig, RunsThePlanAtThePacersPaceAndStopsAtAFailingCall) {
    Recorder whole;
    ASSERT_TRUE(whole.send());
    const std::string p = "text \r\nSending data on COM1...";
    EXPECT_EQ(whole.log,
              "settings 4800,n,8,1|port 1|open|" + p + "|ok hidden|show|wait until 300000|" + p +
                  ".|write 2|drain|wait until 314167|write 83|drain|wait until 1087084|" + p +
                  "..|write 2|drain|wait until 1101251|write 83|drain|wait until "
                  "1574168|" +
                  p +
                  "...|close|wait until 1874168|text Data sent !\r\n Be shure that "
                  "'Transfer OK' appears on LCD|ok shown|");
    const WireBytes wire = wireBytes(countingImage());
    EXPECT_EQ(whole.written, std::vector<std::uint8_t>(wire.begin(), wire.end()));
    ASSERT_EQ(whole.calls.size(), 12u);
    for (std::size_t failAt = 0; failAt < whole.calls.size(); ++failAt) {
        const Recorder::Call& at = whole.calls[failAt];
        Recorder recorder;
        recorder.failAt = failAt;
        const SendResult result = recorder.send();
        EXPECT_EQ(outcomeOf(result), SendOutcome::Failed);
        EXPECT_TRUE(reasonOf(result).ends_with(" refused")) << reasonOf(result);
        EXPECT_EQ(result.error().partlySent, failAt >= 3);
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
    for (const auto& [stopAt, partly] : {std::pair{0u, false}, {2u, true}}) {
        Recorder stopped;
        stopped.stopAt = stopAt;
        const SendResult result = stopped.send();
        EXPECT_EQ(outcomeOf(result), SendOutcome::Stopped);
        EXPECT_EQ(result.error().partlySent, partly);
        EXPECT_TRUE(stopped.log.ends_with("|close|")) << stopped.log;
        EXPECT_FALSE(stopped.isOpen());
    }
    // Held up 5 s after block 1 (the program stopped, or the computer suspended, where the
    // line's clock stood still), block 2 would come too late: the send fails there, the port
    // closed, instead of going on to "Data sent !".
    for (const bool suspended : {false, true}) {
        Recorder held;
        (suspended ? held.suspendedAt : held.heldAt) = 2;
        const SendResult result = held.send();
        EXPECT_EQ(outcomeOf(result), SendOutcome::Failed) << suspended;
        EXPECT_EQ(reasonOf(result), kHeldUp);
        EXPECT_TRUE(result.error().partlySent);
        EXPECT_EQ(held.log,
                  whole.log.substr(0, whole.log.find("|write 2", whole.log.find("write 83"))) +
                      "|close|");
        EXPECT_FALSE(held.isOpen());
    }
}

// PortNumber rounds half to even. The plan itself is pinned step by step by SendConfig above.
TEST(SendTargetFor, ReadsCommPortAndBaudRate) {
    const std::tuple<std::string, int, std::string, int> rows[] = {
        {"1", 0, "4800", 1},    {"2", 2, "38400", 2},
        {"3", 1, "9600", 3},    {"", 0, "4800", 0},
        {" 2.5", 0, "4800", 2}, {"3.5x", 0, "4800", 4},
        {"-1", 0, "4800", -1},  {"1", -1, "", 1},
        {"1", 3, "", 1},        {"99999999999999999999", 0, "4800", INT_MAX}};
    for (const auto& [commPort, baudRate, speed, number] : rows) {
        DeviceSettings settings = defaultSettings();
        settings.portNumber = commPort;
        settings.baudRate = baudRate;
        const SendTarget target = sendTargetFor(settings);
        EXPECT_EQ(target, (SendTarget{speed + ",n,8,1", number, "COM" + commPort}))
            << commPort << " " << baudRate;
        // A Baud outside the list gives no speed, refused before any port is asked.
        EXPECT_EQ(
            reasonOf(checkSpeedChosen(target.lineSettings)),
            speed.empty() ? "Invalid line settings ',n,8,1': no speed is chosen in Baud" : "");
    }
}

// The round trip over any image is the wire fuzz target's; here the bytes' places are pinned,
// and damage is refused with a reason: lengths, then a flipped bit at a place.
TEST(WireBytes, AreLeadInBlockLeadInBlockInOrder) {
    const ConfigImage image = countingImage();
    const WireBytes wire = wireBytes(image);
    ASSERT_EQ(wire.size(), 170u);
    const std::pair<std::size_t, int> pinned[] = {{0, 0xFF},  {1, 0xFF},  {2, 1},     {83, 82},
                                                  {84, 0x49}, {85, 0xFF}, {86, 0xFF}, {87, 83},
                                                  {168, 164}, {169, 0x8D}};
    for (const auto& [index, byte] : pinned)
        EXPECT_EQ(wire[index], byte) << index;
    EXPECT_EQ(wire[wireIndex(100)], 101);
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

// Where the tracker gets something other than the form shows, a note of its kind says so (the
// values: ImageBuilder); the form stays. Only a GPSless beacon is read as a position.
TEST(SendPreview, AnnotatesTheBytesSendWritesAndNotesWhatChanges) {
    using enum Field;
    const std::pair<Changes, std::vector<std::string>> rows[] = {
        {{{MessageRetries, "8"}, {AcquisitionTimeout, "25"}}, {}},
        {{{TxDelay, "999"}, {Message, std::string(38, '~')}},
         {"TX DELAY 999 -> sent as 149 flags, 993 ms"}},
        {{{FixedInterval, ""},
          {AcquisitionInterval, "5"},
          {MicEMessage, "7"},
          {CommentEvery, "200"},
          {MyCall, "QX9ABC-0"},
          {Path, "WIDE1-1,"},
          {MessageTo, "AB--1"}},
         {"Acquisition interval 5 -> sent as 1 x 10 s, 010 s",
          "Manual Timing (empty) -> sent as 1 x 10 s, 0010 s",
          "Comment every 200 -> sent as 127 tx", "MY CALLSIGN \"QX9ABC-0\" -> sent as \"QX9ABC\"",
          "APRS PATH \"WIDE1-1,\" -> sent as \"WIDE1-1\"",
          "APRS message TO CALL \"AB--1\" -> sent as \"AB\""}},
        // Only the number after an SSID's dash goes out, and only a file's symbol's first
        // character, although the field keeps the rest.
        {{{MyCall, "QX9AB-9-5"},
          {Path, "WIDE1-1 WIDE2-1"},
          {MessageTo, "QX9ABC-07"},
          {Symbol, "ab"}},
         {"MY CALLSIGN \"QX9AB-9-5\" -> sent as \"QX9AB-9\"",
          "APRS PATH \"WIDE1-1 WIDE2-1\" -> sent as \"WIDE1-1\"",
          "ICON Symbol \"ab\" -> sent as \"a\""}},
        {{{AcquisitionTimeout, "000"}, {Beacon, "=/5L!!<*e8>FsQ"}},
         {"Acquisition interval 100 -> not sent in GPSless Mode (byte 5 = 252)"}},
        // Loaded from a file, an invisible soft hyphen: the field shows "NOCALL-9".
        {{{MyCall,
           "NOC\xAD"
           "ALL-9"},
          {Beacon, "Zel\xAD\xADvar \x85\xAD"},
          {Message, "\\u00AD"}},
         {"MY CALLSIGN \"NOC\\u00ADALL-9\" -> sent as \"NOC\\u00ADAL-9\": the field holds an "
          "invisible soft hyphen (U+00AD)",
          "COMMENT \"Zel\\u00AD\\u00ADvar \\u0085\\u00AD\" -> sent as it stands: the field holds "
          "invisible characters: 3 soft hyphens (U+00AD) and a control character (U+0085)"}}};
    for (const auto& [typed, notes] : rows) {
        DeviceSettings form = changed(defaultSettings(), typed);
        const DeviceSettings asTyped = form;
        const SendPreview preview = previewSend(form);
        ASSERT_TRUE(preview.build) << reasonOf(preview.build);
        EXPECT_EQ(form, asTyped);
        std::vector<std::string> texts;
        for (const NormalisationNote& note : preview.notes)
            texts.push_back(note.text);
        EXPECT_EQ(texts, notes);
        EXPECT_EQ(preview.position.has_value(), form.acquisitionTimeout == "000");
        EXPECT_TRUE(!preview.position || *preview.position);
        ConfigImage image{};
        ASSERT_TRUE(buildConfigImage(form, image));
        EXPECT_EQ(preview.wire, wireBytes(image));
        EXPECT_TRUE(std::is_sorted(
            preview.ranges.begin(), preview.ranges.end(),
            [](const WireRange& a, const WireRange& b) { return a.first < b.first; }));
        std::vector<int> covering(kWireSize, 0);
        for (const WireRange& range : preview.ranges) {
            EXPECT_EQ(range.block, range.first < kFrameSize ? 1 : 2) << range.name;
            ASSERT_LE(range.first + range.size, range.block * kFrameSize) << range.name;
            EXPECT_EQ(range.part == WirePart::Checksum, range.first % kFrameSize == kFrameSize - 1);
            EXPECT_EQ(range.part == WirePart::LeadIn, range.first % kFrameSize == 0);
            for (std::size_t i = range.first; i < range.first + range.size; ++i)
                ++covering[i];
        }
        EXPECT_EQ(std::count(covering.begin(), covering.end(), 0), 0);
    }
    const SendPreview preview = previewSend(defaultSettings());
    std::vector<std::string> described;
    for (const WireRange& r : preview.ranges)
        described.push_back(std::to_string(r.first) + "+" + std::to_string(r.size) + " " + r.name +
                            ": " + r.meaning);
    for (const char* expected : {"0+2 Lead-in: FF FF", "2+1 TX delay: 200 ms (30 flags)",
                                 "83+1 Message: \"Message sent using Zelvar, version 4.0\"",
                                 "84+1 Checksum: E1 = 254 + image bytes 0..81, modulo 256",
                                 "87+38 Message: \"Message sent using Zelvar, version 4.0\"",
                                 "169+1 Checksum: 10 = 254 + image bytes 82..163, modulo 256"})
        EXPECT_NE(std::find(described.begin(), described.end(), expected), described.end())
            << expected;
    // What the tracker gets is shown as it is, in UTF-8 beside the words of any language, hidden
    // characters escaped.
    const SendPreview hidden =
        previewSend(changed(defaultSettings(), {{Field::MyCall, "\xAD\xE9-9"}}));
    const auto call = std::find_if(hidden.ranges.begin(), hidden.ranges.end(),
                                   [](const WireRange& r) { return r.name == "My callsign"; });
    ASSERT_NE(call, hidden.ranges.end());
    EXPECT_EQ(call->meaning, "\"\\u00AD\u00E9-9\"");
    // A failed build leaves nothing else to show (its reason: ImageBuilder).
    const SendPreview failed = previewSend(changed(defaultSettings(), {{Field::MyCall, ""}}));
    EXPECT_FALSE(failed.build);
    EXPECT_TRUE(failed.ranges.empty() && failed.settings.empty() && failed.notes.empty());
    EXPECT_FALSE(failed.position);
}

}  // namespace
}  // namespace zelvar
