#pragma once

#include <QWidget>

#include "config/device_settings.h"
#include "ui/form_controls.h"

class QBoxLayout;
class QGridLayout;
class QHBoxLayout;

namespace zelvar {

// Every tracker setting in its own control, in the groups of the main window, and the buttons
// among them, all as the field table places and names them. The controls are the settings: this
// form reads them into a DeviceSettings and writes one back. Each control carries the name other
// windows, Save and Load find it by, and a name and description for screen readers.
class SettingsForm : public QWidget {
    Q_OBJECT

  public:
    explicit SettingsForm(QWidget* parent);

    const FormControls& controls() const { return controls_; }
    // The control that shows `field`.
    QWidget* control(Field field) const;
    // Where the focus is when the window starts.
    QWidget* firstInKeyboardOrder() const { return first_; }

    // The settings as the controls hold them.
    DeviceSettings settings() const;
    // Writes every field as the program does, unfiltered; each field's reactions run as they do
    // for typed changes. Only real changes are written, so unchanged fields keep their caret.
    void applySettings(const DeviceSettings& settings);

  private:
    struct Line;

    QWidget* buildGroup(const FormGroupInfo& group, QWidget* parent);
    void buildLines(FormGroup group, QWidget* box, QBoxLayout* rows);
    void buildLabelledLines(FormGroup group, QWidget* box, QGridLayout* grid);
    void buildTable(FormGroup group, QWidget* box, QGridLayout* grid);
    QHBoxLayout* lineLayout(const Line& line, QWidget* box, bool labelsApart, bool packLeft);
    QWidget* makeControl(const FieldRow& row, QWidget* box);
    QLabel* makeFieldLabel(const FieldRow& row, QWidget* box);
    QPushButton* makeAction(const FormActionInfo& action, QWidget* box);
    void addWindowsOwnButtons(FormGroup group, int line, QWidget* box, QHBoxLayout* layout);
    void setKeyboardOrder();

    FormControls controls_;
    QWidget* first_ = nullptr;
    // The counters still to place at the end of the next line.
    std::vector<QLabel*> countersBelow_;
};

}  // namespace zelvar
