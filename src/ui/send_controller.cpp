#include "ui/send_controller.h"

#include <memory>

#include "ports/diagnosis_format.h"
#include "transfer/send_sequence.h"
#include "ui/message_box.h"
#include "ui/message_dialog.h"
#include "ui/off_thread.h"
#include "ui/settings_form.h"

namespace zelvar {
namespace {

using Clock = std::chrono::steady_clock;
using Kind = TransferStep::Kind;

// Stands in for the dialog once the main window has closed it: the steps still run.
class NoProgress final : public SendObserver {
  public:
    void setText(std::string_view) override {}
    void setOkVisible(bool) override {}
    void showProgress() override {}
};

}  // namespace

SendController::SendController(QWidget* window, SettingsForm* form, MessageDialog* progress,
                               PortResolver resolver, PortExplainer explain)
    : QObject(window),
      window_(window),
      form_(form),
      progress_(progress),
      port_(std::move(resolver)),
      explain_(std::move(explain)) {
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    connect(&pause_, &QTimer::timeout, this, &SendController::waitOutPause);
}

void SendController::send() {
    DeviceSettings normalised = form_->settings();
    ConfigImage image{};
    const BuildResult built = buildConfigImage(normalised, image);
    // The window shows what the tracker gets, also when the build stops half-way.
    form_->applySettings(normalised);
    if (!built) {
        refuse(built.error());
        return;
    }
    plan_ = makeTransferPlan(image, sendTargetFor(normalised));
    next_ = 0;
    sending_ = true;
    wrote_ = false;
    runSteps();
}

void SendController::refuse(const FieldFailure& failure) {
    if (QWidget* failing = form_->control(failure.field))
        failing->setFocus(Qt::OtherFocusReason);
    // Below the message, which field failed and why: "MY CALLSIGN: empty callsign".
    openMessageBox(
        window_,
        {QString::fromLatin1(kBuildFailedTitle), QString::fromLatin1(kBuildFailedMessage),
         QMessageBox::Information, QString::fromStdString(failure.reason)},
        [this] { emit refused(); });
}

void SendController::runSteps() {
    NoProgress none;
    while (next_ < plan_.steps.size()) {
        const TransferStep& step = plan_.steps[next_++];
        if (step.kind == Kind::Write) {
            writeStep(step);
            return;
        }
        if (step.kind == Kind::Pause) {
            pauseStep(step.pause);
            return;
        }
        SendObserver& observer =
            progress_ ? static_cast<SendObserver&>(*progress_) : static_cast<SendObserver&>(none);
        const SendResult result = performStep(step, plan_.target, port_, observer);
        if (outcomeOf(result) == SendOutcome::Failed) {
            fail(result.error().reason);
            return;
        }
        if (outcomeOf(result) == SendOutcome::NotOpened)
            break;
    }
    sending_ = false;
    emit finished();
}

void SendController::writeStep(const TransferStep& step) {
    wrote_ = true;
    const Result<> started = port_.startWrite(step.bytes, [this](Result<> written) {
        if (written)
            runSteps();
        else
            fail(written.error().reason);
    });
    if (!started)
        fail(started.error().reason);
}

void SendController::pauseStep(std::chrono::milliseconds pause) {
    pauseEnd_ = Clock::now() + pause;
    pause_.start(pause);
}

void SendController::waitOutPause() {
    // A timer may fire a little early; the tracker needs every pause whole.
    const auto left = pauseEnd_ - Clock::now();
    if (left > Clock::duration::zero()) {
        pause_.start(std::chrono::ceil<std::chrono::milliseconds>(left));
        return;
    }
    runSteps();
}

void SendController::fail(const std::string& reason) {
    abandonSend(port_, reason);
    sending_ = false;
    if (withoutMessages_) {
        emit finished();
        return;
    }
    // The port is closed again, so the doctor sees it as the user will; /proc and the udev
    // rules take a moment to read, which the window does not wait for.
    auto findings = std::make_shared<std::vector<Finding>>();
    runOffThread(
        this,
        [explain = explain_, number = plan_.target.portNumber, findings] {
            *findings = explain(number);
        },
        [this, reason, findings, partly = wrote_] {
            const FailureReport report = failureReport(reason, *findings);
            std::string below = report.findings;
            if (partly)
                below = std::string(kPartlySentMessage) + (below.empty() ? "" : "\n\n") + below;
            openMessageBox(window_,
                           {QStringLiteral("Zelvar"), QString::fromStdString(report.text),
                            QMessageBox::NoIcon, QString::fromStdString(below)},
                           [this] { emit finished(); });
        });
}

}  // namespace zelvar
