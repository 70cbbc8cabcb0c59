#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "config/device_settings.h"
#include "transfer/qt_serial_port_qt.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zelvar {

class CalculatorWindow;
class Dialog;
class FieldEdit;

// The main settings window: every tracker setting in its own control, and the buttons that send,
// reset, save and load them. The controls are the settings; other windows find them by name.
class SetupWindow : public QWidget {
    Q_OBJECT

  public:
    // Port numbers resolve as the system lists its serial ports unless `resolver` is given.
    explicit SetupWindow(QWidget* parent = nullptr, PortResolver resolver = {});

    // The settings as the controls hold them.
    DeviceSettings settings() const;
    // Writes every field; each field's reactions run as they do for typed changes.
    void applySettings(const DeviceSettings& settings);

    // The calculator's inputs that Save writes and Load restores.
    CalculatorInputs calculatorInputs() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Refused while a send holds the serial port open.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QWidget* buildMainGroup();
    QWidget* buildTimingGroup();
    QWidget* buildMessageGroup();
    QWidget* buildProgrammingGroup();
    void setKeyboardOrder();
    void connectReactions();
    void watchKeysOfAllControls();

    bool gpslessDisplay() const;
    void showDisplayForAcquisitionTimeout();
    void markModemSpeed();

    void applyDefaultSettings();
    void saveToFile();
    void loadFromFile();
    void sendToTracker();
    void createCalculator();
    // Writes the calculator's fields and brings its display in line with them.
    void applyCalculatorInputs(const CalculatorInputs& inputs);
    // "Help (F1)" and F1 anywhere in the window.
    void showInstructions();
    void closeInstructions();
    // Beside "Comm num:", the device SEND will write to.
    void showPortDevice();

    FieldEdit* edNumFlagsAuto_ = nullptr;
    QLabel* label12_ = nullptr;
    QComboBox* cbMicEMsg_ = nullptr;
    FieldEdit* edSymbol_ = nullptr;
    QCheckBox* chkTable_ = nullptr;
    QPushButton* cmdLatLon_ = nullptr;
    FieldEdit* edMyCall_ = nullptr;
    QLabel* label30_ = nullptr;
    FieldEdit* edBcnEvery_ = nullptr;
    QLabel* label32_ = nullptr;
    FieldEdit* edAprsPath_ = nullptr;
    QLabel* label6_ = nullptr;
    FieldEdit* edBeacon_ = nullptr;
    QLabel* label34_ = nullptr;
    QCheckBox* chkRxPosition_ = nullptr;

    FieldEdit* edManualTime_ = nullptr;
    FieldEdit* edGpsCheckTime_ = nullptr;
    FieldEdit* edGpsAcqTime_ = nullptr;
    QLabel* label33_ = nullptr;
    std::array<FieldEdit*, 7> esSpeedTable_{};
    QCheckBox* chk300Baud_ = nullptr;

    FieldEdit* edDestCall_ = nullptr;
    FieldEdit* edAprsMsg_ = nullptr;
    QLabel* label13_ = nullptr;
    FieldEdit* edMsgRepeat_ = nullptr;
    QCheckBox* chkAutoReply_ = nullptr;
    FieldEdit* edAutoReplyMsg_ = nullptr;
    QLabel* label38_ = nullptr;

    QPushButton* cmdDefault_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdLoad_ = nullptr;
    FieldEdit* edComm_ = nullptr;
    QPushButton* cmdSend_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QComboBox* cboBaud_ = nullptr;
    QLabel* lblPortDevice_ = nullptr;

    CalculatorWindow* calculator_ = nullptr;
    PortResolver resolver_;
    QtSerialPort port_;
    QPointer<Dialog> dialog_;
    // Listing the system's ports waits until the window is on screen.
    bool painted_ = false;
};

}  // namespace zelvar
