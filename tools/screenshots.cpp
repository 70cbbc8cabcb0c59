// Shows the main window and writes a picture of it, for the README.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include "ui/setup_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: zelvar-screenshots OUTPUT-FOLDER\n";
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "cannot create " << folder.path() << "\n";
        return 1;
    }

    zelvar::SetupWindow setup;
    setup.show();
    int status = 0;
    // Once the window has been laid out and painted.
    QTimer::singleShot(200, &setup, [&] {
        const QString path = folder.filePath(QStringLiteral("main-window.png"));
        if (!setup.grab().save(path)) {
            QTextStream(stderr) << "cannot write " << path << "\n";
            status = 1;
        }
        application.quit();
    });
    application.exec();
    return status;
}
