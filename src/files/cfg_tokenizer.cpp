#include "files/cfg_tokenizer.h"

#include <cstdio>

namespace zelvar {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();

bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}
bool isSeparator(int c) {
    return c == ',' || isLineEnd(c) || c == kEnd;
}

// Tabs may appear in texts; other control bytes mean the file is not a settings file.
bool isControl(int c) {
    return c >= 0 && c < 0x20 && c != '\t' && !isLineEnd(c);
}

std::string describeByte(int c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(c));
    return buffer;
}

}  // namespace

int CfgTokenizer::take() {
    ++itemBytes_;
    return in_.get();
}

int CfgTokenizer::peek() {
    return in_.peek();
}

void CfgTokenizer::endLine(int first) {
    if (first == '\r' && peek() == '\n')
        take();
}

std::variant<CfgItem, CfgTokenizer::Error> CfgTokenizer::next() {
    itemBytes_ = 0;
    while (peek() == ' ')
        take();
    if (peek() == kEnd)
        return Error{"the file ends before this item"};

    auto tooLong = [] { return Error{"the item is longer than 64 KiB"}; };
    auto control = [](int c) {
        return Error{"the item holds the control byte " + describeByte(c)};
    };

    CfgItem item;
    if (peek() == '"') {
        take();
        std::string text;
        // Two double quotes inside a text stand for one; a single one ends the text.
        for (int c = take(); c != '"' || peek() == '"'; c = take()) {
            if (c == '"')
                c = take();
            if (c == kEnd || isLineEnd(c))
                return Error{"a text has no closing double quote"};
            if (isControl(c))
                return control(c);
            if (itemBytes_ > kMaxItemBytes)
                return tooLong();
            text.push_back(static_cast<char>(c));
        }
        item.kind = CfgItem::Kind::Text;
        item.text = std::move(text);
        while (!isSeparator(peek())) {
            int c = take();
            if (isControl(c))
                return control(c);
            if (itemBytes_ > kMaxItemBytes)
                return tooLong();
        }
    } else {
        std::string text;
        while (!isSeparator(peek())) {
            int c = take();
            if (isControl(c))
                return control(c);
            if (itemBytes_ > kMaxItemBytes)
                return tooLong();
            text.push_back(static_cast<char>(c));
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        item = classifyBareItem(std::move(text));
    }
    if (in_.bad())
        return Error{"the file could not be read"};
    int separator = take();
    if (isLineEnd(separator))
        endLine(separator);
    return item;
}

}  // namespace zelvar
