// SEND, the port it writes to, and the close that waits for it.
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "config/config_image.h"
#include "transfer/send_sequence.h"
#include "ui/calculator_window.h"
#include "ui/latin1_text.h"
#include "ui/message_box.h"
#include "ui/message_dialog.h"
#include "ui/setup_window.h"

namespace zelvar {
namespace {

void letPendingEventsRun() {
    QCoreApplication::processEvents();
}

}  // namespace

void SetupWindow::sendToTracker() {
    cmdSend_->setEnabled(false);
    DeviceSettings normalised = settings();
    ConfigImage image{};
    const BuildResult built = buildConfigImage(normalised, image);
    // The window shows what the tracker gets, also when the build stops half-way.
    applySettings(normalised);
    letPendingEventsRun();
    if (built) {
        sendConfig(image, sendTargetFor(normalised), port_, *dialog_,
                   realTimePacing(letPendingEventsRun));
    } else {
        if (built.field) {
            if (auto* failing = findChild<QWidget*>(fromLatin1(controlName(*built.field))))
                failing->setFocus(Qt::OtherFocusReason);
        }
        showMessageBox(this, QString::fromLatin1(kBuildFailedTitle),
                       QString::fromLatin1(kBuildFailedMessage), QMessageBox::Information);
    }
    cmdSend_->setEnabled(true);
}

void SetupWindow::showPortDevice() {
    if (!painted_)
        return;
    const int number = sendTargetFor(settings()).portNumber;
    const ResolvedPort resolved = resolver_(number);
    const QString shown = QStringLiteral("Port %1: ").arg(number) +
                          (resolved.ok ? QString::fromStdString(resolved.device.name)
                                       : QStringLiteral("no such port"));
    lblPortDevice_->setText(
        lblPortDevice_->fontMetrics().elidedText(shown, Qt::ElideMiddle, lblPortDevice_->width()));
    lblPortDevice_->setToolTip(resolved.ok ? QString::fromStdString(resolved.device.location + " " +
                                                                    resolved.device.description)
                                                 .trimmed()
                                           : QString::fromStdString(resolved.reason));
}

void SetupWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &SetupWindow::showPortDevice);
    }
}

void SetupWindow::changeEvent(QEvent* event) {
    // An adapter plugged in or pulled out while the user was elsewhere.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showPortDevice();
    QWidget::changeEvent(event);
}

void SetupWindow::closeEvent(QCloseEvent* event) {
    if (port_.isOpen()) {
        event->ignore();
        return;
    }
    if (dialog_)
        dialog_->close();
    // Child windows outlive a hidden owner; the calculator goes with the main window.
    calculator_->close();
    closeInstructions();
    event->accept();
}

}  // namespace zelvar
