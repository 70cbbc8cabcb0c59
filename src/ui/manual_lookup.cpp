#include "ui/manual_lookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zelvar {

QStringList manualFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {QDir::currentPath(), programFolder,
            QDir::cleanPath(programFolder + QStringLiteral("/" ZELVAR_DATA_DIR_FROM_PROGRAM))};
}

QString findManual(const QString& fileName, const QStringList& folders) {
    if (fileName.isEmpty()) {
        return {};
    }
    if (QFileInfo(fileName).isAbsolute()) {
        return QFileInfo(fileName).isFile() ? fileName : QString();
    }
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile()) {
            return candidate.filePath();
        }
    }
    return {};
}

}  // namespace zelvar
