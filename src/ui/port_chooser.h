#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <vector>

#include "serial/system_ports.h"

class QActionGroup;
class QMenu;
class QPushButton;

namespace zelvar {

class FieldEdit;

// At the right of the Baud row, the device the port number opens ("Port 1: ttyUSB0"), as a
// button whose menu lists the numbered devices exactly as SEND resolves them, with what the
// system knows of each; choosing one writes its number into the field. A number that points to
// no device shows in red ("Port 3: no such port") before SEND is pressed. The list is read after
// the window's first paint, each time the menu opens and when a device comes or goes.
class PortChooser : public QObject {
    Q_OBJECT

  public:
    PortChooser(QWidget* window, FieldEdit* portNumber, QPushButton* shown, PortLister lister);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void startListing();
    void relist();
    void showChoice();
    void fillMenu();

    QWidget* window_;
    FieldEdit* portNumber_;
    QPushButton* shown_;
    QMenu* menu_;
    QActionGroup* choices_ = nullptr;
    PortLister lister_;
    std::vector<NumberedPort> ports_;
    bool painted_ = false;
    bool listed_ = false;
    // Device nodes come and go in /dev; a burst of changes is read once it settles.
    QFileSystemWatcher devices_;
    QTimer settle_;
};

}  // namespace zelvar
