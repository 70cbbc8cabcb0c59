#include "desktop_identity.h"

#include <QApplication>
#include <QIcon>

namespace zelvar {

void applyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral(ZELVAR_APP_ID));
}

void applyWindowIcon() {
    // The sizes title bars and task lists draw. Every size given here is decoded for each window
    // (X11 carries them all in one property), and the two largest cost more time than all the
    // others; launchers take the large ones from the installed icon theme.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/" ZELVAR_APP_ID ".png").arg(size),
                     QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}

}  // namespace zelvar
