#pragma once

#include <QWidget>

#include "config/device_settings.h"
#include "ui/form_controls.h"

namespace zelvar {

// Every tracker setting in its own control, in the four groups of the main window, and the
// buttons among them. The controls are the settings: this form reads them into a
// DeviceSettings and writes one back. Each control carries the name other windows, Save and
// Load find it by, and a name and description for screen readers.
class SettingsForm : public QWidget {
    Q_OBJECT

  public:
    explicit SettingsForm(QWidget* parent);

    const FormControls& controls() const { return controls_; }
    // The control that shows `field`.
    QWidget* control(Field field) const;

    // The settings as the controls hold them.
    DeviceSettings settings() const;
    // Writes every field as the program does, unfiltered; each field's reactions run as they do
    // for typed changes. Only real changes are written, so unchanged fields keep their caret.
    void applySettings(const DeviceSettings& settings);

  private:
    QWidget* buildMainGroup();
    QWidget* buildTimingGroup();
    QWidget* buildMessageGroup();
    QWidget* buildProgrammingGroup();
    void setKeyboardOrder();

    FormControls controls_;
};

}  // namespace zelvar
