#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "transfer/send_pacer.h"
#include "transfer/serial_port.h"
#include "transfer/transfer_plan.h"

namespace zelvar {

// Whoever shows the progress of a send: the message dialog, the CLI's stderr, a test.
class SendObserver {
  public:
    virtual ~SendObserver() = default;

    // The whole progress text, line breaks as CR LF.
    virtual void setText(std::string_view text) = 0;
    virtual void setOkVisible(bool visible) = 0;
    // Shows the progress without blocking the caller.
    virtual void showProgress() = 0;
};

enum class SendOutcome {
    Done,       // the send, or the action, went through
    NotOpened,  // the port said it was not open after opening: nothing shown, nothing sent
    Failed,     // an action failed; `reason` holds the layer's text
    Stopped,    // the runner's wait asked to stop (loopback's Ctrl+C)
};

// Why a send, or an action, did not go through.
struct SendFailure {
    SendOutcome outcome = SendOutcome::Failed;  // NotOpened, Failed or Stopped
    std::string reason;
    bool partlySent = false;  // bytes had gone out: the tracker got part of its settings
};
using SendResult = tl::expected<void, SendFailure>;

inline SendOutcome outcomeOf(const SendResult& result) {
    return result ? SendOutcome::Done : result.error().outcome;
}

// Does one action of the pacer with the port and the observer, blocking: a write until the port
// has taken the bytes, a drain until the system has sent them; Fail closes the port and fails with
// its text. WaitUntil and Done do nothing:
// each runner waits in its own way, and one that must not block writes and drains on its own.
SendResult performAction(const SendAction& action, const SendTarget& target, SerialPort& port,
                         SendObserver& observer);

// A failed action ends the send: a port left open would block every later send and the main
// window's close, so it is closed here.
SendResult abandonSend(SerialPort& port, std::string reason);

// How a runner that blocks passes the time: the clock it reads, the suspend clock beside it, and
// a wait until a time of the first that returns false when the send must stop.
struct SendClock {
    std::function<LineTime()> now;
    std::function<SuspendTime()> suspendNow;
    std::function<bool(LineTime until)> waitUntil;
};

// Runs the plan on the calling thread at the pacer's pace: blocking writes and drains, and the
// clock's waits. A failed action, or a wait that stops, ends the send with the port closed.
SendResult sendConfig(const TransferPlan& plan, SerialPort& port, SendObserver& observer,
                      const SendClock& clock);

}  // namespace zelvar
