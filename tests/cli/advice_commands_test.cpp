// zelvar-cli's commands of APRS practice, run in-process: check, symbols, and position in the
// notations beside the calculator's own.
#include <gtest/gtest.h>

#include <sstream>

#include "../files/cfg_test_support.h"
#include "advice_text.h"
#include "cli_run.h"
#include "setting_rows.h"
#include "terminal_columns.h"

namespace zelvar {
namespace {

using testing::runCli;
using testing_support::edited;
using testing_support::kDefaultCfg;
using testing_support::TempFolder;

class AdviceCommands : public ::testing::Test {
  protected:
    std::string file(const std::string& name, std::string_view bytes) const {
        return folder.write(name, bytes).string();
    }

    TempFolder folder;
    const std::string defaults = file("default.cfg", kDefaultCfg);
    // A station set up as practice has it: own callsign, two hops, a real addressee.
    const std::string practised =
        file("practised.cfg",
             edited("\"NOCALL-9\",\"WIDE1-1,WIDE2-2\"", "\"QX9ABC-9\",\"WIDE1-1,WIDE2-1\"",
                    edited(",\"NOCALL\",", ",\"QX9XYZ\",")));
};

// Text for people, exit 1 for a warning; hints alone exit 0; SEND's refusal is said as SEND says
// it and exits 1 too; a file that cannot be read is 2.
TEST_F(AdviceCommands, CheckSaysWhatToLookAt) {
    testing::expectRuns({
        {{"check", defaults},
         1,
         "warning: MY CALLSIGN: The callsign is still the factory placeholder NOCALL-9\n    "
         "NOCALL is the placeholder"},
        {{"check", defaults}, 1, "\n1 warning, 2 hints\n"},
        {{"check", practised}, 0, "No advice: the settings follow the usual APRS practice.\n"},
        // A field that goes out otherwise is said, as the window's preview says it: here a TX
        // delay below the shortest, and digits an editor wrote in UTF-8 that the file, without
        // the UTF-8 mark, holds as Latin-1.
        {{"check", file("short-delay.cfg",
                        edited("\"200\"", "\"010\"", testing_support::readAll(practised)))},
         0,
         "Sent differently from the file:\n- TX DELAY 010 -> sent as 4 flags, 027 ms\nNo advice"},
        {{"check", file("wide-digits.cfg", edited("\"200\"", "\"\xEF\xBC\x91\xEF\xBC\x92\"",
                                                  testing_support::readAll(practised)))},
         0,
         "- TX DELAY \xC3\xAF\xC2\xBC\\u0091"},
        {{"check", file("hint.cfg", edited("\"WIDE1-1,WIDE2-1\"", "\"WIDE1-1,WIDE2-2\"",
                                           testing_support::readAll(practised)))},
         0,
         "hint: APRS PATH: The path asks for 3 hops"},
        {{"check", file("empty.cfg", edited("\"NOCALL-9\"", "\"\""))},
         1,
         "Parametri incompleti o non corretti\nmyCall: MY CALLSIGN: empty callsign\n"},
        {{"check", file("cut.cfg", kDefaultCfg.substr(0, 40))}, 2, "the file ends"},
        {{"check", file("garbage.cfg", "\"x\"")}, 2, "zelvar-cli: "},
    });
    const testing::CliRun refused =
        runCli({"check", "--json", (folder.path() / "empty.cfg").string()});
    EXPECT_TRUE(refused.out.starts_with(
        "{\"builds\":false,\"failure\":{\"field\":\"myCall\",\"reason\":\"MY CALLSIGN: empty "
        "callsign\"},\"notes\":["))
        << refused.out;
}

// Tables and wrapped notes line up by the columns a terminal gives each character, not by bytes.
TEST(TerminalColumns, CountCharactersAndWideOnesTwice) {
    const std::pair<std::string_view, std::size_t> rows[] = {
        {"alternate", 9},
        {"primária", 8},
        {"e\xCC\x81", 1},
        {"\xE3\x83\x97\xE3\x83\xA9\xE3\x82\xA4\xE3\x83\x9E\xE3\x83\xAA", 10},
        {"a\377b", 3}};  // a byte that is no UTF-8 between two letters
    for (const auto& [text, columns] : rows)
        EXPECT_EQ(cli::terminalColumns(text), columns) << text;
    EXPECT_EQ(cli::wrapped("\xC3\xA9\xC3\xA9 \xC3\xA9\xC3\xA9", 0, 5),
              "\xC3\xA9\xC3\xA9 \xC3\xA9\xC3\xA9\n");
    // Japanese has no spaces: a line may end after any wide character, but not before "、".
    const std::string nihongo = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
    EXPECT_EQ(cli::wrapped(nihongo + "\xE3\x80\x81" + nihongo, 0, 8),
              nihongo + "\xE3\x80\x81\n" + nihongo + "\n");

    // decode's and diff's rows: a name longer than the English ones moves every value along.
    struct Named {
        std::string name;
    };
    const std::vector<Named> names = {
        {"TX delay"}, {"Empfangene Pos. anzeigen"}, {std::string(rows[3].first)}};
    std::ostringstream shown;
    for (const Named& row : names)
        cli::printSettingRow(shown, row.name, "v", cli::settingNameColumn(names));
    EXPECT_EQ(shown.str(), "TX delay" + std::string(17, ' ') + "v\nEmpfangene Pos. anzeigen v\n" +
                               std::string(rows[3].first) + std::string(15, ' ') + "v\n");
    EXPECT_EQ(cli::settingNameColumn(std::vector<Named>{{"Acquisition timeout"}}), 22u);
}

TEST_F(AdviceCommands, SymbolsByNameOrCode) {
    testing::expectRuns({
        {{"symbols", "car"},
         0,
         "Symbol  Table      Name\n/>      primary    car\n\\>      alternate  car or other "
         "vehicle (takes an overlay)\n\nAn overlay is"},
        {{"symbols", "/O"}, 0, "/O      primary    balloon\n", "overlay"},
        {{"symbols", "zeppelin"}, 1, "zelvar-cli: no symbol is named \"zeppelin\"\n"},
        {{"symbols", "\x1b[2J"}, 1, "named \"\\x1B[2J\""},
        {{"symbols", "a", "b"}, 2, "unexpected argument b"},
    });
    const testing::CliRun all = runCli({"symbols"});
    std::istringstream lines(all.out);
    int listed = 0;
    for (std::string line; std::getline(lines, line);)
        listed += line.starts_with('/') || line.starts_with('\\');
    EXPECT_EQ(listed, 188) << all.out;
}

// The options: coordinates in any notation, or a locator instead of both (the texts of each
// notation: ReadCoordinate, CalculatePosition and the page's agreement with position).
TEST_F(AdviceCommands, PositionTakesEveryNotation) {
    testing::expectRuns({
        {{"position", "--lat", "45 30.15 N", "--lon", "W 9 10 30", "--normal"},
         0,
         "=4530.15N/00910.50W>\n"},
        {{"position", "--locator", "JN45om"}, 0, "=/"},
        {{"position", "--locator", "JN45o"}, 1, "invalid locator \"JN45o\""},
        {{"position", "--locator", "JN45", "--lat", "45"}, 2, "or --locator alone"},
        {{"position", "--lat", "45"}, 2, "--lat and --lon are required"},
        // The altitude is a number as a whole: no decimal comma, exponent or trailing word.
        {{"position", "--lat", "45", "--lon", "9", "--normal", "--alt", "-10.5"}, 0, "/A=-00034"},
        {{"position", "--lat", "45", "--lon", "9", "--normal", "--alt", "300,5"},
         1,
         "invalid altitude \"300,5\""},
        {{"position", "--lat", "45", "--lon", "9", "--alt", "1e3"}, 1, "invalid altitude"},
        // The symbol is a character of ICON Symbol, Latin-1 as the tracker's: "é" is one, "€" none.
        {{"position", "--lat", "45", "--lon", "9", "--symbol", "é", "--normal"},
         0,
         "=4500.00N/00900.00Eé\n"},
        {{"position", "--lat", "45", "--lon", "9", "--symbol", "€"}, 1, "one character, not \"€\""},
        {{"position", "--lat", "45", "--lon", "9", "--symbol", "éé"},
         1,
         "one character, not \"éé\""},
        {{"position", "--lat", "45", "--lon", "9", "--symbol", "\u00AD"}, 0, "!!Pg!!\\u00AD  _\n"},
        // An input method's full-width forms and Japanese point are their ASCII, as in the
        // window's fields: refused, they were "not a number" and "ＪＮ４５" not 4 characters.
        {{"position", "--lat", "ｎ４５。３０．１５", "--lon", "ｗ　９　１０　３０", "--normal",
          "--alt", "－１０。５", "--symbol", "＞"},
         0,
         "=4530.15N/00910.50W>/A=-00034\n"},
        {{"position", "--locator", "ＪＮ４５ｏｍ"}, 0, "=/"},
        // Its minus key's long-vowel mark is the minus: dropped, the position was east.
        {{"position", "--lat", "４５", "--lon", "ー９。５", "--normal"}, 0, "=4500.00N/00930.00W"},
    });
}

}  // namespace
}  // namespace zelvar
