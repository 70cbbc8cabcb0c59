#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "rtf/code_page.h"
#include "rtf/state.h"

class QTextDocument;

namespace zelvar::rtf {

struct FontEntry {
    QString family;
    int codePage = 0;  // 0: the document's
};

// What the header of a document declares and the text refers to by number.
struct DocumentTables {
    int codePage = kDefaultCodePage;
    int defaultFont = 0;
    std::map<int, FontEntry> fonts;
    std::vector<QColor> colors;  // an invalid colour stands for "automatic"
};

inline constexpr qint64 kMaxPicturePixels = qint64{32} * 1024 * 1024;  // all pictures together

// Writes text, paragraphs and pictures into a QTextDocument. Consecutive text with the same
// formatting is collected and inserted as one run.
class DocumentBuilder {
  public:
    DocumentBuilder(QTextDocument& document, const DocumentTables& tables);

    void addBytes(const CharacterState& state, std::string_view bytes);
    void addCharacter(const CharacterState& state, char16_t character);
    void endParagraph(const ParagraphState& paragraph);
    void addImage(const QImage& image, QSizeF size);
    // Ends the last paragraph; a trailing empty paragraph left by a final \par is dropped.
    void finish(const ParagraphState& paragraph);

    int paragraphs() const { return paragraphs_; }
    QString decodeBytes(const QByteArray& bytes);  // in the document's code page

  private:
    void switchTo(const CharacterState& state);
    void decodePendingBytes();
    void flush();
    int codePageOf(const CharacterState& state) const;
    QTextCharFormat charFormat(const CharacterState& state) const;

    QTextDocument& document_;
    const DocumentTables& tables_;
    QTextCursor cursor_;
    CodePageDecoder decoder_;
    CharacterState pendingState_;
    QByteArray pendingBytes_;
    QString pendingText_;
    int paragraphs_ = 1;
    int images_ = 0;
    qint64 picturePixels_ = 0;
};

// Text as a QTextDocument may hold it: control characters other than tab and line separator
// dropped; lone surrogates and the characters the document uses for its own structure
// replaced by U+FFFD.
QString cleanText(const QString& text);

}  // namespace zelvar::rtf
