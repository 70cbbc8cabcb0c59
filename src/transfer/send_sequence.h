#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

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
    Done,       // the send, or the step, went through
    NotOpened,  // the port said it was not open after opening: nothing shown, nothing sent
    Failed,     // a step failed; `reason` holds the layer's text
};

// Why a send, or a step, did not go through.
struct SendFailure {
    SendOutcome outcome = SendOutcome::Failed;  // NotOpened or Failed
    std::string reason;
};
using SendResult = tl::expected<void, SendFailure>;

inline SendOutcome outcomeOf(const SendResult& result) {
    return result ? SendOutcome::Done : result.error().outcome;
}

// Runs one step; a write waits until the bytes have left the port. A pause returns at once:
// each runner waits in its own way, and a runner that must not block writes on its own too.
SendResult performStep(const TransferStep& step, const SendTarget& target, SerialPort& port,
                       SendObserver& observer);

// A failed step ends the send: a port left open would block every later send and the main
// window's close, so it is closed here.
SendResult abandonSend(SerialPort& port, std::string reason);

// Sleeps at least the given time; tests pass one that only records it.
using Sleep = std::function<void(std::chrono::milliseconds)>;
void sleepAtLeast(std::chrono::milliseconds pause);

// Runs the plan on the calling thread: blocking writes, plain sleeps for the pauses. A step
// that fails stops the send with the port closed.
SendResult sendConfig(const TransferPlan& plan, SerialPort& port, SendObserver& observer,
                      const Sleep& sleep = sleepAtLeast);

}  // namespace zelvar
