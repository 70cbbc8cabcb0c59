#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar::cli {

// A subcommand's arguments split into flags ("--wire"), options with a value ("-o FILE") and
// positionals. `error` is set for an unknown option or a missing value.
struct Arguments {
    std::set<std::string, std::less<>> flags;
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> positionals;
    std::string error;

    bool has(std::string_view flag) const { return flags.contains(flag); }
    const std::string* option(std::string_view name) const;
};

Arguments parseArguments(std::span<const std::string_view> args,
                         std::initializer_list<std::string_view> knownFlags,
                         std::initializer_list<std::string_view> knownOptions);

// Prints "zelvar-cli: <message>" and the usage line to stderr; returns the input-error code.
int usageError(std::string_view message, std::string_view usage);

}  // namespace zelvar::cli
