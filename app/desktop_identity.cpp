#include "desktop_identity.h"

#include <QApplication>
#include <QIcon>

namespace zelvar {

void applyDesktopIdentity() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/" ZELVAR_APP_ID ".png").arg(size),
                     QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral(ZELVAR_APP_ID));
}

}  // namespace zelvar
