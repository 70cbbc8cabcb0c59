#pragma once

#include <QObject>

#include "ui/form_controls.h"

class QComboBox;
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
    void showDisplayForAcquisitionTimeout();
    void markModemSpeed();
    void forgetChoiceForTypedMessage(QComboBox* list, const QString& typed);

    const FormControls controls_;
};

}  // namespace zelvar
