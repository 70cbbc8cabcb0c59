// The yardstick for the main window's start-up: an empty Qt window of the same fixed size,
// quitting after its first paint the same way.
#include <QApplication>
#include <QWidget>

#include "first_paint_exit.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(289, 504);
    zelvar::exitAfterFirstPaintWhenAsked(window);
    window.show();
    return application.exec();
}
