#include "rtf/tokenizer.h"

#include <algorithm>
#include <limits>

#include "common/ascii.h"

namespace zelvar::rtf {
namespace {

bool isLetter(char c) {
    return isAsciiLower(c) || isAsciiUpper(c);
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

Token tokenOf(TokenKind kind, std::string_view text = {}) {
    Token token;
    token.kind = kind;
    token.text = text;
    return token;
}

Token symbolToken(char symbol) {
    Token token = tokenOf(TokenKind::ControlSymbol);
    token.symbol = symbol;
    return token;
}

}  // namespace

Token Tokenizer::next() {
    // Line ends carry no meaning in RTF outside control sequences.
    while (!atEnd() && isLineEnd(peek())) {
        ++position_;
    }
    if (atEnd()) {
        return {};
    }
    switch (peek()) {
        case '{':
            ++position_;
            return tokenOf(TokenKind::GroupStart);
        case '}':
            ++position_;
            return tokenOf(TokenKind::GroupEnd);
        case '\\':
            ++position_;
            return controlSequence();
        default:
            return text();
    }
}

Token Tokenizer::controlSequence() {
    if (atEnd()) {
        return {};
    }
    const char c = peek();
    if (isLetter(c)) {
        return controlWord();
    }
    ++position_;
    if (isLineEnd(c)) {
        // A backslash before a line end is a paragraph mark.
        return tokenOf(TokenKind::ControlWord, "par");
    }
    if (c == '\'') {
        return hexByte();
    }
    return symbolToken(c);
}

Token Tokenizer::controlWord() {
    const std::size_t start = position_;
    while (!atEnd() && isLetter(peek())) {
        ++position_;
    }
    Token token = tokenOf(TokenKind::ControlWord, input_.substr(start, position_ - start));

    bool negative = false;
    if (!atEnd() && peek() == '-' && position_ + 1 < input_.size() &&
        isAsciiDigit(input_[position_ + 1])) {
        negative = true;
        ++position_;
    }
    if (!atEnd() && isAsciiDigit(peek())) {
        // Saturate instead of overflowing: the digits are consumed whatever their number.
        constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
        std::int64_t value = 0;
        while (!atEnd() && isAsciiDigit(peek())) {
            value = std::min(value * 10 + (peek() - '0'), limit + 1);
            ++position_;
        }
        value = negative ? -value : std::min(value, limit);
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(value);
    }
    if (!atEnd() && peek() == ' ') {
        ++position_;  // the delimiter belongs to the control word
    }

    if (token.text == "bin" && token.parameter > 0) {
        const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(token.parameter),
                                                         input_.size() - position_);
        Token binary = tokenOf(TokenKind::Binary, input_.substr(position_, length));
        position_ += length;
        return binary;
    }
    return token;
}

Token Tokenizer::hexByte() {
    if (position_ + 1 < input_.size()) {
        const int high = hexDigitValue(input_[position_]);
        const int low = hexDigitValue(input_[position_ + 1]);
        if (high >= 0 && low >= 0) {
            position_ += 2;
            Token token = tokenOf(TokenKind::HexByte);
            token.byte = static_cast<std::uint8_t>(high * 16 + low);
            return token;
        }
    }
    // A malformed \' is dropped; what follows it is read as ordinary input.
    return symbolToken('\'');
}

Token Tokenizer::text() {
    const std::size_t start = position_;
    while (!atEnd()) {
        const char c = peek();
        if (c == '{' || c == '}' || c == '\\' || isLineEnd(c)) {
            break;
        }
        ++position_;
    }
    return tokenOf(TokenKind::Text, input_.substr(start, position_ - start));
}

}  // namespace zelvar::rtf
