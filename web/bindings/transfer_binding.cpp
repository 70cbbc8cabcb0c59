// SEND's transfer plan as data: what a runner writes to the port, in order, and how long it
// waits, so that a front end with its own serial access runs exactly the desktop's sequence.
#include <emscripten/bind.h>

#include "js_values.h"
#include "transfer/transfer_plan.h"

namespace zelvar::web {
namespace {

std::string kindName(TransferStep::Kind kind) {
    switch (kind) {
        case TransferStep::Kind::Open:
            return "open";
        case TransferStep::Kind::ShowProgress:
            return "showProgress";
        case TransferStep::Kind::Progress:
            return "progress";
        case TransferStep::Kind::Write:
            return "write";
        case TransferStep::Kind::Pause:
            return "pause";
        case TransferStep::Kind::Close:
            return "close";
        case TransferStep::Kind::Finish:
            break;
    }
    return "finish";
}

// Builds the form on a copy; { ok, written, target: { lineSettings, portNumber, portName },
// steps: [{ kind, text, bytes, pauseMs }] } or the build's field and reason.
val transferPlan(const val& form) {
    auto read = settingsFromJs(form);
    if (!read)
        return unreadForm(form, read.error());
    DeviceSettings settings = std::move(*read);
    ConfigImage image{};
    const BuildResult built = buildConfigImage(settings, image);
    val outcome = buildOutcome(built);
    outcome.set("written", settingsToJs(settings));
    if (!built)
        return outcome;
    const TransferPlan plan = makeTransferPlan(image, sendTargetFor(settings));
    val target = val::object();
    target.set("lineSettings", messageToJs(plan.target.lineSettings));
    target.set("portNumber", plan.target.portNumber);
    target.set("portName", messageToJs(plan.target.portName));
    outcome.set("target", target);
    val steps = val::array();
    for (const TransferStep& step : plan.steps) {
        val js = val::object();
        js.set("kind", kindName(step.kind));
        js.set("text", messageToJs(step.text));
        js.set("bytes", bytesToJs(step.bytes));
        js.set("pauseMs", static_cast<double>(step.pause.count()));
        steps.call<void>("push", js);
    }
    outcome.set("steps", steps);
    return outcome;
}

// The desktop opens no port below 1, where an empty Comm num points: { ok } or the reason.
val checkPort(int number) {
    const Result<> valid = checkPortNumber(number);
    return valid ? success() : refusal(valid.error().reason);
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_transfer) {
    emscripten::function("transferPlan", &transferPlan);
    emscripten::function("checkPortNumber", &checkPort);
}

}  // namespace zelvar::web
