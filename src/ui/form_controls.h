#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zelvar {

class FieldEdit;

// The main window's controls by the part they play. The settings form makes and owns them;
// the window's other parts use them through this list, other windows find them by name.
struct FormControls {
    // "Main APRS / Mic-E Settings"
    FieldEdit* txDelay = nullptr;  // edNumFlagsAuto
    QLabel* micELabel = nullptr;   // Label12
    QComboBox* micEMessage = nullptr;
    FieldEdit* symbol = nullptr;
    QCheckBox* alternateTable = nullptr;
    QPushButton* openCalculator = nullptr;  // cmdLatLon
    FieldEdit* myCall = nullptr;
    QLabel* commentEveryLabel = nullptr;  // Label30
    FieldEdit* commentEvery = nullptr;    // edBcnEvery
    QLabel* commentEveryUnit = nullptr;   // Label32
    FieldEdit* path = nullptr;
    QLabel* beaconLabel = nullptr;  // Label6: "COMMENT" or "BEACON"
    FieldEdit* beacon = nullptr;
    QLabel* beaconCounter = nullptr;             // Label34
    QCheckBox* hideReceivedPositions = nullptr;  // chkRxPosition

    // "Timing  Settings"
    FieldEdit* fixedInterval = nullptr;  // edManualTime
    std::array<FieldEdit*, 7> speedIntervals{};
    FieldEdit* acquisitionInterval = nullptr;  // edGpsCheckTime
    FieldEdit* acquisitionTimeout = nullptr;   // edGpsAcqTime
    QLabel* gpslessNote = nullptr;             // Label33
    QCheckBox* modem300 = nullptr;             // chk300Baud

    // "Message Settings"
    FieldEdit* messageTo = nullptr;  // edDestCall
    FieldEdit* message = nullptr;
    QLabel* messageCounter = nullptr;  // Label13
    FieldEdit* messageRetries = nullptr;
    QCheckBox* autoAnswerOn = nullptr;  // chkAutoReply
    FieldEdit* autoAnswer = nullptr;
    QLabel* autoAnswerCounter = nullptr;  // Label38

    // "Configuration / Programming"
    QPushButton* defaults = nullptr;
    QPushButton* save = nullptr;
    QPushButton* load = nullptr;
    QPushButton* preview = nullptr;   // cmdPreview: what SEND would write (Ctrl+P)
    FieldEdit* portNumber = nullptr;  // edComm
    QPushButton* send = nullptr;
    QPushButton* help = nullptr;
    QComboBox* baudRate = nullptr;
    QPushButton* portDevice = nullptr;  // cmdPortDevice
};

}  // namespace zelvar
