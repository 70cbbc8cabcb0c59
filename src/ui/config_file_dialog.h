#pragma once

#include <QString>
#include <filesystem>

class QWidget;

namespace zelvar {

enum class ConfigFileAction { Save, Load };

// Asks for a .cfg file, starting in the program's folder with "Zelvar.cfg". Save asks before
// overwriting. Returns the full path, or an empty text when the user cancels; a chosen file's
// folder becomes the current folder.
QString askConfigFilePath(QWidget* parent, ConfigFileAction action);

// The chosen path as the file functions take it.
std::filesystem::path toFilesystemPath(const QString& path);

}  // namespace zelvar
