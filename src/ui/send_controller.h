#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "ports/port_finding.h"
#include "serial/qt_serial_port.h"
#include "transfer/transfer_plan.h"

class QWidget;

namespace zelvar {

class MessageDialog;
class SettingsForm;

// SEND from the main window: builds the image from the form, writes the normalised values back
// to it, and either runs the send's plan or says why not, with the focus on the failing field.
// It runs the plan from the window's event loop: the writes on the port's own signals, the
// pauses on a timer, so the window repaints and answers all the while. Nothing here sleeps or
// runs events itself, so a modal dialog the user opens meanwhile runs its own loop, in which the
// send keeps its pace. A failed step closes the port and shows the serial layer's words, with
// what `explain` finds about the port below them, after a word that the tracker got only part
// of its settings when bytes had gone out.
class SendController : public QObject {
    Q_OBJECT

  public:
    // What stops SEND from using port `number`; nothing when nothing does.
    using PortExplainer = std::function<std::vector<Finding>(int number)>;

    SendController(QWidget* window, SettingsForm* form, MessageDialog* progress,
                   PortResolver resolver, PortExplainer explain);

    // Starts the send and returns; refused() or finished() follows.
    void send();
    bool portOpen() const { return port_.isOpen(); }
    // From the first step of the plan until its last, or until a step fails.
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
    void runSteps();
    void writeStep(const TransferStep& step);
    void pauseStep(std::chrono::milliseconds pause);
    void waitOutPause();
    void fail(const std::string& reason);

    QWidget* window_;
    SettingsForm* form_;
    QPointer<MessageDialog> progress_;
    QtSerialPort port_;
    PortExplainer explain_;
    TransferPlan plan_;
    std::size_t next_ = 0;
    bool sending_ = false;
    bool wrote_ = false;  // a write of this send reached the port
    bool withoutMessages_ = false;
    QTimer pause_;
    std::chrono::steady_clock::time_point pauseEnd_;
};

}  // namespace zelvar
