#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>

#include "ui/config_file_dialog.h"

class QWidget;

namespace zelvar {

class CalculatorWindow;
class SettingsForm;

// Save and Load of the main window: the settings and the calculator's inputs to and from a
// .cfg file the user chooses. Each dialog starts in the folder of the file chosen last, the
// first one where firstConfigFolder() says.
class FileActions : public QObject {
    Q_OBJECT

  public:
    // `calculator` gives the calculator window, made when first asked for.
    FileActions(QWidget* window, SettingsForm* form, std::function<CalculatorWindow*()> calculator);

    void save();
    // What the file applied before a failure stays applied.
    void load();
    // Load of a file the user named otherwise (dropped on the window, or on the command line).
    void loadFile(const std::filesystem::path& path);

  private:
    QString ask(ConfigFileAction action);

    QWidget* window_;
    SettingsForm* form_;
    std::function<CalculatorWindow*()> calculator_;
    QString folder_;
};

}  // namespace zelvar
