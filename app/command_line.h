#pragma once

#include <filesystem>
#include <optional>

class QApplication;

namespace zelvar {

// --help, --help-all and --version only print and exit, so they need no display: where one of
// them is asked, Qt starts on its offscreen platform, and a terminal without a display (over ssh)
// gets the answer instead of Qt's abort. Called before the application is made.
void needNoDisplayToPrintAndExit(int argc, char* argv[]);

// The one option of the window's program besides --help and --version: the language of its
// texts, which otherwise follows the environment. Answers --help and --version and exits; gives
// the file to load at the start, if the command line names one (the first; a file manager's
// "Open with" names one). `argc` and `argv` are as the application left them, without Qt's own
// options.
std::optional<std::filesystem::path> readCommandLine(const QApplication& application, int argc,
                                                     char* argv[]);

}  // namespace zelvar
