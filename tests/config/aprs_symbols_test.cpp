#include "config/aprs_symbols.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "text/translation.h"

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

// The weather symbols the index retired live on as overlays of others, which therefore take one:
// fog, blowing snow and dust on smoke \E, snow shower and lightning on rain shower \I, snow, hail
// and freezing rain on rain \`, partly cloudy on cloudy \(, drizzle on \'.
TEST(AprsSymbols, TheHomesOfRetiredWeatherSymbolsTakeAnOverlay) {
    for (const char code : {'E', 'I', '`', '(', '\''})
        EXPECT_TRUE(findSymbol(code, SymbolTable::Alternate)->overlay) << code;
}

TEST(AprsSymbols, SearchByNameOrCode) {
    const std::pair<const char*, const char*> cases[] = {
        {"Balloon", "/O \\O "},
        {"house", "/- \\- "},
        {"digi", "/# \\# "},
        {"fire truck", "/f "},
        {">", "/> \\> "},
        {"--", ""},
        // The words hams search by beside the names, alone and with a name's.
        {"WX", "/W /_ \\W \\_ "},
        {"wx station", "/_ "},
        {"plane", "/' /^ \\^ "},
        {"qth", "/- \\- "},
        // As an East Asian input method types them: full-width letters, signs and blanks.
        {"\uFF42\uFF41\uFF4C\uFF4C\uFF4F\uFF4F\uFF4E", "/O \\O "},
        {"\uFF26\uFF49\uFF52\uFF45\u3000\uFF54\uFF52\uFF55\uFF43\uFF4B", "/f "},
        {"\uFF1E", "/> \\> "},
        {"\uFF3C\uFF1E", "\\> "},
    };
    for (const auto& [search, found] : cases)
        EXPECT_EQ(listed(searchSymbols(search)), found) << search;
}

// Names in the user's language are found as they are written: in any case, with or without their
// accents, and in Japanese by any piece of a name, which has no blanks between its words.
TEST(AprsSymbols, SearchFindsTheNamesOfTheUsersLanguage) {
    class TwoNames final : public Catalogue {
        std::optional<std::string> find(std::string_view context, std::string_view msgid,
                                        std::string_view,
                                        std::optional<unsigned long>) const override {
            if (context != "symbol")
                return std::nullopt;
            if (msgid == "car")
                return "Überlandwagen";
            if (msgid == "balloon")
                return "気球（ガス）";
            return std::nullopt;
        }
    };
    installCatalogue(std::make_unique<TwoNames>());
    const std::pair<const char*, const char*> cases[] = {
        {"überland", "/> "}, {"ÜBERLAND", "/> "},
        {"uberland", "/> "}, {"cár", "/> \\> "},  // the program's own names stay found
        {"球", "/O "},                            // inside 気球
        {"ガス", "/O "},                          // after a full-width parenthesis
        {"車", ""}};
    for (const auto& [search, found] : cases)
        EXPECT_EQ(listed(searchSymbols(search)), found) << search;
    installCatalogue(nullptr);
}

// A symbol's description: the symbol pickers of the window (AdviceWindowTest.SymbolPicker...) and
// the page; that it takes an overlay: AdviceCommands.SymbolsByNameOrCode. Here what is none,
// and what is more than one.
TEST(AprsSymbols, DescribeTheField) {
    EXPECT_NE(describeSymbol("", SymbolTable::Primary).find("one character"), std::string::npos);
    EXPECT_NE(describeSymbol("\xe9", SymbolTable::Primary).find("0xE9 is no APRS symbol"),
              std::string::npos);
    // A file's "ab" sends "a": the name is a's, as the preview's note and bytes say.
    EXPECT_EQ(describeSymbol(">b", SymbolTable::Primary),
              describeSymbol(">", SymbolTable::Primary));
}

}  // namespace
}  // namespace zelvar
