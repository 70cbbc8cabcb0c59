#include <QCoreApplication>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "checked_stdout.h"
#include "command.h"
#include "command_line.h"
#include "common/ascii.h"
#include "interrupt_signal.h"
#include "l10n/user_language.h"
#include "text/language_choice.h"

int main(int argc, char** argv) {
    using namespace zelvar::cli;
    // The serial port's notifiers need an application object. Only the program's name is given
    // to it, so that no argument is taken as one of Qt's.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const QCoreApplication application(qtArgc, qtArgv);
    // Ctrl+C ends the program as usual until a command waits on a device.
    std::optional<InterruptSignal> interrupt;
    CheckedStdout stdoutBuffer(&InterruptSignal::received);
    std::ostream out(&stdoutBuffer);
    const CommandLineIo io{out, std::cerr, [&interrupt] {
                               if (!interrupt)
                                   interrupt.emplace();
                               return interrupt->descriptor();
                           }};
    const std::vector<std::string> args(argv + 1, argv + argc);
    // --json's keys and values are the same in every language: what a program reads.
    if (std::ranges::find(args, "--json") == args.end()) {
        const std::optional<std::string> asked = zelvar::askedLanguage(args);
        // No catalogue, no translation of this either: the program's own words say so.
        if (!zelvar::installUserLanguage(asked) && asked && !asked->starts_with("en"))
            std::cerr << "zelvar-cli: no catalogue for the language \""
                      << zelvar::escapedControls(*asked) << "\": the program's own texts follow\n";
    }
    const int status = runCommandLine(args, io);
    if (zelvar::Result<> written = stdoutBuffer.finish(); !written) {
        std::cerr << "zelvar-cli: " << written.error().reason << "\n";
        // A command that a signal ended says so by its code, whatever it could not write.
        return status >= kExitSignalled ? status : kExitInputError;
    }
    return status;
}
