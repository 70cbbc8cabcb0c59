#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QCommandLineParser>
#include <thread>

#include "after_first_paint.h"
#include "desktop_identity.h"
#include "first_paint_exit.h"
#include "l10n/user_language.h"
#include "text/language_choice.h"
#include "text/translation.h"
#include "ui/core_text.h"
#include "ui/setup_window.h"
#include "ui/termination_requests.h"

namespace {

// The one option of the window's program, besides --help and --version: the language of its
// texts, which otherwise follows the environment.
void readCommandLine(const QApplication& application) {
    std::vector<std::string> arguments;
    for (const QString& argument : application.arguments().mid(1))
        arguments.push_back(argument.toStdString());
    zelvar::installUserLanguage(zelvar::askedLanguage(arguments));

    using zelvar::fromUtf8;
    using zelvar::translated;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        fromUtf8(translated("command line", "Configures the Zelvar APRS tracker.")));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("lang"),
                      fromUtf8(translated("command line",
                                          "Shows the texts in LANGUAGE (de, es, fr, it, ja, "
                                          "pt_BR; en: the program's own) instead of the "
                                          "system's language.")),
                      QStringLiteral("LANGUAGE")});
    parser.process(application);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Reading the font configuration is most of the window's first use of type, several
    // milliseconds before anything shows; on a second core it is done while Qt connects to the
    // display, which needs no fonts.
    std::jthread fontConfiguration(FcInit);
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ZELVAR_VERSION));
    fontConfiguration.join();
    readCommandLine(application);
    zelvar::applyDesktopIdentity();
    zelvar::SetupWindow setup;
    // Ended by the system, the program exits as a signal's death is reported: 128 + its number.
    zelvar::TerminationRequests requests;
    QObject::connect(&requests, &zelvar::TerminationRequests::received, &setup,
                     [&setup](int signal) { setup.endProgram(128 + signal); });
    zelvar::exitAfterFirstPaintWhenAsked(setup);
    zelvar::afterFirstPaint(setup, zelvar::applyWindowIcon);
    setup.show();
    return application.exec();
}
