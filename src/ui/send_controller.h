#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "ports/port_finding.h"
#include "serial/qt_serial_port.h"
#include "transfer/send_pacer.h"
#include "ui/held_stop.h"

class QWidget;

namespace zelvar {

class MessageDialog;
class SettingsForm;

// SEND from the main window: prepares the send from the form, shows the normalised values in it,
// and either runs the plan at SendPacer's pace or says why not, with the focus on the failing
// field. It does the pacer's actions from the window's event loop: writes on the port's own
// signals, drains on a thread of their own, waits on a timer, so the window repaints and answers
// all the while. Nothing here sleeps or runs events itself, so a modal dialog the user opens
// meanwhile runs its own loop, in which the send keeps its pace. A failed action closes the port
// and shows the failure report of the serial layer's words and what `explain` finds. The pacer
// reads the line's clock and `readSuspendClock`'s, which goes on while the computer is suspended.
class SendController : public QObject {
    Q_OBJECT

  public:
    // What stops SEND from using port `number`; nothing when nothing does.
    using PortExplainer = std::function<std::vector<Finding>(int number)>;
    using SuspendClockReader = std::function<SuspendTime()>;

    SendController(QWidget* window, SettingsForm* form, MessageDialog* progress,
                   PortResolver resolver, PortExplainer explain,
                   SuspendClockReader readSuspendClock);

    // Starts the send and returns; refused() or finished() follows.
    void send();
    bool portOpen() const { return port_.isOpen(); }
    // From the first action of the plan until its last, or until one fails.
    bool sending() const { return sending_; }
    // The send still runs to its end, but finished() then comes at once, with no message for a
    // failure: the program is ending, and nobody is left to read it.
    void finishWithoutMessages() { withoutMessages_ = true; }

  signals:
    // The settings could not be built and the user has closed the message.
    void refused();
    // The plan ran to its end, or failed and the user has closed the message.
    void finished();

  private:
    void refuse(const FieldFailure& failure);
    // Does the pacer's actions until one has to wait for the port or the clock.
    void advance();
    void failUnlessStarted(const Result<>& status);
    void fail(const std::string& reason);
    void report(const std::string& reason, const std::vector<Finding>& findings, bool partly);
    void endSending();

    QWidget* window_;
    SettingsForm* form_;
    QPointer<MessageDialog> progress_;
    QtSerialPort port_;
    PortExplainer explain_;
    SuspendClockReader readSuspendClock_;
    std::optional<SendPacer> pacer_;
    bool sending_ = false;
    std::optional<HeldStop> heldStop_;  // while sending
    bool withoutMessages_ = false;
    QTimer pause_;
};

}  // namespace zelvar
