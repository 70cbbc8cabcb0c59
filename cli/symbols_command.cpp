#include <CLI/App.hpp>
#include <algorithm>
#include <memory>
#include <ostream>

#include "advice_text.h"
#include "command.h"
#include "common/ascii.h"
#include "config/aprs_symbols.h"
#include "terminal_columns.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

// "/>" and "\>": the table character the tracker sends, then the symbol code.
std::string key(const AprsSymbol& symbol) {
    return std::string(symbol.table == SymbolTable::Primary ? "/" : "\\") + symbol.code;
}

int runSymbols(const CommandLineIo& io, const std::string& search) {
    const std::vector<AprsSymbol> found = searchSymbols(search);
    if (found.empty()) {
        io.err << "zelvar-cli: "
               << withArguments(translated("cli", "no symbol is named \"%1\""),
                                {escapedControls(search)})
               << "\n";
        return kExitNoMatch;
    }
    // Each column as wide as its longest word in the user's language, and two blanks.
    const std::string_view symbolHeading = translated("cli", "Symbol");
    const std::string_view tableHeading = translated("cli", "Table");
    const std::string_view tables[] = {translated("cli", "primary"),
                                       translated("cli", "alternate")};
    const auto padded = [](std::string_view text, std::size_t columns) {
        return std::string(text) + std::string(columns + 2 - terminalColumns(text), ' ');
    };
    const std::size_t symbolColumns = std::max<std::size_t>(terminalColumns(symbolHeading), 2);
    const std::size_t tableColumns = std::max(
        {terminalColumns(tableHeading), terminalColumns(tables[0]), terminalColumns(tables[1])});
    io.out << padded(symbolHeading, symbolColumns) << padded(tableHeading, tableColumns)
           << translated("cli", "Name") << "\n";
    for (const AprsSymbol& symbol : found) {
        io.out << padded(key(symbol), symbolColumns)
               << padded(tables[symbol.table == SymbolTable::Primary ? 0 : 1], tableColumns)
               << translated("symbol", symbol.name)
               << (symbol.overlay ? translated("cli", " (takes an overlay)") : "") << "\n";
    }
    if (std::any_of(found.begin(), found.end(), [](const AprsSymbol& s) { return s.overlay; }))
        io.out << "\n" << wrapped(overlayRule(), 0);
    return kExitOk;
}

}  // namespace

Action declareSymbols(CLI::App& command) {
    auto search = std::make_shared<std::string>();
    command.footer(std::string(translated(
        "cli help",
        "Lists the APRS symbols whose name has words beginning with every word of SEARCH\n"
        "(\"car\", \"digi\", \"fire truck\"), or all 188 without one. One character finds that\n"
        "symbol code in both tables, \"/>\" or \"\\>\" one symbol of one table. The first column\n"
        "is the table character and the code: for \"\\O\" type O in ICON Symbol and tick\n"
        "Alternate Table. Exit 0 something listed, 1 nothing matches.")));
    command.add_option("SEARCH", *search,
                       std::string(translated("cli help", "words of the name, or a symbol code")));
    return [search](const CommandLineIo& io) { return runSymbols(io, *search); };
}

}  // namespace zelvar::cli
