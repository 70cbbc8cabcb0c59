#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <thread>

#include "after_first_paint.h"
#include "command_line.h"
#include "desktop_identity.h"
#include "files/standard_descriptors.h"
#include "first_paint_exit.h"
#include "ui/setup_window.h"
#include "ui/termination_requests.h"

int main(int argc, char* argv[]) {
    zelvar::holdClosedStandardDescriptors();
    // Reading the font configuration is most of the window's first use of type, several
    // milliseconds before anything shows; on a second core it is done while Qt connects to the
    // display, which needs no fonts.
    std::jthread fontConfiguration(FcInit);
    zelvar::needNoDisplayToPrintAndExit(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ZELVAR_VERSION));
    fontConfiguration.join();
    const auto startFile = zelvar::readCommandLine(application, argc, argv);
    zelvar::applyDesktopIdentity();
    zelvar::SetupWindow setup;
    // Ended by the system, the program exits as a signal's death is reported: 128 + its number.
    zelvar::TerminationRequests requests;
    QObject::connect(&requests, &zelvar::TerminationRequests::received, &setup,
                     [&setup](int signal) { setup.endProgram(128 + signal); });
    zelvar::exitAfterFirstPaintWhenAsked(setup);
    zelvar::afterFirstPaint(setup, zelvar::applyWindowIcon);
    // Once the window is on the screen, so that a message about the file shows over it.
    if (startFile)
        zelvar::afterFirstPaint(setup, [&setup, file = *startFile] { setup.load(file); });
    setup.show();
    return application.exec();
}
