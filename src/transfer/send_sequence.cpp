#include "transfer/send_sequence.h"

#include <thread>

namespace zelvar {
namespace {

using Kind = TransferStep::Kind;

SendResult openPort(const SendTarget& target, SerialPort& port) {
    if (Result<> status = port.setSettings(target.lineSettings); !status)
        return abandonSend(port, status.error().reason);
    if (Result<> status = port.setPortNumber(target.portNumber); !status)
        return abandonSend(port, status.error().reason);
    if (Result<> status = port.open(); !status)
        return abandonSend(port, status.error().reason);
    if (!port.isOpen())
        return tl::unexpected(SendFailure{SendOutcome::NotOpened, {}});
    return {};
}

}  // namespace

SendResult abandonSend(SerialPort& port, std::string reason) {
    if (port.isOpen())
        port.close();
    return tl::unexpected(SendFailure{SendOutcome::Failed, std::move(reason)});
}

SendResult performStep(const TransferStep& step, const SendTarget& target, SerialPort& port,
                       SendObserver& observer) {
    switch (step.kind) {
        case Kind::Open:
            return openPort(target, port);
        case Kind::ShowProgress:
            observer.setText(step.text);
            observer.setOkVisible(false);
            observer.showProgress();
            return {};
        case Kind::Progress:
            observer.setText(step.text);
            return {};
        case Kind::Write:
            if (Result<> status = port.write(step.bytes); !status)
                return abandonSend(port, status.error().reason);
            return {};
        case Kind::Pause:
            return {};  // its runner waits
        case Kind::Close:
            if (Result<> status = port.close(); !status)
                return abandonSend(port, status.error().reason);
            return {};
        case Kind::Finish:
            observer.setText(step.text);
            observer.setOkVisible(true);
            return {};
    }
    return {};
}

void sleepAtLeast(std::chrono::milliseconds pause) {
    std::this_thread::sleep_for(pause);
}

SendResult sendConfig(const TransferPlan& plan, SerialPort& port, SendObserver& observer,
                      const Sleep& sleep) {
    for (const TransferStep& step : plan.steps) {
        if (step.kind == Kind::Pause) {
            sleep(step.pause);
            continue;
        }
        if (SendResult result = performStep(step, plan.target, port, observer); !result)
            return result;
    }
    return {};
}

}  // namespace zelvar
