#include "arguments.h"

#include <algorithm>
#include <iostream>

#include "command.h"

namespace zelvar::cli {

const std::string* Arguments::option(std::string_view name) const {
    auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
}

Arguments parseArguments(std::span<const std::string_view> args,
                         std::initializer_list<std::string_view> knownFlags,
                         std::initializer_list<std::string_view> knownOptions) {
    Arguments parsed;
    auto known = [](std::initializer_list<std::string_view> list, std::string_view name) {
        return std::ranges::find(list, name) != list.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            parsed.positionals.emplace_back(arg);
        } else if (known(knownFlags, arg)) {
            parsed.flags.emplace(arg);
        } else if (known(knownOptions, arg)) {
            if (i + 1 == args.size()) {
                parsed.error = "option " + std::string(arg) + " needs a value";
                return parsed;
            }
            parsed.options[std::string(arg)] = std::string(args[++i]);
        } else {
            parsed.error = "unknown option " + std::string(arg);
            return parsed;
        }
    }
    return parsed;
}

int usageError(std::string_view message, std::string_view usage) {
    std::cerr << "zelvar-cli: " << message << "\nusage: " << usage << "\n";
    return kExitInputError;
}

}  // namespace zelvar::cli
