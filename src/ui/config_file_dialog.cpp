#include "ui/config_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include "cfg/cfg_layout.h"
#include "text/translation.h"
#include "ui/core_text.h"

namespace zelvar {
namespace {

#ifdef Q_OS_WIN
constexpr QLatin1StringView kAllFilesPattern("*.*");
#else
// "*.*" would hide the names without a dot here.
constexpr QLatin1StringView kAllFilesPattern("*");
#endif

// The pattern stays out of the catalogue: no language changes which files the dialog lists.
QString fileType(std::string_view name, QLatin1StringView pattern) {
    return fromUtf8(name) + QStringLiteral(" (") + pattern + u')';
}

// Qt's own dialog, where the desktop offers none, opens at its natural size, taller than a small
// screen at 150 % (1024x600): the file type and Cancel were below the screen's edge. It takes no
// more than the screen's free area beside the frame its owner has, which is the same kind.
void keepWithinScreen(QDialog& dialog, const QWidget* parent) {
    const QWidget* owner = parent != nullptr ? parent->window() : nullptr;
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QSize frame = owner != nullptr ? owner->frameGeometry().size() - owner->size() : QSize();
    dialog.resize(dialog.size().boundedTo(screen->availableGeometry().size() - frame));
}

}  // namespace

QString askConfigFilePath(QWidget* parent, ConfigFileAction action, const QString& folder) {
    const bool save = action == ConfigFileAction::Save;
    QFileDialog dialog(parent,
                       fromUtf8(save ? translated("file dialog", "Salva File")
                                     : translated("file dialog", "Apertura File")),
                       folder);
    dialog.setObjectName(QStringLiteral("CommonD"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension gets ".cfg", as the page's download does: saved as
    // "tracker", the file was missing from Load's list of .cfg files.
    if (save)
        dialog.setDefaultSuffix(QStringLiteral("cfg"));
    const QString configFiles =
        fileType(translated("file dialog", "File di configurazione"), QLatin1StringView("*.cfg"));
    dialog.setNameFilters(
        {configFiles, fileType(translated("file dialog", "Tutti i files"), kAllFilesPattern)});
    dialog.selectNameFilter(configFiles);
    dialog.selectFile(fromUtf8(kCfgDefaultName));
    keepWithinScreen(dialog, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString chosen = dialog.selectedFiles().front();
    // As the platform's file dialogs do: the manual, for one, is looked for there first.
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return chosen;
}

QString firstConfigFolder(const QString& programFolder) {
    // An installed program's folder is a bin folder it shares with others: /usr/bin, which root
    // may write too, or ~/.local/bin, the user's own. Settings saved there would be lost among
    // programs and left behind by an uninstall.
    const QFileInfo program(programFolder);
    if (program.isDir() && program.isWritable() && program.fileName() != QLatin1StringView("bin"))
        return programFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::filesystem::path toFilesystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

}  // namespace zelvar
