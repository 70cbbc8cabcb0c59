#pragma once

#include <span>
#include <string_view>

namespace zelvar::cli {

// Exit codes shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBuildFailed = 1;
inline constexpr int kExitInputError = 2;  // unreadable file, bad arguments
inline constexpr int kExitSerialFailure = 3;

// One subcommand of zelvar-cli. Each lives in its own file and registers itself at start-up.
struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(std::span<const std::string_view> args);
};

bool registerCommand(const Command& command);

}  // namespace zelvar::cli
