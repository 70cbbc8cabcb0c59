#include <QApplication>

#include "ui/setup_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zelvar::SetupWindow setup;
    setup.show();
    return application.exec();
}
