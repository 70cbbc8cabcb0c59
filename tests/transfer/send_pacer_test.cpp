#include "transfer/send_pacer.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/device_settings.h"

namespace zelvar {
namespace {

using namespace std::chrono_literals;
using std::chrono::microseconds;
using Kind = SendAction::Kind;

TransferPlan plan(const char* lineSettings = "4800,n,8,1") {
    return makeTransferPlan(ConfigImage{}, {lineSettings, 1, "COM1"});
}

// The suspend clock of a computer that was never suspended: in step with the line's.
SuspendTime inStep(LineTime now) {
    return SuspendTime{} + (now - LineTime{});
}

// The times of one run on a fake clock, in microseconds from the start.
struct PacedRun {
    std::vector<long long> writes;  // when each write was handed out
    std::vector<long long> waits;   // until when each wait was asked, every time it was asked
};

// Drives the pacer as a runner does: the port takes a write at once and a drain takes `drain`;
// each timer fires `early` before its time, then on it, or `late` after it.
PacedRun walk(SendPacer& pacer, microseconds drain, microseconds early = 0us,
              microseconds late = 0us) {
    PacedRun run;
    LineTime now{};
    bool firedEarly = false;
    for (SendAction action = pacer.next(now, inStep(now)); action.kind != Kind::Done;
         action = pacer.next(now, inStep(now))) {
        if (action.kind == Kind::Write)
            run.writes.push_back((now - LineTime{}) / 1us);
        if (action.kind == Kind::Drain)
            now += drain;
        if (action.kind == Kind::WaitUntil) {
            run.waits.push_back((action.until - LineTime{}) / 1us);
            firedEarly = early > 0us && !firedEarly;
            now = firedEarly ? action.until - early : action.until + late;
        }
    }
    return run;
}

// A block of 83 bytes takes 172917 us on the line at 4800 bit/s, a lead-in 4167 us. Each pause
// counts from the drain of the write before it plus those bytes' line time: the tracker gets it
// whole whether the system sent the bytes at once or a USB adapter still held them all.
TEST(SendPacer, StartsEachPauseOnceTheDrainedBytesHaveHadTheirTimeOnTheLine) {
    EXPECT_EQ(plan("38400,n,8,1").steps[6].lineTime, 21615us);
    EXPECT_EQ(plan(",n,8,1").steps[6].lineTime, 0us);

    SendPacer pacer(plan());
    EXPECT_FALSE(pacer.wroteAny());
    // Drains of 50 ms: block 1 goes at 364167 us, its drain ends at 414167 us, and the pause of
    // 600 ms starts 172917 us later; a pause counted from the write would end 50 ms too soon.
    const PacedRun run = walk(pacer, 50ms);
    EXPECT_TRUE(pacer.wroteAny());
    EXPECT_EQ(run.writes, (std::vector<long long>{300000, 364167, 1187084, 1251251}));
    EXPECT_EQ(run.waits,
              (std::vector<long long>{300000, 364167, 1187084, 1251251, 1774168, 2074168}));
    EXPECT_EQ(pacer.next(LineTime{} + 1h, SuspendTime{} + 1h).kind, Kind::Done);
}

// A timer that fires early is given the same wait again, so nothing moves; one that fires late
// moves what follows, and the next pause still counts from its own write.
TEST(SendPacer, WaitsAgainAfterATimerFiresEarlyAndCountsFromTheLateOnes) {
    SendPacer onTime(plan());
    const PacedRun expected = walk(onTime, 0us);
    SendPacer early(plan());
    const PacedRun run = walk(early, 0us, 1ms);
    EXPECT_EQ(run.writes, expected.writes);
    ASSERT_EQ(run.waits.size(), 2 * expected.waits.size());
    for (std::size_t i = 0; i < expected.waits.size(); ++i) {
        EXPECT_EQ(run.waits[2 * i], expected.waits[i]);
        EXPECT_EQ(run.waits[2 * i + 1], expected.waits[i]);
    }
    SendPacer late(plan());
    EXPECT_EQ(walk(late, 0us, 0us, 20ms).writes,
              (std::vector<long long>{320000, 354167, 1147084, 1181251}));
}

// A send held up at one of its waits (the computer slept, the program was stopped, a page in the
// background got its timer late) goes on while its last byte still reaches the tracker within its
// window after the first lead-in, and fails at the next write otherwise: nothing more goes out,
// and no "Data sent !" follows. Held up before the first write or after the last, it goes on.
// Either clock judges: stopped, the program sees the time pass on both; suspended, on the suspend
// clock alone, the line's stood still; with the page's Date.now() set back an hour meanwhile, on
// the line's alone.
TEST(SendPacer, FailsASendHeldUpSoLongThatTheRestWouldReachTheTrackerTooLate) {
    struct Hold {
        const char* how;
        bool onLine;                  // the line's clock sees the time held, or stands still
        microseconds onSuspendClock;  // what the suspend clock saw pass meanwhile
    };
    SendPacer onTime(plan());
    const PacedRun expected = walk(onTime, 0us);
    const LineTime windowEnd = LineTime{} + microseconds(expected.writes.front()) + kTransferWindow;
    const LineTime lastByte = LineTime{} + microseconds(expected.writes.back()) + 172917us;
    const auto slack = std::chrono::duration_cast<microseconds>(windowEnd - lastByte);
    for (std::size_t heldAt = 0; heldAt < expected.waits.size(); ++heldAt) {
        for (const microseconds held : {microseconds(10ms), microseconds(800ms), slack, slack + 1us,
                                        microseconds(3s), microseconds(1h)}) {
            for (const Hold& hold : {Hold{"stopped", true, held}, Hold{"suspended", false, held},
                                     Hold{"Date.now() set back", true, -1h}}) {
                SendPacer pacer(plan());
                LineTime now{};
                microseconds asleep{0};  // the suspend clock's lead on the line's
                std::size_t waits = 0, writes = 0;
                std::vector<std::string_view> texts;
                for (SendAction action = pacer.next(now, inStep(now)); action.kind != Kind::Done;
                     action = pacer.next(now, inStep(now) + asleep)) {
                    writes += action.kind == Kind::Write;
                    if (action.kind == Kind::WaitUntil) {
                        now = action.until;
                        if (waits++ == heldAt) {
                            now += hold.onLine ? held : 0us;
                            asleep += hold.onSuspendClock - (hold.onLine ? held : 0us);
                        }
                    }
                    if (action.kind == Kind::Fail || action.kind == Kind::Finish)
                        texts.push_back(action.text);
                }
                const bool between = heldAt >= 1 && heldAt <= 3;
                const bool tooLate = between && lastByte + held > windowEnd;
                SCOPED_TRACE(testing::Message()
                             << hold.how << " " << held.count() << " us at wait " << heldAt);
                EXPECT_EQ(texts, (std::vector<std::string_view>{tooLate ? kHeldUp : kSentMessage}));
                EXPECT_EQ(writes, tooLate ? heldAt : 4u);
            }
        }
    }
}

}  // namespace
}  // namespace zelvar
