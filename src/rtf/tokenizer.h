#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelvar::rtf {

enum class TokenKind {
    End,            // no more input
    GroupStart,     // {
    GroupEnd,       // }
    ControlWord,    // \name or \nameN
    ControlSymbol,  // \ and one character that is not a letter
    HexByte,        // \'hh
    Text,           // a run of plain bytes
    Binary,         // the raw bytes that follow \binN
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;  // ControlWord: its name; Text and Binary: the bytes
    bool hasParameter = false;
    std::int32_t parameter = 0;  // saturated to the 32-bit range
    char symbol = 0;             // ControlSymbol
    std::uint8_t byte = 0;       // HexByte
};

// Splits RTF bytes into tokens. Never reads past the input, never allocates, and every call
// consumes at least one byte until End, so any input ends in linear time.
class Tokenizer {
  public:
    explicit Tokenizer(std::string_view input) : input_(input) {}

    Token next();
    std::size_t position() const { return position_; }

  private:
    Token controlSequence();
    Token controlWord();
    Token hexByte();
    Token text();
    bool atEnd() const { return position_ >= input_.size(); }
    char peek() const { return input_[position_]; }

    std::string_view input_;
    std::size_t position_ = 0;
};

}  // namespace zelvar::rtf
