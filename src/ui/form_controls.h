#pragma once

#include <array>
#include <vector>

#include "config/fields.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace zelvar {

class FieldEdit;

// The main window's controls. The settings form makes and owns them from the field table; the
// window's other parts use them through this list, other windows find them by name.
struct FormControls {
    std::array<QWidget*, kFieldCount> fields{};   // each field's control
    std::array<QLabel*, kFieldCount> labels{};    // the label beside or above it, if it has one
    std::array<QLabel*, kFieldCount> counters{};  // a text field's remaining characters
    std::vector<QWidget*> gpsOnly;                // hidden in the GPSless display
    std::vector<QWidget*> gpslessOnly;            // shown in it only
    QLabel* gpslessNote = nullptr;                // Label33, below the acquisition timeout
    std::array<QPushButton*, kFormActionCount> actions{};
    QPushButton* symbols = nullptr;     // cmdSymbols: the symbol picker
    QPushButton* preview = nullptr;     // cmdPreview: what SEND would write (Ctrl+P)
    QPushButton* portDevice = nullptr;  // cmdPortDevice: the device SEND writes to

    FieldEdit* edit(Field field) const;
    QCheckBox* box(Field field) const;
    QComboBox* list(Field field) const;
    QLabel* label(Field field) const { return labels[static_cast<std::size_t>(field)]; }
    QPushButton* action(FormAction action) const {
        return actions[static_cast<std::size_t>(action)];
    }
};

}  // namespace zelvar
