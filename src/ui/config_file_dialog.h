#pragma once

#include <QString>
#include <filesystem>

class QWidget;

namespace zelvar {

enum class ConfigFileAction { Save, Load };

// Asks for a .cfg file, starting in `folder` with "Zelvar.cfg". Save asks before overwriting.
// Returns the full path, or an empty text when the user cancels; a chosen file's folder becomes
// the current folder.
QString askConfigFilePath(QWidget* parent, ConfigFileAction action, const QString& folder);

// Where the first Save or Load of a run starts: the program's folder when the user may write
// there (a build tree, a portable copy), else the user's documents, as for an installed program
// in a bin folder (/usr/bin, ~/.local/bin), writable or not.
QString firstConfigFolder(const QString& programFolder);

// The chosen path as the file functions take it.
std::filesystem::path toFilesystemPath(const QString& path);

}  // namespace zelvar
