#include <CLI/App.hpp>
#include <algorithm>
#include <memory>
#include <ostream>

#include "advice_text.h"
#include "command.h"
#include "common/ascii.h"
#include "config/aprs_symbols.h"

namespace zelvar::cli {
namespace {

// "/>" and "\>": the table character the tracker sends, then the symbol code.
std::string key(const AprsSymbol& symbol) {
    return std::string(symbol.table == SymbolTable::Primary ? "/" : "\\") + symbol.code;
}

int runSymbols(const CommandLineIo& io, const std::string& search) {
    const std::vector<AprsSymbol> found = searchSymbols(search);
    if (found.empty()) {
        io.err << "zelvar-cli: no symbol is named \"" << escapedControls(search) << "\"\n";
        return kExitNoMatch;
    }
    io.out << "Symbol  Table      Name\n";
    for (const AprsSymbol& symbol : found) {
        std::string table(symbolTableName(symbol.table));
        table.resize(table.find(' '));
        table.resize(11, ' ');
        io.out << key(symbol) << "      " << table << symbol.name
               << (symbol.overlay ? " (takes an overlay)" : "") << "\n";
    }
    if (std::any_of(found.begin(), found.end(), [](const AprsSymbol& s) { return s.overlay; }))
        io.out << "\n" << wrapped(overlayRule(), 0);
    return kExitOk;
}

}  // namespace

Action declareSymbols(CLI::App& command) {
    auto search = std::make_shared<std::string>();
    command.footer(
        "Lists the APRS symbols whose name has words beginning with every word of SEARCH\n"
        "(\"car\", \"digi\", \"fire truck\"), or all 188 without one. One character finds that\n"
        "symbol code in both tables, \"/>\" or \"\\>\" one symbol of one table. The first column\n"
        "is the table character and the code: for \"\\O\" type O in ICON Symbol and tick\n"
        "Alternate Table. Exit 0 something listed, 1 nothing matches.");
    command.add_option("SEARCH", *search, "words of the name, or a symbol code");
    return [search](const CommandLineIo& io) { return runSymbols(io, *search); };
}

}  // namespace zelvar::cli
