#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>

class QStringDecoder;

namespace zelvar::rtf {

inline constexpr int kDefaultCodePage = 1252;

// The code page a font's \fcharset stands for; 0 when the charset means "the document's".
int codePageForCharset(int charset);

// Turns the 8-bit text of an RTF document into Unicode. Windows-1252, Latin-1 and UTF-8 are
// always known; other code pages come from the platform's converters when it has them and
// fall back to Windows-1252 otherwise, so that text is never lost.
class CodePageDecoder {
  public:
    CodePageDecoder();
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    QString decode(int codePage, const QByteArray& bytes);

  private:
    QStringDecoder* decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;  // null: no such converter
};

// Windows-1252 without any converter: Latin-1 except for 0x80..0x9F.
QString decodeWindows1252(const QByteArray& bytes);

}  // namespace zelvar::rtf
