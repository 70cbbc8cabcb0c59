#include "help_formatter.h"
#include "text/translation.h"

#include <CLI/App.hpp>
#include <algorithm>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvar::cli {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

std::string fullName(const CLI::App& command) {
    std::string name = command.get_name();
    for (const CLI::App* parent = command.get_parent(); parent; parent = parent->get_parent())
        name.insert(0, parent->get_name() + " ");
    return name;
}

bool isHelpOption(const CLI::App& command, const CLI::Option* option) {
    return option == command.get_help_ptr() || option == command.get_help_all_ptr() ||
           option == command.get_version_ptr();
}

std::string optionName(const CLI::Option& option) {
    if (option.get_positional())
        return option.get_name();
    std::string name;
    for (const std::string& shortName : option.get_snames())
        name += (name.empty() ? "-" : ", -") + shortName;
    for (const std::string& longName : option.get_lnames())
        name += (name.empty() ? "--" : ", --") + longName;
    if (const std::string value = option.get_type_name(); !value.empty())
        name += " " + value;
    return name;
}

// Every line after the first starts at `indent`.
std::string indented(const std::string& text, std::size_t indent) {
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '\n')
            result.append(indent, ' ');
    }
    return result;
}

void printRows(std::ostream& out, const Rows& rows, std::size_t indent) {
    std::size_t width = 0;
    for (const auto& [name, text] : rows)
        width = std::max(width, name.size());
    const std::size_t column = indent + width + 2;
    for (const auto& [name, text] : rows) {
        std::string start(indent, ' ');
        start += name;
        start.resize(column, ' ');
        out << start << indented(text, column) << "\n";
    }
}

// The options a user types, in the order they were declared; positionals without a text of
// their own are explained by the command's text.
Rows optionRows(const CLI::App& command, bool withHelp) {
    Rows rows;
    for (const CLI::Option* option : command.get_options()) {
        if (!withHelp && isHelpOption(command, option))
            continue;
        // An old word kept working for those who learnt it has no group and is not shown.
        if (option->get_group().empty() ||
            (option->get_positional() && option->get_description().empty()))
            continue;
        rows.emplace_back(optionName(*option), option->get_description());
    }
    return rows;
}

// The command and its arguments on one line; when naming every option would make it too long
// for a terminal, the optional ones are left to the table as "[OPTIONS]".
std::string synopsis(const CLI::App& command) {
    constexpr std::size_t kMaxWidth = 80 - std::string_view("Usage: ").size();
    std::string required = fullName(command);
    std::string all = required;
    bool optional = false;
    for (const CLI::Option* option : command.get_options()) {
        // An old word kept working, which the table does not show, stays out of the synopsis too.
        if (isHelpOption(command, option) || option->get_group().empty())
            continue;
        const std::string name = optionName(*option);
        if (option->get_required()) {
            required += " " + name;
            all += " " + name;
        } else {
            optional = true;
            all += " [" + name + "]";
        }
    }
    if (all.size() <= kMaxWidth)
        return all;
    return optional ? required + " [OPTIONS]" : required;
}

// A command's help as a subsection of the program's: its synopsis as the heading, then its text
// and options indented below it.
void printCommandSection(std::ostream& out, const CLI::App& command) {
    out << "\n" << synopsis(command) << ":\n  " << indented(command.get_footer(), 2) << "\n";
    Rows rows = optionRows(command, false);
    if (!rows.empty()) {
        out << "\n";
        printRows(out, rows, 2);
    }
}

}  // namespace

std::string HelpFormatter::usage(const CLI::App& command) {
    if (command.get_parent() != nullptr)
        return withArguments(translated("cli help", "Usage: %1"), {synopsis(command)}) + "\n";
    const std::string& name = command.get_name();
    return withArguments(translated("cli help",
                                    "Usage: %1 COMMAND [ARGUMENTS]\n"
                                    "  or:  %1 COMMAND --help\n"
                                    "  or:  %1 --version"),
                         {name}) +
           "\n";
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string,
                                     CLI::AppFormatMode mode) const {
    std::ostringstream out;
    out << usage(*app) << "\n";
    if (app->get_parent() != nullptr) {
        out << app->get_footer() << "\n\n" << translated("cli help", "Options:") << "\n";
        printRows(out, optionRows(*app, true), 2);
        return out.str();
    }
    out << app->get_description() << "\n\n" << translated("cli help", "Commands:") << "\n";
    Rows commands;
    for (const CLI::App* command : app->get_subcommands([](const CLI::App*) { return true; }))
        commands.emplace_back(command->get_name(), command->get_description());
    printRows(out, commands, 2);
    if (mode == CLI::AppFormatMode::All) {
        for (const CLI::App* command : app->get_subcommands([](const CLI::App*) { return true; }))
            printCommandSection(out, *command);
    }
    out << "\n" << app->get_footer() << "\n\n" << translated("cli help", "Options:") << "\n";
    printRows(out, optionRows(*app, true), 2);
    return out.str();
}

}  // namespace zelvar::cli
