#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>

namespace zelvar::cli {

// What a run of the command line uses of its process: where its output and messages go and,
// for the commands that wait on a device, how the user stops them.
struct CommandLineIo {
    std::ostream& out;
    std::ostream& err;
    // Called once a command starts waiting on a device; returns a descriptor that becomes
    // readable when the user asks it to stop (Ctrl+C, a signal), or -1 when nothing can. The byte
    // to read is the signal's number. Empty: -1.
    std::function<int()> interruptDescriptor;
};

// Parses the arguments (the words after the program's name), runs the command they name and
// returns the exit code. Keeps no state between runs. The commands on serial ports need a
// QCoreApplication (or QApplication): main's, or that of the program the tool runs in.
int runCommandLine(std::span<const std::string> args, const CommandLineIo& io);

}  // namespace zelvar::cli
