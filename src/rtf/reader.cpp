#include "rtf/reader.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rtf/document_builder.h"
#include "rtf/keywords.h"
#include "rtf/picture.h"
#include "rtf/state.h"
#include "rtf/tokenizer.h"
#include "text/translation.h"

namespace zelvar {
namespace {

using namespace rtf;

constexpr std::size_t kMaxFonts = 1024;
constexpr std::size_t kMaxColours = 1024;
constexpr int kMaxTwips = 31680;  // 22 inches, wider than any page
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxUnicodeSkip = 64;

int clamped(const Token& token, int fallback, int low, int high) {
    return std::clamp(token.hasParameter ? token.parameter : fallback, low, high);
}

bool switchedOn(const Token& token) {
    return !token.hasParameter || token.parameter != 0;
}

Result<> refuse(std::string reason) {
    return failure(std::move(reason));
}

class Parser {
  public:
    Parser(std::string_view input, QTextDocument& document)
        : tokenizer_(input), builder_(document, tables_) {}

    Result<> run();

  private:
    GroupState& top() { return groups_.back(); }

    bool skipFallback(Token& token);
    bool startGroup();
    void endGroup();
    void controlWord(const Token& token);
    void documentWord(Keyword keyword, const Token& token);
    void textWord(Keyword keyword, const Token& token);
    void tableWord(Keyword keyword, const Token& token);
    void pictureWord(Keyword keyword, const Token& token);
    void controlSymbol(char symbol);
    void text(std::string_view bytes);
    void character(char16_t c);
    void commitFontName();
    void commitColour();

    Tokenizer tokenizer_;
    DocumentTables tables_;
    DocumentBuilder builder_;
    std::vector<GroupState> groups_;
    bool starPending_ = false;
    int fallbackToSkip_ = 0;
    int currentFont_ = 0;
    QByteArray fontName_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;
    Picture picture_;
};

Result<> Parser::run() {
    for (;;) {
        Token token = tokenizer_.next();
        if (token.kind == TokenKind::End) {
            return refuse(withArguments(
                translatedPlural("manual reader",
                                 "the document ends with %1 group still open; it is probably cut "
                                 "short",
                                 "the document ends with %1 groups still open; it is probably cut "
                                 "short",
                                 groups_.size()),
                {std::to_string(groups_.size())}));
        }
        if (starPending_) {
            starPending_ = false;
            const bool known = token.kind == TokenKind::ControlWord &&
                               keywordFor(token.text) == Keyword::ShapePicture;
            if (!known) {
                top().destination = Destination::Skip;
            }
        }
        if (skipFallback(token)) {
            continue;
        }
        switch (token.kind) {
            case TokenKind::GroupStart:
                if (!startGroup()) {
                    return refuse(withArguments(
                        translated("manual reader",
                                   "groups are nested deeper than %1 levels (at byte %2)"),
                        {std::to_string(kMaxRtfGroupDepth),
                         std::to_string(tokenizer_.position())}));
                }
                break;
            case TokenKind::GroupEnd:
                if (groups_.size() == 1) {
                    const ParagraphState last = top().paragraph;
                    endGroup();
                    builder_.finish(last);
                    return {};  // whatever follows the document's own group is not part of it
                }
                endGroup();
                break;
            case TokenKind::ControlWord:
                controlWord(token);
                break;
            case TokenKind::ControlSymbol:
                controlSymbol(token.symbol);
                break;
            case TokenKind::HexByte:
                text(std::string_view(reinterpret_cast<const char*>(&token.byte), 1));
                break;
            case TokenKind::Text:
                text(token.text);
                break;
            case TokenKind::Binary:
                if (top().destination == Destination::Picture) {
                    picture_.addBinary(token.text);
                }
                break;
            case TokenKind::End:
                break;
        }
        if (builder_.paragraphs() > kMaxRtfParagraphs) {
            return refuse(withArguments(
                translated("manual reader",
                           "the document has more than %1 paragraphs (at byte %2)"),
                {std::to_string(kMaxRtfParagraphs), std::to_string(tokenizer_.position())}));
        }
    }
}

// After \uN the next \ucN characters are the fallback for readers without Unicode: one byte,
// \'hh or control word each; a group boundary ends them early.
bool Parser::skipFallback(Token& token) {
    if (fallbackToSkip_ == 0) {
        return false;
    }
    switch (token.kind) {
        case TokenKind::GroupStart:
        case TokenKind::GroupEnd:
        case TokenKind::End:
            fallbackToSkip_ = 0;
            return false;
        case TokenKind::Text: {
            const auto skipped =
                std::min<std::size_t>(static_cast<std::size_t>(fallbackToSkip_), token.text.size());
            token.text.remove_prefix(skipped);
            fallbackToSkip_ -= static_cast<int>(skipped);
            return token.text.empty();
        }
        default:
            --fallbackToSkip_;
            return true;
    }
}

bool Parser::startGroup() {
    if (groups_.size() >= static_cast<std::size_t>(kMaxRtfGroupDepth)) {
        return false;
    }
    groups_.push_back(groups_.empty() ? GroupState{} : groups_.back());
    return true;
}

void Parser::endGroup() {
    const Destination closed = groups_.back().destination;
    groups_.pop_back();
    const Destination outer = groups_.empty() ? Destination::Text : top().destination;
    if (closed == Destination::Picture && outer != Destination::Picture) {
        const QImage image = decodePicture(picture_);
        if (!image.isNull() && outer == Destination::Text) {
            builder_.addImage(image, displaySize(picture_, image.size()));
        }
        picture_ = Picture{};
    }
    if (closed == Destination::FontTable && !fontName_.isEmpty()) {
        commitFontName();  // an entry such as {\f0 Arial} without its semicolon
    }
}

void Parser::controlWord(const Token& token) {
    const Destination destination = top().destination;
    if (destination == Destination::Skip) {
        return;
    }
    const Keyword keyword = keywordFor(token.text);
    switch (keyword) {
        case Keyword::FontTable:
            top().destination = Destination::FontTable;
            return;
        case Keyword::ColorTable:
            top().destination = Destination::ColorTable;
            return;
        case Keyword::Picture:
            top().destination = Destination::Picture;
            picture_ = Picture{};
            return;
        case Keyword::SkippedDestination:
            top().destination = Destination::Skip;
            return;
        default:
            break;
    }
    documentWord(keyword, token);
    switch (destination) {
        case Destination::Text:
            textWord(keyword, token);
            break;
        case Destination::FontTable:
        case Destination::ColorTable:
            tableWord(keyword, token);
            break;
        case Destination::Picture:
            pictureWord(keyword, token);
            break;
        case Destination::Skip:
            break;
    }
}

void Parser::documentWord(Keyword keyword, const Token& token) {
    switch (keyword) {
        case Keyword::Ansi:
            tables_.codePage = 1252;
            break;
        case Keyword::Mac:
            tables_.codePage = 10000;
            break;
        case Keyword::Pc:
            tables_.codePage = 437;
            break;
        case Keyword::Pca:
            tables_.codePage = 850;
            break;
        case Keyword::AnsiCodePage:
            tables_.codePage = clamped(token, kDefaultCodePage, 1, 65535);
            break;
        case Keyword::DefaultFont:
            tables_.defaultFont = clamped(token, 0, 0, 65535);
            break;
        case Keyword::UnicodeSkip:
            top().unicodeSkip = clamped(token, 1, 0, kMaxUnicodeSkip);
            break;
        default:
            break;
    }
}

void Parser::textWord(Keyword keyword, const Token& token) {
    CharacterState& chars = top().character;
    ParagraphState& paragraph = top().paragraph;
    switch (keyword) {
        case Keyword::Plain:
            chars = CharacterState{};
            break;
        case Keyword::Bold:
            chars.bold = switchedOn(token);
            break;
        case Keyword::Italic:
            chars.italic = switchedOn(token);
            break;
        case Keyword::Underline:
            chars.underline = switchedOn(token);
            break;
        case Keyword::UnderlineNone:
            chars.underline = false;
            break;
        case Keyword::Strike:
            chars.strike = switchedOn(token);
            break;
        case Keyword::FontSize:
            chars.halfPoints = clamped(token, 24, 2, kMaxHalfPoints);
            break;
        case Keyword::Font:
            chars.font = clamped(token, 0, 0, 65535);
            break;
        case Keyword::Foreground:
            chars.foreground = clamped(token, 0, 0, 65535);
            break;
        case Keyword::Highlight:
        case Keyword::Background:
            chars.background = clamped(token, 0, 0, 65535);
            break;
        case Keyword::Unicode:
            if (token.hasParameter && token.parameter >= -32768 && token.parameter <= 65535) {
                character(static_cast<char16_t>(token.parameter < 0 ? token.parameter + 65536
                                                                    : token.parameter));
            }
            fallbackToSkip_ = top().unicodeSkip;
            break;
        case Keyword::Pard:
            paragraph = ParagraphState{};
            break;
        case Keyword::Par:
            builder_.endParagraph(paragraph);
            break;
        case Keyword::Line:
            character(QChar::LineSeparator);
            break;
        case Keyword::Tab:
            character(u'\t');
            break;
        case Keyword::AlignLeft:
            paragraph.alignment = Alignment::Left;
            break;
        case Keyword::AlignCenter:
            paragraph.alignment = Alignment::Center;
            break;
        case Keyword::AlignRight:
            paragraph.alignment = Alignment::Right;
            break;
        case Keyword::AlignJustify:
            paragraph.alignment = Alignment::Justify;
            break;
        case Keyword::LeftIndent:
            paragraph.leftIndent = clamped(token, 0, -kMaxTwips, kMaxTwips);
            break;
        case Keyword::RightIndent:
            paragraph.rightIndent = clamped(token, 0, -kMaxTwips, kMaxTwips);
            break;
        case Keyword::FirstIndent:
            paragraph.firstIndent = clamped(token, 0, -kMaxTwips, kMaxTwips);
            break;
        case Keyword::SpaceBefore:
            paragraph.spaceBefore = clamped(token, 0, 0, kMaxTwips);
            break;
        case Keyword::SpaceAfter:
            paragraph.spaceAfter = clamped(token, 0, 0, kMaxTwips);
            break;
        case Keyword::Bullet:
            character(u'\u2022');
            break;
        case Keyword::EmDash:
            character(u'\u2014');
            break;
        case Keyword::EnDash:
            character(u'\u2013');
            break;
        case Keyword::LeftQuote:
            character(u'\u2018');
            break;
        case Keyword::RightQuote:
            character(u'\u2019');
            break;
        case Keyword::LeftDoubleQuote:
            character(u'\u201C');
            break;
        case Keyword::RightDoubleQuote:
            character(u'\u201D');
            break;
        default:
            break;
    }
}

void Parser::tableWord(Keyword keyword, const Token& token) {
    switch (keyword) {
        case Keyword::Font:
            currentFont_ = clamped(token, 0, 0, 65535);
            fontName_.clear();
            if (tables_.fonts.size() < kMaxFonts) {
                tables_.fonts.try_emplace(currentFont_);
            }
            break;
        case Keyword::Charset:
            if (const auto font = tables_.fonts.find(currentFont_); font != tables_.fonts.end()) {
                font->second.codePage = codePageForCharset(clamped(token, 0, 0, 255));
            }
            break;
        case Keyword::FontCodePage:
            if (const auto font = tables_.fonts.find(currentFont_); font != tables_.fonts.end()) {
                font->second.codePage = clamped(token, 0, 0, 65535);
            }
            break;
        case Keyword::Red:
            red_ = clamped(token, 0, 0, 255);
            colourGiven_ = true;
            break;
        case Keyword::Green:
            green_ = clamped(token, 0, 0, 255);
            colourGiven_ = true;
            break;
        case Keyword::Blue:
            blue_ = clamped(token, 0, 0, 255);
            colourGiven_ = true;
            break;
        default:
            break;
    }
}

void Parser::pictureWord(Keyword keyword, const Token& token) {
    switch (keyword) {
        case Keyword::PngBlip:
            picture_.format = PictureFormat::Png;
            break;
        case Keyword::JpegBlip:
            picture_.format = PictureFormat::Jpeg;
            break;
        case Keyword::PictureGoalWidth:
            picture_.goalWidth = clamped(token, 0, 0, kMaxTwips * 10);
            break;
        case Keyword::PictureGoalHeight:
            picture_.goalHeight = clamped(token, 0, 0, kMaxTwips * 10);
            break;
        case Keyword::PictureScaleX:
            picture_.scaleX = clamped(token, 100, 1, 1000);
            break;
        case Keyword::PictureScaleY:
            picture_.scaleY = clamped(token, 100, 1, 1000);
            break;
        default:
            break;
    }
}

void Parser::controlSymbol(char symbol) {
    switch (symbol) {
        case '*':
            starPending_ = true;
            break;
        case '\\':
        case '{':
        case '}':
            text(std::string_view(&symbol, 1));
            break;
        case '~':
            character(u'\u00A0');
            break;
        case '_':
            character(u'\u2011');
            break;
        default:
            break;  // \- optional hyphen, \| \: index marks and the unknown ones
    }
}

void Parser::text(std::string_view bytes) {
    switch (top().destination) {
        case Destination::Text:
            builder_.addBytes(top().character, bytes);
            break;
        case Destination::FontTable:
            for (const char c : bytes) {
                if (c == ';') {
                    commitFontName();
                } else {
                    fontName_.append(c);
                }
            }
            break;
        case Destination::ColorTable:
            for (const char c : bytes) {
                if (c == ';') {
                    commitColour();
                }
            }
            break;
        case Destination::Picture:
            picture_.addHex(bytes);
            break;
        case Destination::Skip:
            break;
    }
}

void Parser::character(char16_t c) {
    if (top().destination == Destination::Text) {
        builder_.addCharacter(top().character, c);
    }
}

void Parser::commitFontName() {
    if (const auto font = tables_.fonts.find(currentFont_); font != tables_.fonts.end()) {
        font->second.family = builder_.decodeBytes(fontName_).trimmed();
    }
    fontName_.clear();
}

void Parser::commitColour() {
    if (tables_.colors.size() < kMaxColours) {
        tables_.colors.push_back(colourGiven_ ? QColor(red_, green_, blue_) : QColor());
    }
    red_ = green_ = blue_ = 0;
    colourGiven_ = false;
}

// Where the document's own group starts: after blanks and a UTF-8 byte order mark, if any.
std::size_t documentStart(std::string_view input) {
    std::size_t start = 0;
    if (input.substr(0, 3) == "\xEF\xBB\xBF") {
        start = 3;
    }
    while (start < input.size() &&
           std::string_view(" \t\r\n").find(input[start]) != std::string_view::npos) {
        ++start;
    }
    return start;
}

}  // namespace

Result<> readRtf(QByteArrayView data, QTextDocument& document) {
    document.clear();
    const std::string_view input(data.data(), static_cast<std::size_t>(data.size()));
    if (input.empty()) {
        return refuse(std::string(translated("manual reader", "the file is empty")));
    }
    const std::size_t start = documentStart(input);
    if (input.substr(start, 5) != "{\\rtf") {
        return refuse(std::string(translated(
            "manual reader", "this is not an RTF document: it does not begin with {\\rtf")));
    }
    Result<> result = Parser(input.substr(start), document).run();
    if (!result) {
        document.clear();
    }
    return result;
}

Result<> readRtfFile(const QString& path, QTextDocument& document) {
    document.clear();
    const QFileInfo info(path);
    if (info.isDir()) {
        return refuse(withArguments(translated("manual reader", "%1 is a folder, not a file"),
                                    {path.toStdString()}));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refuse(withArguments(translated("manual reader", "%1 cannot be opened: %2"),
                                    {path.toStdString(), file.errorString().toStdString()}));
    }
    // The size is checked on what was read too: a file may grow, or report no size at all.
    const QByteArray data =
        file.size() > kMaxRtfFileSize ? QByteArray() : file.read(kMaxRtfFileSize + 1);
    if (file.size() > kMaxRtfFileSize || data.size() > kMaxRtfFileSize) {
        return refuse(withArguments(
            translated("manual reader", "%1 is larger than %2 MiB"),
            {path.toStdString(), std::to_string(kMaxRtfFileSize / (qint64{1024} * 1024))}));
    }
    if (file.error() != QFileDevice::NoError) {
        return refuse(withArguments(translated("manual reader", "%1 cannot be read: %2"),
                                    {path.toStdString(), file.errorString().toStdString()}));
    }
    return readRtf(data, document);
}

}  // namespace zelvar
