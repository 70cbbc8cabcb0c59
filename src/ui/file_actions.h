#pragma once

#include <QObject>

class QWidget;

namespace zelvar {

class CalculatorWindow;
class SettingsForm;

// Save and Load of the main window: the settings and the calculator's inputs to and from a
// .cfg file the user chooses.
class FileActions : public QObject {
    Q_OBJECT

  public:
    FileActions(QWidget* window, SettingsForm* form, CalculatorWindow* calculator);

    void save();
    // What the file applied before a failure stays applied.
    void load();

  private:
    QWidget* window_;
    SettingsForm* form_;
    CalculatorWindow* calculator_;
};

}  // namespace zelvar
