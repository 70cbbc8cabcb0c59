#include <algorithm>
#include <iomanip>
#include <iostream>
#include <string_view>
#include <vector>

#include "command.h"

namespace zelvar::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

void printOverview(std::ostream& out) {
    out << "usage: zelvar-cli <command> [arguments]\n"
           "       zelvar-cli <command> --help\n"
           "       zelvar-cli --version\n\ncommands:\n";
    std::vector<Command> commands = registry();
    std::ranges::sort(commands, {}, &Command::name);
    for (const Command& command : commands) {
        out << "  " << std::left << std::setw(12) << command.name << command.summary << "\n";
    }
}

}  // namespace

bool registerCommand(const Command& command) {
    registry().push_back(command);
    return true;
}

}  // namespace zelvar::cli

int main(int argc, char** argv) {
    using namespace zelvar::cli;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        printOverview(std::cerr);
        return kExitInputError;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        printOverview(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "zelvar-cli " << ZELVAR_VERSION << "\n";
        return kExitOk;
    }
    for (const Command& command : registry()) {
        if (command.name == args[0])
            return command.run(std::span(args).subspan(1));
    }
    std::cerr << "zelvar-cli: unknown command '" << args[0] << "'\n";
    printOverview(std::cerr);
    return kExitInputError;
}
