// Save and Load of the main window.
#include "files/cfg_reader.h"
#include "files/cfg_writer.h"
#include "ui/config_file_dialog.h"
#include "ui/message_box.h"
#include "ui/setup_window.h"

namespace zelvar {

void SetupWindow::saveToFile() {
    const QString path = askConfigFilePath(this, ConfigFileAction::Save);
    if (path.isEmpty())
        return;
    const FileStatus saved = saveConfigFile(toFilesystemPath(path), settings(), calculatorInputs());
    if (!saved)
        showMessageBox(this, QStringLiteral("Zelwar"), QString::fromStdString(saved.message));
}

void SetupWindow::loadFromFile() {
    const QString path = askConfigFilePath(this, ConfigFileAction::Load);
    if (path.isEmpty())
        return;
    // What the file applied before a failure stays applied.
    DeviceSettings loaded = settings();
    CalculatorInputs calculator = calculatorInputs();
    const LoadResult result = loadConfigFile(toFilesystemPath(path), loaded, calculator);
    applySettings(loaded);
    if (result.calculatorApplied)
        applyCalculatorInputs(calculator);
    if (!result)
        showMessageBox(this, QStringLiteral("Zelvar"), QString::fromStdString(result.message));
}

}  // namespace zelvar
