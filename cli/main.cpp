#include "command_line.h"

int main(int argc, char** argv) {
    return zelvar::cli::runCommandLine(argc, argv);
}
