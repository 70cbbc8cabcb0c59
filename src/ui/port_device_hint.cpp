#include "ui/port_device_hint.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "transfer/transfer_plan.h"
#include "ui/latin1_text.h"

namespace zelvar {

PortDeviceHint::PortDeviceHint(QWidget* window, QLineEdit* portNumber, QLabel* shown,
                               PortResolver resolver)
    : QObject(window),
      window_(window),
      portNumber_(portNumber),
      shown_(shown),
      resolver_(std::move(resolver)) {
    window->installEventFilter(this);
    connect(portNumber, &QLineEdit::textChanged, this, &PortDeviceHint::update);
}

bool PortDeviceHint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, &PortDeviceHint::update);
        } else if (event->type() == QEvent::ActivationChange && window_->isActiveWindow()) {
            update();
        }
    }
    return QObject::eventFilter(watched, event);
}

void PortDeviceHint::update() {
    if (!painted_)
        return;
    const int number = portNumberOf(toLatin1(portNumber_->text()));
    const ResolvedPort resolved = resolver_(number);
    const QString text = QStringLiteral("Port %1: ").arg(number) +
                         (resolved.ok ? QString::fromStdString(resolved.device.name)
                                      : QStringLiteral("no such port"));
    shown_->setText(shown_->fontMetrics().elidedText(text, Qt::ElideMiddle, shown_->width()));
    shown_->setToolTip(resolved.ok ? QString::fromStdString(resolved.device.location + " " +
                                                            resolved.device.description)
                                         .trimmed()
                                   : QString::fromStdString(resolved.reason));
}

}  // namespace zelvar
