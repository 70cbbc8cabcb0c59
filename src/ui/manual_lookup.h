#pragma once

#include <QString>
#include <QStringList>

namespace zelvar {

// Where the manual is looked for, in order: the current folder (a Save or Load may have
// changed it), the program's own folder, the folder the manual is installed to. That last one
// is found from the program's folder (../share/zelvar-config), so an installed tree works
// under any prefix.
QStringList manualFolders();

// The first regular file called `fileName` in `folders`, or an empty text when there is none.
// An absolute `fileName` is only looked for where it points.
QString findManual(const QString& fileName, const QStringList& folders);

}  // namespace zelvar
