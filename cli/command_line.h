#pragma once

namespace zelvar::cli {

// Parses the command line, runs the command it names and returns the exit code.
int runCommandLine(int argc, char** argv);

}  // namespace zelvar::cli
