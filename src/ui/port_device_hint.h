#pragma once

#include <QObject>

#include "transfer/qt_serial_port_qt.h"

class QLabel;
class QLineEdit;

namespace zelvar {

// Under "Comm num:", the device SEND will write to ("Port 1: ttyUSB0", or "no such port"), with
// the device's location and description as its tip. Listing the system's ports waits until the
// window is on screen; the label follows the number and is brought up to date whenever the
// window becomes active, since an adapter may have come or gone meanwhile.
class PortDeviceHint : public QObject {
    Q_OBJECT

  public:
    PortDeviceHint(QWidget* window, QLineEdit* portNumber, QLabel* shown, PortResolver resolver);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void update();

    QWidget* window_;
    QLineEdit* portNumber_;
    QLabel* shown_;
    PortResolver resolver_;
    bool painted_ = false;
};

}  // namespace zelvar
