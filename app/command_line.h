#pragma once

class QApplication;

namespace zelvar {

// --help, --help-all and --version only print and exit, so they need no display: where one of
// them is asked, Qt starts on its offscreen platform, and a terminal without a display (over ssh)
// gets the answer instead of Qt's abort. Called before the application is made.
void needNoDisplayToPrintAndExit(int argc, char* argv[]);

// The one option of the window's program besides --help and --version: the language of its
// texts, which otherwise follows the environment. Answers --help and --version and exits.
// `argc` and `argv` are as the application left them, without Qt's own options.
void readCommandLine(const QApplication& application, int argc, char* argv[]);

}  // namespace zelvar
