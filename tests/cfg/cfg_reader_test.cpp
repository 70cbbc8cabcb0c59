#include "cfg/cfg_reader.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <tuple>
#include <vector>

#include "../config/settings_support.h"
#include "../files/cfg_test_support.h"
#include "cfg/cfg_layout.h"
#include "cfg/cfg_writer.h"
#include "config/config_image.h"
#include "config/image_decoder.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

const CalculatorInputs kScribbledCalculator{"1", "2", 0, "3", 2, false};

LoadResult readText(std::string_view text, DeviceSettings& s, CalculatorInputs& c) {
    std::istringstream in{std::string(text)};
    return readConfig(in, s, c);
}

// Generated forms as the user leaves them, and the record the window shows after SEND: the build
// is a fixed point, the decoded image builds the same bytes, and with any calculator inputs the
// record survives Save and Load. A file saved from the form itself loads back into a form that
// SEND sends as the same bytes (a Comment every above 127 included); a form whose Comment every
// is no number is refused by Save, which says so.
TEST(CfgReader, GeneratedRecordsSurviveBuildDecodeSaveAndLoad) {
    RecordGenerator generator(13);
    const auto coordinate = [&generator](std::size_t n) { return generator.text(n, "NSEW-.09\""); };
    int built = 0;
    int savedForms = 0;
    int aboveTheInterval = 0;
    for (int round = 0; round < 2000; ++round) {
        const DeviceSettings form = generator.next();
        DeviceSettings settings = form;
        ConfigImage image{};
        if (!buildConfigImage(settings, image))
            continue;
        ++built;
        for (DeviceSettings again : {settings, decodeImage(image).settings}) {
            const DeviceSettings before = again;
            ConfigImage second{};
            const BuildResult rebuilt = buildConfigImage(again, second);
            ASSERT_TRUE(rebuilt) << reasonOf(rebuilt);
            ASSERT_EQ(second, image) << "call '" << settings.myCall << "' path '" << settings.path
                                     << "' to '" << settings.messageTo << "'";
            ASSERT_TRUE(sameFields(again, before));
        }
        ASSERT_EQ(decodeImage(image).gpsless,
                  image[fieldRow(Field::AcquisitionTimeout).image.offset] == 0);
        ASSERT_EQ(decodeImage(image).txDelayFlags, image[fieldRow(Field::TxDelay).image.offset]);

        const CalculatorInputs calculator{coordinate(9),      coordinate(9),
                                          generator.below(3), coordinate(6),
                                          generator.below(3), generator.below(2) == 1};
        const Result<std::string> text = writeConfigText(settings, calculator);
        ASSERT_TRUE(text) << reasonOf(text);
        // The acquisition interval is not in the file.
        DeviceSettings loaded =
            changed(scribbled(), {{AcquisitionInterval, settings.acquisitionInterval}});
        CalculatorInputs loadedCalculator = kScribbledCalculator;
        const LoadResult result = readText(*text, loaded, loadedCalculator);
        ASSERT_TRUE(result && calculatorApplied(result)) << reasonOf(result) << *text;
        ASSERT_TRUE(sameFields(loaded, settings)) << *text;
        ASSERT_EQ(loadedCalculator, calculator) << *text;

        const Result<std::string> formText = writeConfigText(form, {});
        if (!formText) {
            EXPECT_FALSE(strictNumber(form.commentEvery)) << reasonOf(formText);
            continue;
        }
        ++savedForms;
        aboveTheInterval += leadingNumber(form.commentEvery) > 127 ? 1 : 0;
        DeviceSettings loadedForm =
            changed(scribbled(), {{AcquisitionInterval, form.acquisitionInterval}});
        ASSERT_TRUE(readText(*formText, loadedForm, loadedCalculator)) << *formText;
        ConfigImage again{};
        ASSERT_TRUE(buildConfigImage(loadedForm, again)) << *formText;
        ASSERT_EQ(again, image) << "Comment every \"" << form.commentEvery << "\" with the flag "
                                << form.hideReceivedPositions << ":\n"
                                << *formText;
    }
    EXPECT_GT(built, 1000);
    EXPECT_GT(savedForms, 500);
    EXPECT_GT(aboveTheInterval, 50);
}

// A file in UTF-16 or UTF-32, as every byte pair or quadruple's one character.
std::string widened(std::string_view mark, std::string_view text, std::size_t width, bool big) {
    std::string wide(mark);
    for (char c : text) {
        std::string unit(width, '\0');
        unit[big ? width - 1 : 0] = c;
        wide += unit;
    }
    return wide;
}

// Fields keep what came before a fault (what follows a record: ReadsNoFurtherThanItsLimit). Among
// the files, what other editors make of a .cfg (without a UTF-8 mark, bytes are Latin-1 as always),
// every cut (only the last item may lose its line end), and 64 KiB items, in which leading spaces,
// quotes and skipped tails count.
TEST(CfgReader, LoadsWhatComesBeforeAFaultAndNamesIt) {
    const std::string back = "\"Msg received,i will reply soon\"";
    const std::string utf16 = "the file is UTF-16; save it as Latin-1 or UTF-8";
    const std::string mark = "\xEF\xBB\xBF";  // UTF-8's byte-order mark
    const std::string cafe = "\"Caf\xC3\xA9 \xC2\xB0\"";
    const std::string comment = "\"Zelvar, version 4.0 - by QX9ABC Pim\"";
    std::string fullComment;  // as long as the field takes, in two bytes a character
    for (int i = 0; i < 35; ++i)
        fullComment += "\xC3\xA9";
    std::vector<std::tuple<std::string, std::string, Changes>> cases = {
        {edited(",\">\",0", ",0"),
         "Item 6 (line 2, Alternate Table): 480 is not a check state",
         {{Symbol, "0"}, {AlternateTable, "2"}, {SpeedInterval0, "x"}}},
        {edited("\"08\",0,", "\"08\",-1,"),
         "Item 4 (line 1, Mic-E and flags): 15 is not a Mic-E",
         {{MessageRetries, "08"}, {MicEMessage, "2"}, {Symbol, "x"}}},
        {edited("\"08\",0,", "\"08\",abc,"),
         "Item 4 (line 1, Mic-E and flags): \"abc\" is not a whole number",
         {{MicEMessage, "2"}}},
        {edited("\"08\",0,", "\"08\"," + std::string(60000, '<') + ","),
         "Item 4 (line 1, Mic-E and flags): \"" + std::string(40, '<') + "...\" is not a whole",
         {}},
        {edited(",3,", ",99999,"),
         "Item 15 (line 9, Comment every and flag): \"99999\" is out of",
         {{FixedInterval, "0600"}, {CommentEvery, "x"}}},
        {edited("#FALSE#", "maybe"),
         "Item 27 (line 10, Position format): \"maybe\" is neither true nor false",
         {{AutoAnswer, "x"}}},
        {edited(back + "\r\n0", back + "\r\n3"),
         "Item 29 (line 12, Baud): 3 is not a speed",
         {{AutoAnswer, "Msg received,i will reply soon"}, {BaudRate, "2"}}},
        {"\x7F\x45LF\x02\x01",
         "Item 1 (line 1, Comm num): the item holds the control byte 0x02",
         {{PortNumber, "x"}}},
        {std::regex_replace(std::string(kDefaultCfg), std::regex("\r\n(?!$)"), ","),
         "",
         {{Message, "Message sent using Zelvar, version 4.0"}, {BaudRate, "0"}}},
        {edited("\"NOCALL\"", "\"NO\"CALL\""), "", {{MessageTo, "NO"}}},
        // A text that ends in a quote, as a file from before quotes were doubled holds it: cut
        // at its quote, and the items after it in their places.
        {edited(comment, "\"Say yes\"\""),
         "",
         {{Beacon, "Say yes"}, {MessageTo, "NOCALL"}, {AutoAnswer, back.substr(1, 30)}}},
        {edited(back, "\"ok\"\""), "", {{AutoAnswer, "ok"}, {BaudRate, "0"}}},
        {edited("\"NOCALL\"", "\"NO\"\"CALL\""), "", {{MessageTo, "NO\"CALL"}}},
        {edited("\"0480\"", " 0480  "), "", {{SpeedInterval0, "480"}}},
        // Blanks an editor leaves around an item are tabs as often as spaces.
        {edited("\"NOCALL\"", "\t \"NOCALL\"\t"), "", {{MessageTo, "NOCALL"}}},
        {edited("\"NOCALL\"", "\tN0CALL \t"), "", {{MessageTo, "N0CALL"}}},
        // DOS's end-of-file mark ends the file, after the last line end or without it.
        {std::string(kDefaultCfg) + "\x1A\x1A", "", {{BaudRate, "0"}}},
        {std::string(kDefaultCfg.substr(0, kDefaultCfg.size() - 3)) + "2\x1A" + "garbage",
         "",
         {{BaudRate, "2"}}},
        {edited("\"NOCALL\"", "\"NO\x1A!\""),
         "Item 20 (line 9, Message to call): a text has no closing double quote",
         {{SpeedInterval0, "0480"}}},
        {edited("\"NOCALL\"", "N0CALL"), "", {{MessageTo, "N0CALL"}}},
        {edited(",3,", ",200,"), "", {{CommentEvery, "072"}, {HideReceivedPositions, "1"}}},
        {std::string(40, '\n'), "", {{PortNumber, ""}, {CommentEvery, "000"}}},
        {mark + std::string(kDefaultCfg), "", {{PortNumber, "1"}}},
        {std::regex_replace(std::string(kDefaultCfg), std::regex("\r\n"), "\r\r\n"),
         "",
         {{BaudRate, "0"}, {AutoAnswer, "Msg received,i will reply soon"}}},
        {std::regex_replace(edited("\r\n0\r\n", "\r\n3\r\n"), std::regex("\r\n"), "\r\r\n"),
         "Item 29 (line 12, Baud): 3 is not a speed",
         {}},
        {mark + edited(comment, cafe), "", {{Beacon, "Caf\xE9 \xB0"}}},
        {edited(comment, cafe), "", {{Beacon, "Caf\xC3\xA9 \xC2\xB0"}}},
        {edited(comment, "\"Caf\xE9\""), "", {{Beacon, "Caf\xE9"}}},
        {mark + edited(comment, "\"" + fullComment + "\""),
         "",
         {{Beacon, std::string(35, '\xE9')}}},
        {mark + edited(comment, "\"10 \xE2\x82\xAC\""),
         "Item 19 (line 9, Comment): the character \xE2\x82\xAC (U+20AC) is not in Latin-1",
         {}},
        {mark + edited(comment, "\"Caf\xE9\""),
         "Item 19 (line 9, Comment): the byte 0xE9 is no UTF-8",
         {}},
        // "i" in two bytes, a form UTF-8 forbids: read as "i", it would slip past a check of the
        // bytes for "i".
        {mark + edited(comment, "\"Caf\xC1\xA9\""),
         "Item 19 (line 9, Comment): the byte 0xC1 is no UTF-8",
         {}},
        {mark + edited(comment, "\"10 \xE2\x80\xAE abc\""),
         "Item 19 (line 9, Comment): the invisible right-to-left override (U+202E) is not in",
         {}},
        {edited("\"08\",0,",
                "\"08\",1\xAD"
                "2\xC2\x9B,"),
         "Item 4 (line 1, Mic-E and flags): \"1\\u00AD2\xC3\x82\\u009B\" is not a whole number",
         {}},
        {widened("\xFF\xFE", kDefaultCfg, 2, false), utf16, {{PortNumber, "x"}}},
        {widened("", kDefaultCfg, 2, true), utf16, {}},
        {widened("", kDefaultCfg, 2, false), utf16, {}},
        {std::string("\0\x01\x02", 3),
         "Item 1 (line 1, Comm num): the item holds the control byte 0x00",
         {}},
        {widened("\xFF\xFE", kDefaultCfg, 4, false).insert(2, 2, '\0'),
         "the file is UTF-32; save it as Latin-1 or UTF-8",
         {}},
        {"{\\rtf1\\ansi \"1\",\"200\"}", "the file is rich text (RTF)", {{PortNumber, "x"}}},
        {mark + "{\\rtf1}", "the file is rich text (RTF)", {}},
        {"<!DOCTYPE html><p>\"1\"", "the file is a web page or other markup", {}},
        {mark + "<?xml version=\"1.0\"?>", "the file is a web page or other markup", {}},
        {"<html>", "the file is a web page or other markup", {}},
        {"", "the file is empty", {}},
    };
    for (std::size_t length = 1; length < kDefaultCfg.size(); ++length)
        cases.emplace_back(kDefaultCfg.substr(0, length),
                           length < kDefaultCfg.size() - 2 ? "Item " : "", Changes{});
    const std::string tooLong = "Item 1 (line 1, Comm num): the item is longer than 64 KiB";
    for (std::size_t bytes : {kMaxCfgItemBytes, kMaxCfgItemBytes + 1}) {
        for (const std::string& item :
             {std::string(bytes, '7'), "\"" + std::string(bytes - 2, 'q') + "\"",
              std::string(bytes - 3, ' ') + "\"q\"", "\"q\"" + std::string(bytes - 3, 't')}) {
            cases.emplace_back(item + std::string(kDefaultCfg.substr(3)),
                               bytes > kMaxCfgItemBytes ? tooLong : "", Changes{});
        }
    }
    for (const auto& [file, message, fields] : cases) {
        SCOPED_TRACE(std::to_string(file.size()) + " bytes: " + file.substr(0, 40));
        DeviceSettings s = scribbled();
        CalculatorInputs c = kScribbledCalculator;
        const LoadResult result = readText(file, s, c);
        EXPECT_EQ(result.has_value(), message.empty());
        EXPECT_TRUE(reasonOf(result).starts_with(message)) << reasonOf(result);
        for (const auto& [field, expected] : fields)
            EXPECT_EQ(value(s, field), expected) << fieldName(field);
    }
    CalculatorInputs c = kScribbledCalculator;
    DeviceSettings s;
    EXPECT_TRUE(readText(edited("#FALSE#", "-1"), s, c) && c.normalForm);
    c = kScribbledCalculator;
    EXPECT_TRUE(readText(edited("#FALSE#", "\t#TRUE#\t"), s, c) && c.normalForm);
}

// Flags packed as in the image, the comment interval no higher than SEND sends it; quotes doubled
// (in the comment: FileCommands.NormalizeIsAFixed...). A 64 KiB item loads back (one byte more:
// SaveConfigFile.RefusesWhatTheReaderWouldRefuse).
TEST(CfgWriter, WritesEachItemInItsForm) {
    const std::pair<Changes, const char*> cases[] = {
        {{{MicEMessage, "7"}, {AutoAnswerOn, "1"}, {Modem300, "1"}}, "\"08\",55,\">\""},
        {{{HideReceivedPositions, "1"}}, "\"0600\",131,\"025\""},
        {{{CommentEvery, "200"}}, "\"0600\",127,\"025\""},
        {{{CommentEvery, "127.6"}, {HideReceivedPositions, "1"}}, "\"0600\",255,\"025\""},
        {{{CommentEvery, " 12 "}, {HideReceivedPositions, "1"}}, "\"0600\",140,\"025\""},
        {{{CommentEvery, "1.5"}}, "\"0600\",1.5,\"025\""},
        {{{Message, "\""}}, ",\"\"\"\"\r\n"}};
    for (const auto& [typed, item] : cases) {
        const Result<std::string> text = writeConfigText(changed(defaultSettings(), typed), {});
        ASSERT_TRUE(text) << reasonOf(text);
        EXPECT_NE(text->find(item), std::string::npos) << item << " in " << *text;
    }
    DeviceSettings original = defaultSettings(), loaded = defaultSettings();
    original.beacon.assign(kMaxCfgItemBytes - 4, 'b') += '"';  // doubled and quoted: 64 KiB
    CalculatorInputs c;
    EXPECT_TRUE(readText(writeConfigText(original, {}).value_or(""), loaded, c));
    EXPECT_TRUE(sameFields(loaded, original));
}

// The longest file a load takes whole: a UTF-8 mark, every item as long as it may be (leading
// blanks count) and CR CR LF after each. Whatever follows stays unread.
TEST(CfgReader, ReadsNoFurtherThanItsLimit) {
    std::string file = "\xEF\xBB\xBF";
    std::string item;
    bool quoted = false;
    for (char c : kDefaultCfg) {
        quoted = quoted != (c == '"');
        if (quoted || (c != ',' && c != '\r' && c != '\n')) {
            item += c;
        } else if (!item.empty()) {
            file += std::string(kMaxCfgItemBytes - item.size(), ' ') + item + "\r\r\n";
            item.clear();
        }
    }
    ASSERT_LE(file.size(), maxCfgReadBytes());
    std::istringstream in(file + "tail");
    DeviceSettings s = defaultSettings();
    CalculatorInputs c;
    const LoadResult loaded = readConfig(in, s, c);
    ASSERT_TRUE(loaded) << reasonOf(loaded);
    EXPECT_TRUE(sameFields(s, defaultSettings()));
    EXPECT_EQ(static_cast<std::size_t>(in.tellg()), file.size());
}

}  // namespace
}  // namespace zelvar
