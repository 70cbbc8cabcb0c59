#include "transfer/send_pacer.h"

#include <algorithm>

#include "text/translation.h"

namespace zelvar {
namespace {

using Step = TransferStep::Kind;
using Action = SendAction::Kind;

Action actionFor(Step kind) {
    switch (kind) {
        case Step::Open:
            return Action::Open;
        case Step::ShowProgress:
            return Action::ShowProgress;
        case Step::Progress:
            return Action::Progress;
        case Step::Write:
            return Action::Write;
        case Step::Pause:
            return Action::WaitUntil;
        case Step::Close:
            return Action::Close;
        case Step::Finish:
            break;
    }
    return Action::Finish;
}

// When the port must have done a write of `step`, or the drain after it, begun at `now`.
LineTime doneBy(const TransferStep& step, LineTime now) {
    return now + step.lineTime + kWriteMargin;
}

}  // namespace

SendPacer::SendPacer(TransferPlan plan) : plan_(std::move(plan)) {}

SendAction SendPacer::next(LineTime now, SuspendTime suspendNow) {
    switch (phase_) {
        case Phase::Before:
            return begin(0, now, suspendNow);
        case Phase::Acting:
            if (plan_.steps[current_].kind == Step::Write) {
                phase_ = Phase::Draining;
                return {Action::Drain, {}, {}, doneBy(plan_.steps[current_], now)};
            }
            return begin(current_ + 1, now, suspendNow);
        case Phase::Draining:
            lineClear_ = now + plan_.steps[current_].lineTime;
            return begin(current_ + 1, now, suspendNow);
        case Phase::Waiting:
            if (now < waitEnd_)
                return waiting();
            return begin(current_ + 1, now, suspendNow);
        case Phase::Over:
            break;
    }
    return {};
}

SendAction SendPacer::begin(std::size_t index, LineTime now, SuspendTime suspendNow) {
    current_ = index;
    if (index >= plan_.steps.size()) {
        phase_ = Phase::Over;
        return {};
    }
    const TransferStep& step = plan_.steps[index];
    if (step.kind == Step::Pause) {
        phase_ = Phase::Waiting;
        waitEnd_ = std::max(now, lineClear_) + step.pause;
        return waiting();
    }
    if (step.kind == Step::Write) {
        if (!wroteAny_) {
            firstWrite_ = now;
            firstWriteSuspend_ = suspendNow;
        } else if (const auto rest = restOfWrites(index);
                   now + rest > firstWrite_ + kTransferWindow ||
                   suspendNow + rest > firstWriteSuspend_ + kTransferWindow) {
            phase_ = Phase::Over;
            return {Action::Fail, translated("send", kHeldUp), {}, {}};
        }
        wroteAny_ = true;
    }
    phase_ = Phase::Acting;
    const LineTime until = step.kind == Step::Write ? doneBy(step, now) : LineTime{};
    return {actionFor(step.kind), step.text, step.bytes, until};
}

SendAction SendPacer::waiting() const {
    return {Action::WaitUntil, {}, {}, waitEnd_};
}

std::chrono::microseconds SendPacer::restOfWrites(std::size_t index) const {
    std::chrono::microseconds total{0}, toLastByte{0};
    for (std::size_t i = index; i < plan_.steps.size(); ++i) {
        total += plan_.steps[i].lineTime + plan_.steps[i].pause;
        if (plan_.steps[i].kind == Step::Write)
            toLastByte = total;
    }
    return toLastByte;
}

}  // namespace zelvar
