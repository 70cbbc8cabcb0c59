#include "rtf/document_builder.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace zelvar::rtf {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isDocumentStructure(char16_t c) {
    return c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter ||
           (c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFFFE || c == 0xFFFF;
}

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Justify:
            return Qt::AlignJustify;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat blockFormat(const ParagraphState& paragraph) {
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(paragraph.alignment));
    format.setLeftMargin(paragraph.leftIndent / kTwipsPerPixel);
    format.setRightMargin(paragraph.rightIndent / kTwipsPerPixel);
    format.setTextIndent(paragraph.firstIndent / kTwipsPerPixel);
    format.setTopMargin(paragraph.spaceBefore / kTwipsPerPixel);
    format.setBottomMargin(paragraph.spaceAfter / kTwipsPerPixel);
    if (paragraph.firstIndent < 0 && paragraph.leftIndent > 0) {
        // A hanging indent is a tab stop too: list text such as "bullet, tab, item" lines up.
        format.setTabPositions(
            {QTextOption::Tab(-paragraph.firstIndent / kTwipsPerPixel, QTextOption::LeftTab)});
    }
    return format;
}

}  // namespace

QString cleanText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            clean.append(text[i]).append(text[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c) || isDocumentStructure(c)) {
            clean.append(QChar(kReplacement));
        } else if ((c >= 0x20 && !(c >= 0x7F && c < 0xA0)) || c == u'\t' ||
                   c == QChar::LineSeparator) {
            clean.append(text[i]);
        }
    }
    return clean;
}

DocumentBuilder::DocumentBuilder(QTextDocument& document, const DocumentTables& tables)
    : document_(document), tables_(tables), cursor_(&document) {}

void DocumentBuilder::addBytes(const CharacterState& state, std::string_view bytes) {
    switchTo(state);
    pendingBytes_.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void DocumentBuilder::addCharacter(const CharacterState& state, char16_t character) {
    switchTo(state);
    decodePendingBytes();
    pendingText_.append(QChar(character));
}

void DocumentBuilder::endParagraph(const ParagraphState& paragraph) {
    flush();
    cursor_.setBlockFormat(blockFormat(paragraph));
    cursor_.insertBlock();
    ++paragraphs_;
}

void DocumentBuilder::addImage(const QImage& image, QSizeF size) {
    const qint64 pixels = qint64{image.width()} * image.height();
    if (image.isNull() || picturePixels_ + pixels > kMaxPicturePixels) {
        return;
    }
    picturePixels_ += pixels;
    flush();
    const QString name = QStringLiteral("rtf-picture:%1").arg(++images_);
    document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    cursor_.insertImage(format);
}

void DocumentBuilder::finish(const ParagraphState& paragraph) {
    flush();
    if (paragraphs_ > 1 && cursor_.block().length() == 1) {
        cursor_.deletePreviousChar();
        --paragraphs_;
        return;
    }
    cursor_.setBlockFormat(blockFormat(paragraph));
}

QString DocumentBuilder::decodeBytes(const QByteArray& bytes) {
    return decoder_.decode(tables_.codePage, bytes);
}

void DocumentBuilder::switchTo(const CharacterState& state) {
    if (!(state == pendingState_)) {
        flush();
        pendingState_ = state;
    }
}

void DocumentBuilder::decodePendingBytes() {
    if (!pendingBytes_.isEmpty()) {
        pendingText_.append(decoder_.decode(codePageOf(pendingState_), pendingBytes_));
        pendingBytes_.clear();
    }
}

void DocumentBuilder::flush() {
    decodePendingBytes();
    if (!pendingText_.isEmpty()) {
        cursor_.insertText(cleanText(pendingText_), charFormat(pendingState_));
        pendingText_.clear();
    }
}

int DocumentBuilder::codePageOf(const CharacterState& state) const {
    const auto font = tables_.fonts.find(state.font < 0 ? tables_.defaultFont : state.font);
    if (font != tables_.fonts.end() && font->second.codePage != 0) {
        return font->second.codePage;
    }
    return tables_.codePage;
}

QTextCharFormat DocumentBuilder::charFormat(const CharacterState& state) const {
    QTextCharFormat format;
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    format.setFontPointSize(state.halfPoints / 2.0);
    const auto font = tables_.fonts.find(state.font < 0 ? tables_.defaultFont : state.font);
    if (font != tables_.fonts.end() && !font->second.family.isEmpty()) {
        format.setFontFamilies(QStringList{font->second.family});
    }
    const auto colour = [this](int index) {
        return index >= 0 && static_cast<std::size_t>(index) < tables_.colors.size()
                   ? tables_.colors[static_cast<std::size_t>(index)]
                   : QColor();
    };
    if (const QColor foreground = colour(state.foreground); foreground.isValid()) {
        format.setForeground(foreground);
    }
    if (const QColor background = colour(state.background); background.isValid()) {
        format.setBackground(background);
    }
    return format;
}

}  // namespace zelvar::rtf
