#include "transfer/send_sequence.h"

namespace zelvar {
namespace {

using Action = SendAction::Kind;

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

SendResult checked(SerialPort& port, Result<> status) {
    if (!status)
        return abandonSend(port, status.error().reason);
    return {};
}

}  // namespace

SendResult abandonSend(SerialPort& port, std::string reason) {
    if (port.isOpen())
        port.close();
    return tl::unexpected(SendFailure{SendOutcome::Failed, std::move(reason)});
}

SendResult performAction(const SendAction& action, const SendTarget& target, SerialPort& port,
                         SendObserver& observer) {
    switch (action.kind) {
        case Action::Open:
            return openPort(target, port);
        case Action::ShowProgress:
            observer.setText(action.text);
            observer.setOkVisible(false);
            observer.showProgress();
            return {};
        case Action::Progress:
            observer.setText(action.text);
            return {};
        case Action::Write:
            return checked(port, port.write(action.bytes));
        case Action::Drain:
            return checked(port, port.drain());
        case Action::Close:
            return checked(port, port.close());
        case Action::Finish:
            observer.setText(action.text);
            observer.setOkVisible(true);
            return {};
        case Action::Fail:
            return abandonSend(port, std::string(action.text));
        case Action::WaitUntil:
        case Action::Done:
            break;
    }
    return {};
}

SendResult sendConfig(const TransferPlan& plan, SerialPort& port, SendObserver& observer,
                      const SendClock& clock) {
    SendPacer pacer(plan);
    for (SendAction action = pacer.next(clock.now(), clock.suspendNow());
         action.kind != Action::Done; action = pacer.next(clock.now(), clock.suspendNow())) {
        SendResult result;
        if (action.kind != Action::WaitUntil) {
            result = performAction(action, pacer.plan().target, port, observer);
        } else if (!clock.waitUntil(action.until)) {
            if (port.isOpen())
                port.close();
            result = tl::unexpected(SendFailure{SendOutcome::Stopped, {}});
        }
        if (!result) {
            result.error().partlySent = pacer.wroteAny();
            return result;
        }
    }
    return {};
}

}  // namespace zelvar
