#include "rtf/tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zelvar::rtf {
namespace {

// The tokens of `input` in a compact notation: { } \word \wordN \'hh \sym "text" bin(n).
std::string describe(std::string_view input) {
    Tokenizer tokenizer(input);
    std::string out;
    for (Token token = tokenizer.next(); token.kind != TokenKind::End; token = tokenizer.next()) {
        if (!out.empty()) {
            out += ' ';
        }
        switch (token.kind) {
            case TokenKind::GroupStart:
                out += '{';
                break;
            case TokenKind::GroupEnd:
                out += '}';
                break;
            case TokenKind::ControlWord:
                out += '\\' + std::string(token.text);
                if (token.hasParameter) {
                    out += std::to_string(token.parameter);
                }
                break;
            case TokenKind::ControlSymbol:
                out += std::string("\\") + token.symbol;
                break;
            case TokenKind::HexByte:
                out += "'" + std::to_string(token.byte);
                break;
            case TokenKind::Text:
                out += '"' + std::string(token.text) + '"';
                break;
            case TokenKind::Binary:
                out += "bin(" + std::to_string(token.text.size()) + ")";
                break;
            case TokenKind::End:
                break;
        }
    }
    return out;
}

struct Case {
    std::string_view input;
    std::string_view tokens;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.input;
}

class TokenizerTest : public testing::TestWithParam<Case> {};

TEST_P(TokenizerTest, SplitsAsExpected) {
    EXPECT_EQ(describe(GetParam().input), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, TokenizerTest,
    testing::Values(
        Case{"{\\rtf1\\ansi Hello}", "{ \\rtf1 \\ansi \"Hello\" }"},
        Case{"\\b0\\fs-20 x", "\\b0 \\fs-20 \"x\""}, Case{"\\par\r\nnext", "\\par \"next\""},
        Case{"a\\\nb", "\"a\" \\par \"b\""},              // backslash before a line end
        Case{"\\'e9\\'E9\\'zz", "'233 '233 \\' \"zz\""},  // bad hex digits are dropped
        Case{"\\'4", "\\' \"4\""},                        // cut inside \'hh
        Case{"\\{\\}\\\\\\~\\*", "\\{ \\} \\\\ \\~ \\*"}, Case{"\\u-3913?", "\\u-3913 \"?\""},
        Case{"\\fs99999999999999 x", "\\fs2147483647 \"x\""},  // saturated, not wrapped
        Case{"\\li-99999999999999", "\\li-2147483648"},
        Case{"\\fs- 5", "\\fs \"- 5\""},                     // a lone minus is not a sign
        Case{"\\bin3 {}\\x", "bin(3) \"x\""},                // raw bytes, braces included
        Case{"\\bin99 ab", "bin(2)"},                        // cut at the end of the input
        Case{"\\bin0 ab", "\\bin0 \"ab\""}, Case{"\\", ""},  // a lone backslash at the end
        Case{"text\twith tab", "\"text\twith tab\""},
        Case{"\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop1",
             "\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop1"}));

TEST(Tokenizer, EveryCallMovesOnUntilTheEnd) {
    // Whatever the bytes, each token consumes input, so the loop ends.
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 131 + 7) % 256);
    }
    Tokenizer tokenizer(garbage);
    std::size_t last = 0;
    int tokens = 0;
    for (Token token = tokenizer.next(); token.kind != TokenKind::End; token = tokenizer.next()) {
        ASSERT_GT(tokenizer.position(), last);
        ASSERT_LE(tokenizer.position(), garbage.size());
        last = tokenizer.position();
        ++tokens;
    }
    EXPECT_GT(tokens, 0);
}

}  // namespace
}  // namespace zelvar::rtf
