#include "command_line.h"

#include <poll.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "common/ascii.h"
#include "help_formatter.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

struct CommandEntry {
    const char* name;
    std::string_view summary;
    Action (*declare)(CLI::App& command);
};

constexpr std::array kCommands{
    CommandEntry{"check", marked("cli help", "check a .cfg against the usual APRS practice"),
                 &declareCheck},
    CommandEntry{"decode",
                 marked("cli help", "show what an image or wire capture tells the tracker"),
                 &declareDecode},
    CommandEntry{"defaults", marked("cli help", "print the factory-default .cfg"),
                 &declareDefaults},
    CommandEntry{"diff", marked("cli help", "compare what two .cfg files send to the tracker"),
                 &declareDiff},
    CommandEntry{"doctor",
                 marked("cli help", "say what stops SEND from using a serial port, and the fix"),
                 &declareDoctor},
    CommandEntry{"image", marked("cli help", "build the tracker's image from a .cfg"),
                 &declareImage},
    CommandEntry{"loopback", marked("cli help", "test a serial port whose TX and RX are bridged"),
                 &declareLoopback},
    CommandEntry{"normalize", marked("cli help", "rewrite a .cfg as a build normalises it"),
                 &declareNormalize},
    CommandEntry{"ports", marked("cli help", "list the serial ports as SEND numbers them"),
                 &declarePorts},
    CommandEntry{"position",
                 marked("cli help", "print the APRS position text for the GPSless beacon"),
                 &declarePosition},
    CommandEntry{"receive",
                 marked("cli help", "act as the tracker: receive transfers and check them"),
                 &declareReceive},
    CommandEntry{"send", marked("cli help", "send a .cfg to the tracker over the serial line"),
                 &declareSend},
    CommandEntry{"symbols", marked("cli help", "list the APRS symbols by name"), &declareSymbols},
};

constexpr std::string_view kDescription =
    marked("cli help",
           "Does the work of Zelvar Config without a window: prints the factory defaults, builds,\n"
           "sends and decodes the Zelvar tracker's configuration image, compares and normalises\n"
           ".cfg files and checks them against APRS practice, calculates the position texts of\n"
           "the GPSless beacon, names the APRS symbols, lists the serial ports and says what\n"
           "keeps one from being used; as the tracker's end of a line it checks transfers, and\n"
           "it tests a port whose TX and RX are bridged.");

constexpr std::string_view kExitStatus =
    marked("cli help",
           "Exit status:\n"
           "  0  success\n"
           "  1  the build failed (the field and the reason on stderr); for position, a\n"
           "     coordinate or the altitude is wrong; for diff, the files send different\n"
           "     bytes or one of them does not build; for doctor, a finding stops SEND; for\n"
           "     receive and loopback, a transfer with faults or no echo; for check, a warning\n"
           "     or settings that SEND refuses; for symbols, no symbol matches\n"
           "  2  a file could not be read, loaded or written, the output could not be\n"
           "     written, or the arguments are wrong; for receive and loopback, the device\n"
           "     failed\n"
           "  3  the serial port failed (send); nothing arrived before the timeout (receive)\n"
           "  128+N  ended by signal N (send, receive, loopback): 130 Ctrl+C, 143 SIGTERM");

// What is left over after parsing: anything CLI11 did not take, apart from the "--" that ends
// the options.
std::vector<std::string> leftOver(const CLI::App& app) {
    std::vector<std::string> left;
    for (const std::string& argument : app.remaining())
        if (argument != "--")
            left.push_back(argument);
    return left;
}

// A command hands what follows its own "--" back to the tool, so both lists are its.
std::vector<std::string> leftOver(const CLI::App& app, const std::vector<CLI::App*>& chosen) {
    std::vector<std::string> left = leftOver(app);
    if (!chosen.empty()) {
        std::vector<std::string> extra = leftOver(*chosen.front());
        left.insert(left.begin(), extra.begin(), extra.end());
    }
    return left;
}

// After "--" every argument is a name, whatever it starts with.
bool followsSeparator(std::span<const std::string> words, const std::string& argument) {
    const auto separator = std::ranges::find(words, "--");
    return separator != words.end() &&
           std::find(separator + 1, words.end(), argument) != words.end();
}

int refuseLeftOver(std::ostream& err, const CLI::App& command, const std::string& argument,
                   bool name, std::string_view what) {
    if (!name && argument.starts_with('-'))
        return usageError(err, command,
                          withArguments(translated("cli", "unknown option %1"), {argument}));
    return usageError(err, command, withArguments(what, {argument}));
}

// The name of an option as the user types it, or of an argument as the synopsis shows it; the
// parser gives a hidden option no name.
std::string typedName(const CLI::Option& option) {
    if (option.get_positional())
        return option.get_name(true);
    return option.get_lnames().empty() ? "-" + option.get_snames().front()
                                       : "--" + option.get_lnames().front();
}

// The parser's own words are English only: the errors a user meets are said again in the
// catalogue's, naming the option; anything else keeps the parser's words.
std::string parseFailureText(const CLI::ParseError& error, const CLI::App& command) {
    std::string what = error.what();
    std::vector<const CLI::Option*> options = command.get_options();
    if (const CLI::App* parent = command.get_parent())
        std::ranges::copy(parent->get_options(), std::back_inserter(options));
    for (const CLI::Option* option : options) {
        const std::string said = option->get_name();  // as the parser's words name it
        const std::string name = typedName(*option);
        if (dynamic_cast<const CLI::RequiredError*>(&error) && what == said + " is required")
            return withArguments(translated("cli", "%1 is required"), {name});
        if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) && what.starts_with(said + ": ") &&
            what.ends_with(" missing"))
            return withArguments(translated("cli", "%1 needs a value"), {name});
        if (dynamic_cast<const CLI::ConversionError*>(&error) &&
            what.starts_with("Could not convert: " + said + " = "))
            return withArguments(translated("cli", "%1 takes no value"), {name});
    }
    return what;
}

// The names ("--lat") of the options that take a value, in the tool and in its commands.
std::set<std::string, std::less<>> valueOptions(const CLI::App& app) {
    std::vector<const CLI::App*> apps = app.get_subcommands([](const CLI::App*) { return true; });
    apps.push_back(&app);
    std::set<std::string, std::less<>> names;
    for (const CLI::App* each : apps)
        for (const CLI::Option* option : each->get_options())
            if (option->get_items_expected_max() > 0)
                for (const std::string& name : option->get_lnames())
                    names.insert("--" + name);
    return names;
}

// "--name=" gives the option an empty value, as "--name ''" does; the parser would take the word
// after it for the value, an option too ("--alt= --normal" read --normal as the altitude).
std::vector<std::string> emptyValuesSpelledOut(std::span<const std::string> args,
                                               const CLI::App& app) {
    const std::set<std::string, std::less<>> valued = valueOptions(app);
    std::vector<std::string> words;
    bool names = false;  // after "--"
    for (const std::string& argument : args) {
        names = names || argument == "--";
        const std::string_view name = std::string_view(argument).substr(0, argument.size() - 1);
        if (!names && argument.ends_with('=') && valued.contains(name)) {
            words.emplace_back(name);
            words.emplace_back();
        } else {
            words.push_back(argument);
        }
    }
    return words;
}

}  // namespace

int usageError(std::ostream& err, const CLI::App& command, std::string_view message) {
    err << "zelvar-cli: " << escapedControls(message) << "\n" << HelpFormatter::usage(command);
    return kExitInputError;
}

std::optional<int> signalExit(int wake) {
    pollfd watched{wake, POLLIN, 0};
    unsigned char number = 0;
    if (wake < 0 || ::poll(&watched, 1, 0) <= 0 || ::read(wake, &number, 1) != 1)
        return std::nullopt;
    return kExitSignalled + number;
}

int runCommandLine(std::span<const std::string> args, const CommandLineIo& io) {
    CLI::App app(std::string(translated("cli help", kDescription)), "zelvar-cli");
    app.formatter(std::make_shared<HelpFormatter>());
    app.footer(std::string(translated("cli help", kExitStatus)));
    app.set_help_flag("-h,--help", std::string(translated("cli help", "print this help and exit")));
    app.set_help_all_flag(
        "--help-all",
        std::string(translated("cli help", "print the help of every command and exit")));
    app.set_version_flag("--version", std::string("zelvar-cli ") + ZELVAR_VERSION,
                         std::string(translated("cli help", "print the version and exit")));
    // An option given twice takes its last value.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // Read before the commands are made (main installs the language): taken here so that it is
    // no stray argument, before the command or after it.
    std::string language;
    app.add_option("--lang", language,
                   std::string(translated("cli help",
                                          "show the texts in LANGUAGE (de, es, fr, it, ja,\n"
                                          "pt_BR; en: the program's own) instead of the\n"
                                          "system's language; --json stays the same in\n"
                                          "every language")))
        ->type_name("LANGUAGE");
    app.require_subcommand(0, 1);
    // Arguments that nothing takes are refused after parsing, naming the first of them.
    app.allow_extras();

    std::map<const CLI::App*, Action> actions;
    for (const CommandEntry& entry : kCommands) {
        CLI::App* command =
            app.add_subcommand(entry.name, std::string(translated("cli help", entry.summary)));
        command->set_help_all_flag();
        command->allow_extras();
        command->fallthrough();
        actions[command] = entry.declare(*command);
    }

    try {
        // CLI11 takes the words last first.
        std::vector<std::string> words = emptyValuesSpelledOut(args, app);
        app.parse(std::vector<std::string>(words.rbegin(), words.rend()));
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0)
            return app.exit(error, io.out, io.err);  // --help, --help-all, --version
        std::vector<CLI::App*> chosen = app.get_subcommands();
        const CLI::App& command = chosen.empty() ? app : *chosen.front();
        // "image -x.cfg": the name went to the unknown options, and the file seems missing.
        if (dynamic_cast<const CLI::RequiredError*>(&error)) {
            for (const std::string& argument : leftOver(app, chosen))
                if (argument.starts_with('-') && !followsSeparator(args, argument))
                    return usageError(
                        io.err, command,
                        withArguments(translated("cli", "unknown option %1"), {argument}));
        }
        return usageError(io.err, command, parseFailureText(error, command));
    }

    std::vector<CLI::App*> chosen = app.get_subcommands();
    std::vector<std::string> left = leftOver(app, chosen);
    if (!left.empty()) {
        return refuseLeftOver(io.err, chosen.empty() ? app : *chosen.front(), left.front(),
                              followsSeparator(args, left.front()),
                              chosen.empty() ? translated("cli", "unknown command %1")
                                             : translated("cli", "unexpected argument %1"));
    }
    if (chosen.empty()) {
        io.err << app.help();
        return kExitInputError;
    }
    return actions.at(chosen.front())(io);
}

}  // namespace zelvar::cli
