#include "rtf/reader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <string>
#include <vector>

namespace zelvar {
namespace {

// Every paragraph's text, joined with "\n".
std::string textOf(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs.join('\n').toStdString();
}

std::string read(const QByteArray& rtf, QTextDocument& document) {
    const Result<> result = readRtf(rtf, document);
    EXPECT_TRUE(result) << reasonOf(result);
    return textOf(document);
}

// The first run holding `word`, as "b i u s 12pt fg=#rrggbb bg=#rrggbb font=Name" (parts set only).
std::string formatOf(const QTextDocument& document, const QString& word) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().text().contains(word))
                continue;
            const QTextCharFormat f = it.fragment().charFormat();
            QStringList parts;
            const auto add = [&parts](bool set, const QString& part) {
                if (set)
                    parts << part;
            };
            add(f.fontWeight() >= QFont::Bold, "b");
            add(f.fontItalic(), "i");
            add(f.fontUnderline(), "u");
            add(f.fontStrikeOut(), "s");
            add(true, QString::number(f.fontPointSize()) + "pt");
            add(f.foreground().style() != Qt::NoBrush, "fg=" + f.foreground().color().name());
            add(f.background().style() != Qt::NoBrush, "bg=" + f.background().color().name());
            add(!f.fontFamilies().toStringList().isEmpty(),
                "font=" + f.fontFamilies().toStringList().join(','));
            return parts.join(' ').toStdString();
        }
    }
    return "missing";
}

// Each paragraph as "center li=48 fi=-24" (alignment, then the margins that are not zero), joined
// with " | ".
std::string paragraphFormatsOf(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        QStringList parts = {a == Qt::AlignHCenter   ? "center"
                             : a == Qt::AlignRight   ? "right"
                             : a == Qt::AlignJustify ? "justify"
                                                     : "left"};
        const std::pair<const char*, double> margins[] = {{"li", f.leftMargin()},
                                                          {"ri", f.rightMargin()},
                                                          {"fi", f.textIndent()},
                                                          {"sb", f.topMargin()},
                                                          {"sa", f.bottomMargin()}};
        for (const auto& [name, value] : margins)
            if (value != 0)
                parts << QString("%1=%2").arg(name).arg(value);
        paragraphs << parts.join(' ');
    }
    return paragraphs.join(" | ").toStdString();
}

TEST(RtfReader, GivesTheText) {
    // clang-format off
    const std::pair<QByteArray, std::string> rows[] = {
        {"{\\rtf1 caf\\'e9 \\'80 \\'E9\\'zz}", "café € ézz"},  // 1252 by default; bad hex dropped
        {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", "Привет"},
        {"{\\rtf1\\mac \\'8e}", "é"}, {"{\\rtf1\\pc \\'82}", "é"},
        {"{\\rtf1\\ansicpg932 \\'82\\'a0}", "あ"},  // two bytes, one character
        {"{\\rtf1\\ansicpg99999 \\'e9 raw \xe9}", "é raw é"},  // unknown page: 1252; 8-bit text
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Greek;}}\\f1 \\'e1\\f0 \\'e1}", "αá"},
        {"{\\rtf1{\\fonttbl{\\f0\\cpg1251 Cyr;}}\\f0 \\'e4}", "д"},
        {"{\\rtf1 A\\u233?B\\uc2 \\u8364\\'80\\'80x}", "AéB€x"},
        {"{\\rtf1\\uc1\\u8364\\bullet x}", "€x"},  // a control word counts one
        {"{\\rtf1\\u-3913?\\uc0\\u-10179\\u-8704}", "\uF0B7😀"},
        {"{\\rtf1\\uc0\\u55357 x\\u99999999999?ok}", "\uFFFDx?ok"},  // lone surrogate; out of range
        {"{\\rtf1{\\uc3 }\\u233 abc\\uc4\\u233{x}y}", "ébcéxy"},  // \uc ends with its group; so does the fallback
        {"{\\rtf1{\\info{\\title T}}{\\*\\generator G;}{\\header H}{\\*\\zzz {\\b deep}}{\\*}Body}", "Body"},
        {"{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\colortbl;\\red1\\green2\\blue3;}\\foo\\bar12 x}", "x"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
        {"{\\rtf1 a\\par b\\line c\\tab d\\par}", "a\nb\u2028c\td"},  // a final \par adds nothing
        {"{\\rtf1 a\\par\\par}", "a\n"},
        {"{\\rtf1 a\\\r\nb line\r\nbreak}", "a\nb linebreak"},  // bare line ends are nothing
        {"{\\rtf1 \\{x\\} \\\\ \\~\\_\\-}", "{x} \\ \u00A0\u2011"},
        {"{\\rtf1\\bullet\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote}", "•—–‘’“”"},
        {"{\\rtf1{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}Item\\par}", "·\tItem"},
        {"{\\rtf1 a\\'00\\'07\\'7f\\'81b\\uc0\\u65532\\u8233 x}", "a\uFFFDb\uFFFD\uFFFDx"},  // no controls
        {"{\\rtf1 a\\bin2 {}b\\bin0 c}", "abc"},  // \bin data is not text
        {"\xEF\xBB\xBF  \r\n{\\rtf1 in}out{more}}}", "in"},
        {"{\\rtf1\\fs99999999999999999999\\li-99999999999\\fs- 5}", "- 5"},
        {"{\\rtf1" + QByteArray("{").repeated(kMaxRtfGroupDepth - 1) + "deep" + QByteArray("}").repeated(kMaxRtfGroupDepth), "deep"},  // at the limits; one more is refused
        {"{\\rtf1" + QByteArray("\\par").repeated(kMaxRtfParagraphs - 1) + "}", std::string(kMaxRtfParagraphs - 2, '\n')}};
    // clang-format on
    for (const auto& [rtf, text] : rows) {
        QTextDocument document;
        EXPECT_EQ(read(rtf, document), text) << rtf.left(80).toStdString();
    }
}

TEST(RtfReader, FormatsCharactersAndParagraphs) {
    const std::string colours =
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}";
    const std::string fonts =
        "{\\rtf1\\deff1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\fswiss Arial;}}";
    // clang-format off
    const std::pair<std::string, std::vector<std::pair<const char*, const char*>>> characters[] = {
        {"{\\rtf1 plain\\b bold\\b0 not}", {{"plain", "12pt"}, {"bold", "b 12pt"}, {"not", "12pt"}}},
        {"{\\rtf1{\\i it}after}", {{"it", "i 12pt"}, {"after", "12pt"}}},
        {"{\\rtf1\\ul u\\ulnone n}", {{"n", "12pt"}}}, {"{\\rtf1\\ul u\\ul0 off}", {{"u", "u 12pt"}, {"off", "12pt"}}},
        {"{\\rtf1\\strike s}", {{"s", "s 12pt"}}}, {"{\\rtf1\\fs20 ten}", {{"ten", "10pt"}}},
        {"{\\rtf1\\fs0 tiny}", {{"tiny", "1pt"}}}, {"{\\rtf1\\fs999999 huge}", {{"huge", "1638pt"}}},
        {"{\\rtf1\\b\\i\\ul\\fs40 x\\plain after}", {{"after", "12pt"}}},
        {"{\\rtf1\\pard\\b kept}", {{"kept", "b 12pt"}}},  // \pard leaves characters
        {colours + "\\cf1 red}", {{"red", "12pt fg=#ff0000"}}},
        {colours + "\\cf2\\highlight1 mix\\cf0\\cb1 back}", {{"mix", "12pt fg=#008000 bg=#ff0000"}, {"back", "12pt bg=#ff0000"}}},
        {"{\\rtf1{\\colortbl;\\red999\\green-5\\blue0;}\\cf1 clamped\\cf99 nowhere}", {{"clamped", "12pt fg=#ff0000"}, {"nowhere", "12pt"}}},
        {fonts + "standard \\f0 mono}", {{"standard", "12pt font=Arial"}, {"mono", "12pt font=Courier New"}}},
        {"{\\rtf1{\\fonttbl{\\f0 Sans{\\*\\panose 0203}{\\*\\falt Other};}}x}", {{"x", "12pt font=Sans"}}},
        {"{\\rtf1{\\fonttbl{\\f3 NoSemicolon}}\\f3 y}", {{"y", "12pt font=NoSemicolon"}}},
        {"{\\rtf1{\\fonttbl\\f0 Flat;\\f1 Second;}\\f1 z}", {{"z", "12pt font=Second"}}}};
    const std::pair<const char*, const char*> paragraphs[] = {
        {"{\\rtf1\\qc c\\par\\pard l}", "center | left"}, {"{\\rtf1\\qr r\\par\\qj j\\par\\ql l}", "right | justify | left"},
        {"{\\rtf1 a\\qc\\par b}", "center | center"},  // kept until \pard
        {"{\\rtf1\\li720\\ri300\\fi-360\\sb150\\sa75 x\\par\\pard y}", "left li=48 ri=20 fi=-24 sb=10 sa=5 | left"},
        {"{\\rtf1\\li999999999\\sb-40 x}", "left li=2112"}};
    // clang-format on
    for (const auto& [rtf, words] : characters) {
        QTextDocument document;
        read(QByteArray::fromStdString(rtf), document);
        for (const auto& [word, format] : words)
            EXPECT_EQ(formatOf(document, word), format) << rtf << " / " << word;
    }
    for (const auto& [rtf, formats] : paragraphs) {
        QTextDocument document;
        read(rtf, document);
        EXPECT_EQ(paragraphFormatsOf(document), formats) << rtf;
    }
}

QByteArray pictureHex(int width, const char* format) {
    QImage image(width, width > 4 ? 1 : (format[0] == 'P' ? 2 : 4), QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toHex();
}

TEST(RtfReader, ShowsPicturesOrLeavesThemOut) {
    const QByteArray png = pictureHex(3, "PNG");
    const QByteArray bin =
        "\\bin" + QByteArray::number(png.size() / 2) + " " + QByteArray::fromHex(png);
    // clang-format off
    const std::tuple<QByteArray, int, QSizeF> rows[] = {
        {"\\pngblip\\picwgoal450\\pichgoal300 " + png, 1, {30, 20}},
        {"\\pngblip " + png.left(31) + "\r\n" + png.mid(31) + " a", 1, {3, 2}},  // blanks, odd digit
        {"\\jpegblip\\picscalex200\\picscaley50 " + pictureHex(4, "JPEG"), 1, {8, 2}},
        {"\\pngblip" + bin, 1, {3, 2}},
        {"\\pngblip\\picwgoal2147483647\\picscalex1000 " + png, 1, {4096, 2}},  // bounded
        {"\\wmetafile8 0102030405", 0, {}}, {"\\pngblip 89504e470d0a1a0a0000", 0, {}}, {"\\pngblip", 0, {}},
        {"\\pngblip " + png.left(40), 0, {}}, {"\\pngblip " + pictureHex(4097, "PNG"), 0, {}}};  // too wide
    // clang-format on
    for (const auto& [data, count, size] : rows) {
        for (const QByteArray& around :
             {QByteArray("{\\rtf1 before{\\pict %}after}"),
              QByteArray("{\\rtf1 before{\\*\\shppict{\\pict %}}{\\nonshppict{\\pict\\wmetafile8 "
                         "01}}after}"),
              QByteArray("{\\rtf1 before{\\*\\unknown{\\pict %}}after}")}) {
            QTextDocument document;
            const int expected = around.contains("unknown") ? 0 : count;
            const std::string text = read(QByteArray(around).replace("%", data), document);
            EXPECT_EQ(text, expected ? "before\uFFFCafter" : "beforeafter")
                << data.left(60).toStdString();
            if (expected) {
                auto picture = ++document.begin().begin();
                const QTextImageFormat format = picture.fragment().charFormat().toImageFormat();
                EXPECT_EQ(QSizeF(format.width(), format.height()), size);
                const QImage image =
                    document.resource(QTextDocument::ImageResource, QUrl(format.name()))
                        .value<QImage>();
                EXPECT_GE(image.pixelColor(0, 0).red(), 250);
            }
        }
    }
}

// Files that cannot be read, and RTF that is not, is cut, or is nested too deep or too long:
// a reason and no document (reading a file that opens: tests/ui/instructions_viewer_test.cpp).
TEST(RtfReader, RefusesBrokenInputWithAReasonAndNoDocument) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.rtf"));
    QFile huge(folder.filePath("huge.rtf"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxRtfFileSize + 1));  // sparse
    const QByteArray deep = QByteArray("{").repeated(100000);
    // clang-format off
    const std::pair<QByteArray, const char*> rows[] = {
        {"", "empty"}, {"Hello, world", "not an RTF document"}, {"{\\rt", "not an RTF document"},
        {"{\\rtf1\\ansi Hello", "1 group still open"}, {"{\\rtf1 {\\b bold} {\\i open", "2 groups still open"},
        {"{\\rtf1 caf\\'e", "still open"}, {"{\\rtf1 x\\", "still open"}, {"{\\rtf1\\bin2147483647 x}", "still open"},
        {"{\\rtf1" + QByteArray("{").repeated(kMaxRtfGroupDepth) + "x", "deeper than 1000 levels"}, {"{\\rtf1" + deep + "}" + QByteArray("}").repeated(100000), "deeper than 1000 levels"},
        {"{\\rtf1" + QByteArray("\\par").repeated(kMaxRtfParagraphs) + "}", "more than 20000 paragraphs"}};
    // clang-format on
    std::vector<std::pair<QString, const char*>> files = {
        {folder.filePath("absent.rtf"), "cannot be opened"},
        {folder.filePath("folder.rtf"), "is a folder"},
        {huge.fileName(), "larger than 16 MiB"}};
    for (const auto& [rtf, reason] : rows) {
        QFile file(folder.filePath(QString::number(files.size()) + ".rtf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(rtf) == rtf.size());
        files.emplace_back(file.fileName(), reason);
    }
    for (const auto& [path, reason] : files) {
        QTextDocument document;
        document.setPlainText("old content");
        const Result<> result = readRtfFile(path, document);
        EXPECT_FALSE(result);
        EXPECT_NE(reasonOf(result).find(reason), std::string::npos) << reasonOf(result);
        EXPECT_TRUE(document.isEmpty());
    }
}

TEST(RtfReader, ReadsTheManualAndRefusesEveryCutOfIt) {
    QFile file(QStringLiteral(ZELVAR_SOURCE_DIR "/docs/Zelvar_Config.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray manual = file.readAll();
    QTextDocument document;
    const QString text = QString::fromStdString(read(manual, document));
    EXPECT_TRUE(paragraphFormatsOf(document).starts_with("center sa=4 | "));
    EXPECT_EQ(formatOf(document, "Zelvar Config"), "b 20pt fg=#003366 font=DejaVu Sans");
    EXPECT_EQ(text.count(QChar::ObjectReplacementCharacter), 2);
    for (const char* needed : {"\n•\tTX DELAY (mS)", "45° 30.15'", "Transfer OK", "dialout",
                               "zelvar-cli", "GPSless", "Manca il file", "Ctrl+P"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(needed))) << needed;
    for (qsizetype length = 0; length < manual.size() - 2; length += manual.size() / 120) {
        const Result<> result = readRtf(manual.left(length), document);
        ASSERT_FALSE(result) << length;
        EXPECT_FALSE(reasonOf(result).empty());
    }
}

}  // namespace
}  // namespace zelvar
