#include "command_line.h"

#include <QApplication>
#include <QCommandLineParser>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "files/file_arguments.h"
#include "l10n/user_language.h"
#include "text/language_choice.h"
#include "text/translation.h"
#include "ui/core_text.h"

namespace zelvar {
namespace {

void addOptions(QCommandLineParser& parser) {
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
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        fromUtf8(
            translated("command line", "A .cfg file to load at the start, as Load loads one.")),
        QStringLiteral("[FILE]"));
}

}  // namespace

void needNoDisplayToPrintAndExit(int argc, char* argv[]) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    QCommandLineParser parser;
    addOptions(parser);
    // Qt's own options (-reverse, -stylesheet) are not ours yet: read as whole words, none of
    // them passes for -v or -h, and the parse goes on past them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.parse(arguments);
    for (const char* option : {"help", "help-all", "version"}) {
        if (parser.isSet(QString::fromLatin1(option))) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return;
        }
    }
}

std::optional<std::filesystem::path> readCommandLine(const QApplication& application, int argc,
                                                     char* argv[]) {
    // The arguments' own bytes: from Qt's, "--lang $'\xFF'" was said back as U+FFFD, not \xFF
    // as zelvar-cli says it.
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    installAskedLanguage(askedLanguage(arguments), "zelvar-config", std::cerr);

    QCommandLineParser parser;
    addOptions(parser);
    parser.process(application);
    return fileArgument(arguments);
}

}  // namespace zelvar
