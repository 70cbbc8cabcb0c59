#include "cfg/cfg_tokenizer.h"

#include <cstdio>

#include "cfg/cfg_layout.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();
// DOS's end-of-file mark (Ctrl-Z): older Windows programs and `copy` put it after the last item,
// with or without a line end before it; nothing after it belongs to the file.
constexpr int kEndOfFileMark = 0x1A;

// Blanks around an item, which editors leave: spaces and tabs.
bool isBlank(int c) {
    return c == ' ' || c == '\t';
}

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

std::string controlByte(int c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(c));
    return withArguments(translated("cfg reader", "the item holds the control byte %1"), {buffer});
}

}  // namespace

int CfgTokenizer::get() {
    if (markedEnd_)
        return kEnd;
    int c = kEnd;
    if (readAhead_.empty()) {
        c = in_.get();
    } else {
        c = static_cast<unsigned char>(readAhead_.back());
        readAhead_.pop_back();
    }
    markedEnd_ = c == kEndOfFileMark;
    return markedEnd_ ? kEnd : c;
}

int CfgTokenizer::look() {
    if (markedEnd_)
        return kEnd;
    const int c = readAhead_.empty() ? in_.peek() : static_cast<unsigned char>(readAhead_.back());
    return c == kEndOfFileMark ? kEnd : c;
}

// The next byte of the current item. Once the item has used up its allowance the stream is left
// alone and the item looks as if the file ended there; next() then reports the length.
int CfgTokenizer::take() {
    if (itemBytes_ == kMaxCfgItemBytes) {
        overLimit_ = true;
        return kEnd;
    }
    ++itemBytes_;
    return get();
}

int CfgTokenizer::peek() {
    return overLimit_ ? kEnd : look();
}

void CfgTokenizer::takeSeparator() {
    int separator = get();
    if (!isLineEnd(separator))
        return;
    if (separator == '\r' && look() == '\r') {
        get();
        if (look() != '\n')
            readAhead_.push_back('\r');  // CR CR without LF: two line ends
    }
    if (separator == '\r' && look() == '\n')
        get();
    ++line_;
}

// Files written before quotes were doubled hold a text's quotes as they are, and a text runs to
// its first quote: "Say yes"" is Say yes. Read as doubled quotes, such a text does not end
// before a line end, or ends with more than blanks before the separator; then `taken`, the bytes
// after the opening quote, is read that older way, the text up to its first quote and the rest
// up to the next separator skipped. What was taken beyond the separator after `quote` is put
// back; false when `taken` holds no separator there.
bool CfgTokenizer::putBackBeyondSeparator(const std::string& taken, std::size_t quote) {
    const std::size_t separator = taken.find_first_of(",\r\n", quote);
    if (separator == std::string::npos)
        return false;
    readAhead_.append(taken.rbegin(), taken.rend() - static_cast<std::ptrdiff_t>(separator));
    return true;
}

tl::expected<CfgItem, CfgTokenizer::Error> CfgTokenizer::next() {
    if (!encoding_) {
        std::string head;
        for (int i = 0; i < 8 && in_.peek() != kEnd; ++i)
            head.push_back(static_cast<char>(in_.get()));
        Result<CfgEncodingMark> mark = detectCfgEncoding(head);
        if (!mark)
            return tl::unexpected(Error{std::move(mark.error().reason), line_, true});
        encoding_ = mark->encoding;
        readAhead_.assign(head.rbegin(), head.rend() - static_cast<std::ptrdiff_t>(mark->bytes));
    }
    itemBytes_ = 0;
    overLimit_ = false;
    auto fail = [this](std::string reason) {
        if (overLimit_)
            reason = translated("cfg reader", "the item is longer than 64 KiB");
        return tl::unexpected(Error{std::move(reason), line_});
    };

    while (isBlank(peek()))
        take();
    if (peek() == kEnd)
        return fail(std::string(translated("cfg reader", "the file ends before this item")));

    std::string text;
    const bool quoted = peek() == '"';
    if (quoted) {
        take();
        std::string taken;  // every byte after the opening quote, for a text of the older form
        const auto takeText = [&] {
            const int c = take();
            if (c != kEnd)
                taken.push_back(static_cast<char>(c));
            return c;
        };
        bool closed = true;
        for (int c = takeText(); c != '"' || peek() == '"'; c = takeText()) {
            if (c == '"')
                c = takeText();
            if (c == kEnd || isLineEnd(c)) {
                closed = false;
                break;
            }
            if (isControl(c))
                return fail(controlByte(c));
            text.push_back(static_cast<char>(c));
        }
        while (closed && !isSeparator(peek())) {
            const int c = takeText();
            if (isControl(c))
                return fail(controlByte(c));
            closed = isBlank(c);
        }
        if (!closed) {
            const std::size_t quote = taken.find('"');
            if (quote == std::string::npos)
                return fail(
                    std::string(translated("cfg reader", "a text has no closing double quote")));
            text = taken.substr(0, quote);
            if (!putBackBeyondSeparator(taken, quote)) {
                while (!isSeparator(peek())) {
                    if (int c = take(); isControl(c))
                        return fail(controlByte(c));
                }
            }
        }
    } else {
        while (!isSeparator(peek())) {
            int c = take();
            if (isControl(c))
                return fail(controlByte(c));
            text.push_back(static_cast<char>(c));
        }
        while (!text.empty() && isBlank(text.back()))
            text.pop_back();
    }
    if (overLimit_)
        return fail({});
    if (in_.bad())
        return fail(std::string(translated("cfg reader", "the file could not be read")));
    Result<std::string> latin1 = cfgTextToLatin1(text, *encoding_);
    if (!latin1)
        return fail(std::move(latin1.error().reason));
    CfgItem item;
    if (quoted) {
        item.kind = CfgItem::Kind::Text;
        item.text = std::move(*latin1);
    } else {
        item = classifyBareItem(std::move(*latin1));
    }
    item.line = line_;
    takeSeparator();
    return item;
}

}  // namespace zelvar
