#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "command_line.h"

namespace CLI {
class App;
}

namespace zelvar::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBuildFailed = 1;
inline constexpr int kExitPortUnusable = 1;  // doctor: a finding stops SEND
inline constexpr int kExitDifferent = 1;     // diff: different bytes, or a build failed
inline constexpr int kExitInputError = 2;    // unreadable file, bad arguments
inline constexpr int kExitSerialFailure = 3;
inline constexpr int kExitFaulty = 1;          // receive, loopback: a transfer with faults
inline constexpr int kExitDeviceError = 2;     // receive, loopback: the device failed
inline constexpr int kExitNothingArrived = 3;  // receive: nothing before the timeout
inline constexpr int kExitSignalled = 128;     // + the signal's number, as shells report it
inline constexpr int kExitInterrupted = 130;   // Ctrl+C
inline constexpr int kExitWarnings = 1;        // check: a warning, or settings that SEND refuses
inline constexpr int kExitNoMatch = 1;         // symbols: no symbol matches the search

// What a command does once its arguments are parsed; returns the exit code.
using Action = std::function<int(const CommandLineIo& io)>;

// Each command declares its arguments and its help on its own subcommand and returns the action
// that reads them. The list of commands is in command_line.cpp.
Action declareCheck(CLI::App& command);
Action declareDecode(CLI::App& command);
Action declareDefaults(CLI::App& command);
Action declareDiff(CLI::App& command);
Action declareDoctor(CLI::App& command);
Action declareImage(CLI::App& command);
Action declareLoopback(CLI::App& command);
Action declareNormalize(CLI::App& command);
Action declarePorts(CLI::App& command);
Action declarePosition(CLI::App& command);
Action declareReceive(CLI::App& command);
Action declareSend(CLI::App& command);
Action declareSymbols(CLI::App& command);

// Prints "zelvar-cli: <message>" and the command's usage line to err; returns kExitInputError.
int usageError(std::ostream& err, const CLI::App& command, std::string_view message);

// The exit code of a command that a signal stopped: kExitSignalled plus the number that `wake`
// (the descriptor from interruptDescriptor) holds; nothing while it holds none.
std::optional<int> signalExit(int wake);

}  // namespace zelvar::cli
