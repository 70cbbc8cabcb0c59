#include <QApplication>

#include "after_first_paint.h"
#include "desktop_identity.h"
#include "first_paint_exit.h"
#include "ui/setup_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zelvar::applyDesktopIdentity();
    zelvar::SetupWindow setup;
    zelvar::exitAfterFirstPaintWhenAsked(setup);
    zelvar::afterFirstPaint(setup, zelvar::applyWindowIcon);
    setup.show();
    return application.exec();
}
