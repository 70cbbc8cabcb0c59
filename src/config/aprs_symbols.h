#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar {

// The two APRS symbol tables. A position report carries a table character ('/' primary, '\'
// alternate) and a symbol character ('!' to '~'). The tracker stores only those two table
// characters (Alternate Table off or on).
enum class SymbolTable { Primary, Alternate };

struct AprsSymbol {
    char code;  // '!'..'~'
    SymbolTable table;
    std::string_view name;  // our words for what the map shows
    // The alternate symbols that may carry an overlay: a digit 0-9 or a capital letter A-Z sent in
    // place of the table character '\', drawn over the symbol. The tracker always sends '\', so
    // it shows them without one.
    bool overlay;
    // Words hams search by that the name does not hold, the same in every language ("WX").
    std::string_view searchWords = {};
};

inline constexpr char kFirstSymbolCode = '!';
inline constexpr char kLastSymbolCode = '~';

// The 94 symbols of a table, in the order of their codes.
std::span<const AprsSymbol> symbolTable(SymbolTable table);

// The symbol of a code, or null for a character that is none ('!'..'~' only).
const AprsSymbol* findSymbol(char code, SymbolTable table);

// The symbols a search names, primary table first: every word of the search must begin a word
// of the name or of its search words ("car", "digi", "fire truck", "wx"), in any case. A search of
// one character is the symbol code itself (">" finds both tables' symbols); "/>" or "\>" one symbol
// of one table. An empty search gives every symbol. Full-width forms count as their ASCII.
std::vector<AprsSymbol> searchSymbols(std::string_view typed);

std::string_view symbolTableName(SymbolTable table);  // "primary table", "alternate table"

// What the symbol field and the Alternate Table box give: "> — car, primary table", or why there
// is no such symbol.
std::string describeSymbol(std::string_view symbol, SymbolTable table);

// The overlay rule in words, for the front ends' lists.
std::string_view overlayRule();

}  // namespace zelvar
