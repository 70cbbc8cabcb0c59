#include "ui/file_actions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <utility>

#include "common/ascii.h"
#include "files/cfg_file.h"
#include "ui/calculator_window.h"
#include "ui/core_text.h"
#include "ui/message_box.h"
#include "ui/settings_form.h"

namespace zelvar {

FileActions::FileActions(QWidget* window, SettingsForm* form,
                         std::function<CalculatorWindow*()> calculator)
    : QObject(window), window_(window), form_(form), calculator_(std::move(calculator)) {}

QString FileActions::ask(ConfigFileAction action) {
    if (folder_.isEmpty())
        folder_ = firstConfigFolder(QCoreApplication::applicationDirPath());
    QString path = askConfigFilePath(window_, action, folder_);
    if (!path.isEmpty())
        folder_ = QFileInfo(path).absolutePath();
    return path;
}

void FileActions::save() {
    const QString path = ask(ConfigFileAction::Save);
    if (path.isEmpty())
        return;
    const Result<> saved =
        saveConfigFile(toFilesystemPath(path), form_->settings(), calculator_()->inputs());
    if (!saved)
        showMessageBox(window_, shown(ShownText::SaveFailedTitle),
                       QString::fromStdString(saved.error().reason));
}

void FileActions::load() {
    const QString path = ask(ConfigFileAction::Load);
    if (!path.isEmpty())
        loadFile(toFilesystemPath(path));
}

void FileActions::loadFile(const std::filesystem::path& path) {
    DeviceSettings loaded = form_->settings();
    CalculatorInputs calculator = calculator_()->inputs();
    const LoadResult result = loadConfigFile(path, loaded, calculator);
    form_->applySettings(loaded);
    if (calculatorApplied(result))
        calculator_()->setInputs(calculator);
    // A dropped file's name may be no UTF-8: its bytes show as codes ("caf\xE9.cfg").
    if (!result)
        showMessageBox(window_, shown(ShownText::MessageTitle),
                       QString::fromStdString(escapedControlLines(result.error().reason)));
}

}  // namespace zelvar
