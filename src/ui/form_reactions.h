#pragma once

#include <QObject>

#include "ui/form_controls.h"

class QWidget;

namespace zelvar {

// What the main window does when a field's content changes, whether the user typed it or the
// program wrote it: the remaining-characters counters, the GPS / GPSless display switch, the
// blue 300-baud caption, and the Mic-E list left without a choice by typed text. The green and
// the blue are made just dark or light enough to read well on the palette of the day.
class FormReactions : public QObject {
    Q_OBJECT

  public:
    // Connects the reactions and brings the display in line with the fields at once.
    FormReactions(const FormControls& controls, QObject* parent);

  private:
    // The controls the reactions change after the start.
    struct Reacting {
        FieldEdit* acquisitionTimeout;
        QLabel* beaconLabel;
        FieldEdit* beacon;
        QLabel* gpslessNote;
        // Shown with a GPS only; the calculator's button is shown without one.
        std::array<QWidget*, 5> gpsOnly;
        QPushButton* openCalculator;
        QCheckBox* modem300;
        QComboBox* micEMessage;
    };

    void showDisplayForAcquisitionTimeout();
    void markModemSpeed();
    void forgetChoiceForTypedMessage(const QString& typed);

    const Reacting controls_;
};

}  // namespace zelvar
