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
    const FileStatus saved = saveConfigFile(toFilesystemPath(path), settings(), calculator_);
    if (!saved)
        showMessageBox(this, QStringLiteral("Zelwar"), QString::fromStdString(saved.message));
}

void SetupWindow::loadFromFile() {
    const QString path = askConfigFilePath(this, ConfigFileAction::Load);
    if (path.isEmpty())
        return;
    // What the file applied before a failure stays applied.
    DeviceSettings loaded = settings();
    const LoadResult result = loadConfigFile(toFilesystemPath(path), loaded, calculator_);
    applySettings(loaded);
    if (!result)
        showMessageBox(this, QStringLiteral("Zelvar"), QString::fromStdString(result.message));
}

}  // namespace zelvar
