#include "ui/send_controller.h"

#include <algorithm>
#include <memory>

#include "ports/diagnosis_format.h"
#include "transfer/prepared_send.h"
#include "transfer/send_sequence.h"
#include "transfer/transfer_plan.h"
#include "ui/core_text.h"
#include "ui/message_box.h"
#include "ui/message_dialog.h"
#include "ui/off_thread.h"
#include "ui/settings_form.h"

namespace zelvar {
namespace {

using Clock = LineClock;
using Kind = SendAction::Kind;

// Stands in for the dialog once the main window has closed it: the steps still run.
class NoProgress final : public SendObserver {
  public:
    void setText(std::string_view) override {}
    void setOkVisible(bool) override {}
    void showProgress() override {}
};

}  // namespace

SendController::SendController(QWidget* window, SettingsForm* form, MessageDialog* progress,
                               PortResolver resolver, PortExplainer explain,
                               SuspendClockReader readSuspendClock)
    : QObject(window),
      window_(window),
      form_(form),
      progress_(progress),
      port_(std::move(resolver)),
      explain_(std::move(explain)),
      readSuspendClock_(std::move(readSuspendClock)) {
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    connect(&pause_, &QTimer::timeout, this, &SendController::advance);
}

void SendController::send() {
    PreparedSend prepared = prepareSend(form_->settings());
    // The window shows what the tracker gets, also when the build stops half-way.
    form_->applySettings(prepared.written);
    if (!prepared.build) {
        refuse(prepared.build.error());
        return;
    }
    // No speed (a file's Baud of -1) is the settings' fault, not the port's: no doctor for it.
    if (Result<> speed = checkSpeedChosen(prepared.plan.target.lineSettings); !speed) {
        report(speed.error().reason, {}, false);
        return;
    }
    pacer_.emplace(std::move(prepared.plan));
    sending_ = true;
    heldStop_.emplace();
    advance();
}

void SendController::refuse(const FieldFailure& failure) {
    if (QWidget* failing = form_->control(failure.field))
        failing->setFocus(Qt::OtherFocusReason);
    // Below the message, which field failed and why: "MY CALLSIGN: empty callsign".
    openMessageBox(window_,
                   {shown(ShownText::BuildFailedTitle), shown(ShownText::BuildFailed),
                    QMessageBox::Information, QString::fromStdString(failure.reason)},
                   [this] { emit refused(); });
}

void SendController::advance() {
    NoProgress none;
    for (;;) {
        const SendAction action = pacer_->next(Clock::now(), readSuspendClock_());
        if (action.kind == Kind::Write) {
            failUnlessStarted(port_.startWrite(action.bytes, [this](Result<> written) {
                written ? advance() : fail(written.error().reason);
            }));
            return;
        }
        if (action.kind == Kind::Drain) {
            failUnlessStarted(port_.startDrain(
                [this](Result<> drained) { drained ? advance() : fail(drained.error().reason); }));
            return;
        }
        if (action.kind == Kind::WaitUntil) {
            // Rounded up: a timer that still fires early is given the rest by the pacer.
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(action.until - Clock::now());
            pause_.start(std::max(left, std::chrono::milliseconds(0)));
            return;
        }
        if (action.kind == Kind::Done) {
            endSending();
            emit finished();
            return;
        }
        SendObserver& observer =
            progress_ ? static_cast<SendObserver&>(*progress_) : static_cast<SendObserver&>(none);
        const SendResult result = performAction(action, pacer_->plan().target, port_, observer);
        if (outcomeOf(result) == SendOutcome::NotOpened) {
            endSending();
            emit finished();
            return;
        }
        if (!result) {
            fail(result.error().reason);
            return;
        }
    }
}

void SendController::failUnlessStarted(const Result<>& status) {
    if (!status)
        fail(status.error().reason);
}

void SendController::fail(const std::string& reason) {
    abandonSend(port_, reason);
    endSending();
    if (withoutMessages_) {
        emit finished();
        return;
    }
    // The port is closed again, so the doctor sees it as the user will; /proc and the udev
    // rules take a moment to read, which the window does not wait for.
    auto findings = std::make_shared<std::vector<Finding>>();
    runOffThread(
        this,
        [explain = explain_, number = pacer_->plan().target.portNumber, findings] {
            *findings = explain(number);
        },
        [this, reason, findings, partly = pacer_->wroteAny()] {
            report(reason, *findings, partly);
        });
}

void SendController::endSending() {
    sending_ = false;
    heldStop_.reset();  // a stop asked for meanwhile comes now
}

void SendController::report(const std::string& reason, const std::vector<Finding>& findings,
                            bool partly) {
    const FailureReport shownReport = failureReport(reason, findings, partly);
    openMessageBox(window_,
                   {shown(ShownText::MessageTitle), QString::fromStdString(shownReport.text),
                    QMessageBox::NoIcon, QString::fromStdString(shownReport.below)},
                   [this] { emit finished(); });
}

}  // namespace zelvar
