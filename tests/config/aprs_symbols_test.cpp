#include "config/aprs_symbols.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvar {
namespace {

std::string listed(const std::vector<AprsSymbol>& symbols) {
    std::string text;
    for (const AprsSymbol& symbol : symbols)
        text += std::string(symbol.table == SymbolTable::Primary ? "/" : "\\") + symbol.code + " ";
    return text;
}

// Both tables hold the 94 codes in order; only alternate symbols take an overlay.
TEST(AprsSymbols, TablesHoldEveryCode) {
    for (SymbolTable table : {SymbolTable::Primary, SymbolTable::Alternate}) {
        char code = kFirstSymbolCode;
        for (const AprsSymbol& symbol : symbolTable(table)) {
            EXPECT_EQ(symbol.code, code);
            EXPECT_EQ(symbol.table, table);
            EXPECT_FALSE(symbol.name.empty()) << code;
            EXPECT_TRUE(!symbol.overlay || table == SymbolTable::Alternate) << code;
            EXPECT_EQ(findSymbol(code, table), &symbol);
            // Its table and code, and its whole name, find it.
            const std::string key = std::string(table == SymbolTable::Primary ? "/" : "\\") + code;
            EXPECT_EQ(listed(searchSymbols(key)), key + " ");
            EXPECT_NE(listed(searchSymbols(symbol.name)).find(key + " "), std::string::npos);
            ++code;
        }
        EXPECT_EQ(code, kLastSymbolCode + 1);
        EXPECT_EQ(findSymbol(' ', table), nullptr);
        EXPECT_EQ(findSymbol('\x7f', table), nullptr);
    }
}

TEST(AprsSymbols, SearchByNameOrCode) {
    const std::pair<const char*, const char*> cases[] = {
        {"car", "/> \\> "},  {"Balloon", "/O \\O "}, {"house", "/- \\- "},
        {"digi", "/# \\# "}, {"fire truck", "/f "},  {">", "/> \\> "},
        {"\\O", "\\O "},     {"zeppelin", ""},       {"--", ""},
    };
    for (const auto& [search, found] : cases)
        EXPECT_EQ(listed(searchSymbols(search)), found) << search;
    EXPECT_EQ(searchSymbols("").size(), 188u);
}

TEST(AprsSymbols, DescribeTheField) {
    EXPECT_EQ(describeSymbol(">", SymbolTable::Primary), "> \u2014 car, primary table");
    EXPECT_EQ(describeSymbol("O", SymbolTable::Alternate),
              "O \u2014 rocket, balloon, alternate table");
    EXPECT_NE(describeSymbol("", SymbolTable::Primary).find("one character"), std::string::npos);
    EXPECT_NE(describeSymbol("\xe9", SymbolTable::Primary).find("0xE9 is no APRS symbol"),
              std::string::npos);
    EXPECT_TRUE(findSymbol('>', SymbolTable::Alternate)->overlay);
}

}  // namespace
}  // namespace zelvar
