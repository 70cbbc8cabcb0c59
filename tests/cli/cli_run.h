#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"

namespace zelvar::testing {

// One run of zelvar-cli in this process: the exit code and what it wrote on each stream.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
    bool says(const std::string& text) const { return (out + err).find(text) != std::string::npos; }
};

inline CliRun runCli(const std::vector<std::string>& args,
                     std::function<int()> interruptDescriptor = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::runCommandLine(args, {out, err, std::move(interruptDescriptor)});
    return {code, out.str(), err.str()};
}

// Runs that end with `code` and say `said` on stdout or stderr, and `notSaid` on neither.
struct ExpectedRun {
    std::vector<std::string> args;
    int code;
    std::string said;
    std::string notSaid = {};
};
inline void expectRuns(const std::vector<ExpectedRun>& rows) {
    for (const ExpectedRun& row : rows) {
        const CliRun run = runCli(row.args);
        EXPECT_EQ(run.code, row.code) << row.said;
        EXPECT_TRUE(run.says(row.said)) << row.said << " not in:\n" << run.out << run.err;
        EXPECT_FALSE(!row.notSaid.empty() && run.says(row.notSaid)) << run.out << run.err;
    }
}

}  // namespace zelvar::testing
