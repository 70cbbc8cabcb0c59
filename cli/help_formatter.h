#pragma once

#include <functional>  // FormatterFwd.hpp uses std::function without including it

#include <CLI/FormatterFwd.hpp>
#include <string>

namespace zelvar::cli {

// Help in the layout help2man turns into a manual page: the usage lines first, then the text,
// then tables of two columns. The program's help lists the commands; with --help-all it adds
// each command's help as a subsection of its own, and the manual page is made from that.
class HelpFormatter final : public CLI::FormatterBase {
  public:
    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override;

    // "Usage: zelvar-cli image FILE.cfg [--wire] [--raw]" and, for the program, the other forms.
    static std::string usage(const CLI::App& command);
};

}  // namespace zelvar::cli
