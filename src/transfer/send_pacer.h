#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "transfer/transfer_plan.h"

namespace zelvar {

// What the runner of a send does next. Texts and bytes are views into the pacer's plan.
struct SendAction {
    enum class Kind {
        Open,          // line settings, port number, open: the plan's target
        ShowProgress,  // `text` with the OK button hidden, shown without blocking
        Progress,      // `text` replaces the progress text
        Write,         // `bytes` to the port; done once the port has taken them, by `until`
        Drain,         // done once the system has sent every byte written on to the device,
                       // by `until`
        WaitUntil,     // done once the clock reads `until`
        Close,         // the port is closed
        Finish,        // `text` with the OK button shown
        Fail,          // the send has failed with `text`: the port is closed, nothing follows
        Done,          // the send is over
    };

    Kind kind = Kind::Done;
    std::string_view text;
    std::span<const std::uint8_t> bytes;
    LineTime until{};
};

// The pacing of a send: one rule for the window, the command line, loopback and the page, whose
// runners only do the I/O. A runner does the action it is given and asks for the next one with
// the time it was done at, on both of its clocks; after WaitUntil, with the time its timer fired.
//
// The rule: the tracker needs each pause after the bytes have left the wire. A drain says only
// that the system has sent them on to the device, and a USB adapter may still hold every one of
// them (a pseudo-terminal reports them drained at once), so a write is over its own time on the
// line after its drain, and the pause after it starts then. A timer that fires early is given the
// same wait again. A write or drain not done by its `until` has failed (kLateWrite). A send held
// up between its writes for so long that the rest would reach the tracker after its
// kTransferWindow (a timer that fired seconds late: the computer slept, the program was stopped)
// fails with kHeldUp instead of going on to "Data sent !". The line's clock paces. That judgement
// also reads the suspend clock, since the line's stands still while the computer is suspended,
// and fails the send when either says the window has passed: a jump of the page's Date.now() can
// fail a send, never pass one.
class SendPacer {
  public:
    explicit SendPacer(TransferPlan plan);

    const TransferPlan& plan() const { return plan_; }
    // The first action on the first call; then the one after the action done at `now`, which the
    // suspend clock read as `suspendNow`.
    SendAction next(LineTime now, SuspendTime suspendNow);
    // A write has been handed out: a send that fails now leaves the tracker with part of it.
    bool wroteAny() const { return wroteAny_; }

  private:
    enum class Phase { Before, Acting, Draining, Waiting, Over };

    SendAction begin(std::size_t index, LineTime now, SuspendTime suspendNow);
    SendAction waiting() const;
    // From the start of step `index` until the last write's bytes have left, on time: the line
    // times of the writes and the pauses between them.
    std::chrono::microseconds restOfWrites(std::size_t index) const;

    TransferPlan plan_;
    std::size_t current_ = 0;
    Phase phase_ = Phase::Before;
    LineTime lineClear_{};  // the last write's bytes have left the wire from then on
    LineTime waitEnd_{};
    LineTime firstWrite_{};  // the tracker's window counts from then
    SuspendTime firstWriteSuspend_{};
    bool wroteAny_ = false;
};

}  // namespace zelvar
