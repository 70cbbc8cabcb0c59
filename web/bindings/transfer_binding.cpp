// SEND for the page: the use case the desktop's front ends share (prepareSend) and the pacer that
// paces its runner, so that the page writes, drains and waits exactly as the window does.
#include <emscripten/bind.h>

#include <cmath>

#include "js_values.h"
#include "transfer/prepared_send.h"
#include "transfer/send_pacer.h"

namespace zelvar::web {
namespace {

using Kind = SendAction::Kind;

std::string kindName(Kind kind) {
    switch (kind) {
        case Kind::Open:
            return "open";
        case Kind::ShowProgress:
            return "showProgress";
        case Kind::Progress:
            return "progress";
        case Kind::Write:
            return "write";
        case Kind::Drain:
            return "drain";
        case Kind::WaitUntil:
            return "waitUntil";
        case Kind::Close:
            return "close";
        case Kind::Finish:
            return "finish";
        case Kind::Fail:
            return "fail";
        case Kind::Done:
            break;
    }
    return "done";
}

// The page's clock, performance.now() in milliseconds, as the pacer's.
LineTime lineTimeOf(double milliseconds) {
    return LineTime{} + std::chrono::microseconds(std::llround(milliseconds * 1000));
}

double millisecondsOf(LineTime time) {
    return static_cast<double>((time - LineTime{}) / std::chrono::microseconds(1)) / 1000;
}

// The page's suspend clock, Date.now() in milliseconds: performance.now() stops while the
// computer is suspended.
SuspendTime suspendTimeOf(double milliseconds) {
    return SuspendTime{} + std::chrono::microseconds(std::llround(milliseconds * 1000));
}

// { kind, text, bytes, atMs }: the action after the one done at `nowMs`, `dateMs` by Date.now().
val nextAction(SendPacer& pacer, double nowMs, double dateMs) {
    const SendAction action = pacer.next(lineTimeOf(nowMs), suspendTimeOf(dateMs));
    val js = val::object();
    js.set("kind", kindName(action.kind));
    js.set("text", messageToJs(action.text));
    js.set("bytes", bytesToJs(action.bytes));
    js.set("atMs", millisecondsOf(action.until));
    return js;
}

// Prepares the send from the form: { ok, written, target: { lineSettings, portNumber, portName,
// failedText }, pacer } or the build's field and reason, with the form as far as the build came.
val prepare(const val& form) {
    auto read = settingsFromJs(form);
    if (!read)
        return unreadForm(form, read.error());
    PreparedSend prepared = prepareSend(std::move(*read));
    val outcome = buildOutcome(prepared.build);
    outcome.set("written", settingsToJs(prepared.written));
    if (!prepared.build)
        return outcome;
    val target = val::object();
    target.set("lineSettings", messageToJs(prepared.plan.target.lineSettings));
    target.set("portNumber", prepared.plan.target.portNumber);
    target.set("portName", messageToJs(prepared.plan.target.portName));
    target.set("failedText", messageToJs(sendFailedText(prepared.plan.target.portName)));
    outcome.set("target", target);
    outcome.set("pacer", SendPacer(std::move(prepared.plan)));
    return outcome;
}

// The desktop opens no port below 1, where an empty Comm num points: { ok } or the reason.
val checkPort(int number) {
    const Result<> valid = checkPortNumber(number);
    return valid ? success() : refusal(valid.error().reason);
}

// Line settings with no speed in them (Baud -1 from a file): { ok } or the reason.
val checkSpeed(const std::string& lineSettings) {
    const Result<> chosen = checkSpeedChosen(lineSettings);
    return chosen ? success() : refusal(chosen.error().reason);
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_transfer) {
    emscripten::class_<SendPacer>("SendPacer").function("next", &nextAction);
    emscripten::function("prepareSend", &prepare);
    emscripten::function("checkPortNumber", &checkPort);
    emscripten::function("checkSpeedChosen", &checkSpeed);
}

}  // namespace zelvar::web
