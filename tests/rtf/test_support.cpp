#include "test_support.h"

#include <QBuffer>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextFragment>
#include <cctype>

namespace zelvar::test {

QString paragraphsOf(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs.join(QLatin1Char('\n'));
}

QString formatOf(const QTextDocument& document, const QString& word) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().text().contains(word))
                continue;
            const QTextCharFormat format = it.fragment().charFormat();
            QStringList parts;
            const auto add = [&parts](bool set, const QString& part) {
                if (set)
                    parts << part;
            };
            add(format.fontWeight() >= QFont::Bold, "b");
            add(format.fontItalic(), "i");
            add(format.fontUnderline(), "u");
            add(format.fontStrikeOut(), "s");
            add(true, QString::number(format.fontPointSize()) + "pt");
            add(format.foreground().style() != Qt::NoBrush,
                "fg=" + format.foreground().color().name());
            add(format.background().style() != Qt::NoBrush,
                "bg=" + format.background().color().name());
            const QStringList families = format.fontFamilies().toStringList();
            add(!families.isEmpty(), "font=" + families.join(','));
            return parts.join(' ');
        }
    }
    return "missing";
}

QString paragraphFormatOf(const QTextDocument& document, int index) {
    const QTextBlock block = document.findBlockByNumber(index);
    if (!block.isValid())
        return "missing";
    const QTextBlockFormat format = block.blockFormat();
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    QStringList parts = {alignment == Qt::AlignHCenter   ? "center"
                         : alignment == Qt::AlignRight   ? "right"
                         : alignment == Qt::AlignJustify ? "justify"
                                                         : "left"};
    const auto add = [&parts](const char* name, double value) {
        if (value != 0)
            parts << QString("%1=%2").arg(name).arg(value);
    };
    add("li", format.leftMargin());
    add("ri", format.rightMargin());
    add("fi", format.textIndent());
    add("sb", format.topMargin());
    add("sa", format.bottomMargin());
    return parts.join(' ');
}

QByteArray pictureHex(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    const QByteArray hex = bytes.toHex();
    QByteArray lines;
    for (qsizetype i = 0; i < hex.size(); i += 64)
        lines += hex.mid(i, 64) + "\r\n";
    return lines;
}

std::string testName(std::string text) {
    for (char& c : text)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return text;
}

}  // namespace zelvar::test
