#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTextDocument>
#include <ostream>
#include <string>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zelvar::test {

// The text of every paragraph, joined with "\n"; line separators, pictures and special
// blanks stay as the document holds them.
QString paragraphsOf(const QTextDocument& document);

// The formatting of the first run containing `word`: "b i u s 12pt fg=#rrggbb bg=#rrggbb
// font=Name", each part only when set; "missing" when no run contains the word.
QString formatOf(const QTextDocument& document, const QString& word);

// Alignment and non-zero margins of paragraph `index`: "center li=48 fi=-24"; "missing"
// when there is no such paragraph.
QString paragraphFormatOf(const QTextDocument& document, int index);

// An image file of the given format as RTF hex digits, 64 to a line.
QByteArray pictureHex(const QImage& image, const char* format);

// A gtest parameter name made of the letters and digits of `text`.
std::string testName(std::string text);

}  // namespace zelvar::test
