#include <QCoreApplication>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "checked_stdout.h"
#include "command.h"
#include "command_line.h"
#include "files/standard_descriptors.h"
#include "interrupt_signal.h"
#include "l10n/user_language.h"
#include "text/language_choice.h"

namespace {

// --json's keys and values are the same in every language: what a program reads. A flag may be
// given a value (--json=1), which asks for JSON all the same.
bool asksForJson(const std::vector<std::string>& args) {
    return std::ranges::any_of(args, [](const std::string& argument) {
        return argument == "--json" || argument.starts_with("--json=");
    });
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zelvar::cli;
    zelvar::holdClosedStandardDescriptors();
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
    if (!asksForJson(args)) {
        zelvar::installAskedLanguage(zelvar::askedLanguage(args), "zelvar-cli", std::cerr);
    }
    const int status = runCommandLine(args, io);
    if (zelvar::Result<> written = stdoutBuffer.finish(); !written) {
        std::cerr << "zelvar-cli: " << written.error().reason << "\n";
        // A command that a signal ended says so by its code, whatever it could not write.
        return status >= kExitSignalled ? status : kExitInputError;
    }
    return status;
}
