#include "rtf/reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <random>
#include <string>

#include "test_support.h"

namespace zelvar {
namespace {

using test::formatOf;
using test::paragraphFormatOf;
using test::paragraphsOf;

QString read(const QByteArray& rtf, QTextDocument& document) {
    const Result<> result = readRtf(rtf, document);
    EXPECT_TRUE(result) << reasonOf(result);
    return paragraphsOf(document);
}

// --- text, code pages, Unicode -------------------------------------------------------------

struct TextCase {
    const char* rtf;
    const char* text;  // UTF-8; paragraphs joined with "\n"
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.rtf;
}

class RtfText : public testing::TestWithParam<TextCase> {};

TEST_P(RtfText, GivesTheText) {
    QTextDocument document;
    EXPECT_EQ(read(GetParam().rtf, document), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Reader, RtfText,
    testing::Values(
        TextCase{"{\\rtf1\\ansi Hello world}", "Hello world"},
        // code pages
        TextCase{"{\\rtf1 caf\\'e9 \\'80}", "café €"},  // 1252 without \ansicpg
        TextCase{"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", "Привет"},
        TextCase{"{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8}", "šč"},
        TextCase{"{\\rtf1\\mac \\'8e}", "é"}, TextCase{"{\\rtf1\\pc \\'82}", "é"},
        TextCase{"{\\rtf1\\ansicpg65001 \\'c3\\'a9}", "é"},
        TextCase{"{\\rtf1\\ansicpg932 \\'82\\'a0}", "あ"},  // two bytes, one character
        TextCase{"{\\rtf1\\ansicpg99999 \\'e9}", "é"},      // unknown: Windows-1252
        TextCase{"{\\rtf1 raw \xe9}", "raw é"},             // 8-bit text without \'
        TextCase{"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Greek;}}\\f1 \\'e1\\f0 \\'e1}",
                 "αá"},
        TextCase{"{\\rtf1{\\fonttbl{\\f0\\cpg1251 Cyr;}}\\f0 \\'e4}", "д"},
        // Unicode and the fallback after it
        TextCase{"{\\rtf1 A\\u233?B}", "AéB"}, TextCase{"{\\rtf1\\uc2 \\u8364\\'80\\'80x}", "€x"},
        TextCase{"{\\rtf1\\uc0\\u8364 x}", "€x"},
        TextCase{"{\\rtf1\\uc1\\u8364\\bullet x}", "€x"},  // a control word counts one
        TextCase{"{\\rtf1\\u-3913?}", "\uF0B7"}, TextCase{"{\\rtf1\\uc0\\u-10179\\u-8704}", "😀"},
        TextCase{"{\\rtf1\\uc0\\u55357 x}", "\uFFFDx"},  // lone surrogate
        TextCase{"{\\rtf1{\\uc3 }\\u233 abc}", "ébc"},   // \uc ends with its group
        TextCase{"{\\rtf1\\uc4\\u233{x}y}", "éxy"},      // a group ends the fallback
        TextCase{"{\\rtf1\\u99999999999?ok}", "ok"},     // out of range: no character
        // destinations
        TextCase{"{\\rtf1{\\info{\\title T}{\\author A}}{\\*\\generator G;}Body}", "Body"},
        TextCase{"{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\header H}{\\footer F}x}", "x"},
        TextCase{"{\\rtf1{\\*\\zzz hidden {\\b deeper}}shown}", "shown"},
        TextCase{"{\\rtf1{\\*}after}", "after"},
        TextCase{"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}x}", "x"},
        TextCase{"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
        TextCase{"{\\rtf1\\foo\\bar12 text}", "text"},  // unknown words ignored
        // paragraphs, lines, tabs, symbols
        TextCase{"{\\rtf1 a\\par b\\line c\\tab d}", "a\nb\u2028c\td"},
        TextCase{"{\\rtf1 a\\par}", "a"},  // final \par adds nothing
        TextCase{"{\\rtf1 a\\par\\par}", "a\n"}, TextCase{"{\\rtf1 a\\\r\nb}", "a\nb"},
        TextCase{"{\\rtf1 line\r\nbreak}", "linebreak"},  // bare line ends are nothing
        TextCase{"{\\rtf1 \\{x\\} \\\\ \\~\\_\\-}", "{x} \\ \u00A0\u2011"},
        TextCase{"{\\rtf1\\bullet\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote}",
                 "•—–‘’“”"},
        TextCase{"{\\rtf1{\\pntext\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}Item\\par}",
                 "·\tItem"},
        // what may not reach the document
        TextCase{"{\\rtf1 a\\'00\\'07\\'7f\\'81b}", "a\uFFFDb"},  // controls dropped
        TextCase{"{\\rtf1\\uc0\\u65532\\u8233\\u-560 x}", "\uFFFD\uFFFD\uFFFDx"},
        TextCase{"{\\rtf1 a\\bin2 {}b}", "ab"},  // \bin data is not text
        // the document's frame
        TextCase{"\xEF\xBB\xBF  \r\n{\\rtf1 ok}", "ok"}, TextCase{"{\\rtf1 in}out{more", "in"},
        TextCase{"{\\rtf1 x}}}}", "x"},
        TextCase{"{\\rtf1\\fs99999999999999999999\\li-99999999999 ok}", "ok"}));

// --- character formatting --------------------------------------------------------------

struct FormatCase {
    const char* rtf;
    const char* word;
    const char* format;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.rtf << " / " << c.word;
}

class RtfCharacterFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(RtfCharacterFormat, AppliesToTheRun) {
    QTextDocument document;
    read(GetParam().rtf, document);
    EXPECT_EQ(formatOf(document, GetParam().word), GetParam().format) << GetParam().rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Reader, RtfCharacterFormat,
    testing::Values(
        FormatCase{"{\\rtf1 plain}", "plain", "12pt"},
        FormatCase{"{\\rtf1\\b bold\\b0 not}", "bold", "b 12pt"},
        FormatCase{"{\\rtf1\\b bold\\b0 not}", "not", "12pt"},
        FormatCase{"{\\rtf1{\\i it}after}", "it", "i 12pt"},
        FormatCase{"{\\rtf1{\\i it}after}", "after", "12pt"},
        FormatCase{"{\\rtf1\\ul u\\ulnone n}", "u", "u 12pt"},
        FormatCase{"{\\rtf1\\ul u\\ulnone n}", "n", "12pt"},
        FormatCase{"{\\rtf1\\ul u\\ul0 off}", "off", "12pt"},
        FormatCase{"{\\rtf1\\strike s}", "s", "s 12pt"},
        FormatCase{"{\\rtf1\\fs20 ten}", "ten", "10pt"},
        FormatCase{"{\\rtf1\\fs0 tiny}", "tiny", "1pt"},
        FormatCase{"{\\rtf1\\fs999999 huge}", "huge", "1638pt"},
        FormatCase{"{\\rtf1\\b\\i\\ul\\fs40 x\\plain after}", "after", "12pt"},
        FormatCase{"{\\rtf1\\pard\\b kept}", "kept", "b 12pt"},  // \pard leaves characters
        FormatCase{"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                   "\\cf1 red}",
                   "red", "12pt fg=#ff0000"},
        FormatCase{"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                   "\\cf2\\highlight1 mix}",
                   "mix", "12pt fg=#008000 bg=#ff0000"},
        FormatCase{"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 x\\cf0 auto}", "auto",
                   "12pt"},
        FormatCase{"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cb1 back}", "back",
                   "12pt bg=#ff0000"},
        FormatCase{"{\\rtf1{\\colortbl;\\red999\\green-5\\blue0;}\\cf1 clamped}", "clamped",
                   "12pt fg=#ff0000"},
        FormatCase{"{\\rtf1{\\colortbl;\\red255;}\\cf99 nowhere}", "nowhere", "12pt"},
        FormatCase{"{\\rtf1\\deff1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\fswiss Arial;}}"
                   "standard \\f0 mono}",
                   "standard", "12pt font=Arial"},
        FormatCase{"{\\rtf1\\deff1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\fswiss Arial;}}"
                   "standard \\f0 mono}",
                   "mono", "12pt font=Courier New"},
        FormatCase{"{\\rtf1{\\fonttbl{\\f0 Sans{\\*\\panose 0203}{\\*\\falt Other};}}x}", "x",
                   "12pt font=Sans"},
        FormatCase{"{\\rtf1{\\fonttbl{\\f3 NoSemicolon}}\\f3 y}", "y", "12pt font=NoSemicolon"},
        FormatCase{"{\\rtf1{\\fonttbl\\f0 Flat;\\f1 Second;}\\f1 z}", "z", "12pt font=Second"}));

// --- paragraph formatting --------------------------------------------------------------

struct ParagraphCase {
    const char* rtf;
    int paragraph;
    const char* format;
};

void PrintTo(const ParagraphCase& c, std::ostream* out) {
    *out << c.rtf << " / " << c.paragraph;
}

class RtfParagraphFormat : public testing::TestWithParam<ParagraphCase> {};

TEST_P(RtfParagraphFormat, AppliesToTheParagraph) {
    QTextDocument document;
    read(GetParam().rtf, document);
    EXPECT_EQ(paragraphFormatOf(document, GetParam().paragraph), GetParam().format)
        << GetParam().rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Reader, RtfParagraphFormat,
    testing::Values(ParagraphCase{"{\\rtf1\\qc c\\par\\pard l}", 0, "center"},
                    ParagraphCase{"{\\rtf1\\qc c\\par\\pard l}", 1, "left"},
                    ParagraphCase{"{\\rtf1\\qr r}", 0, "right"},
                    ParagraphCase{"{\\rtf1\\qj j\\par\\ql l}", 1, "left"},
                    ParagraphCase{"{\\rtf1\\qj j}", 0, "justify"},
                    ParagraphCase{"{\\rtf1 a\\qc\\par b}", 0, "center"},  // as at the \par
                    ParagraphCase{"{\\rtf1 a\\qc\\par b}", 1, "center"},  // kept until \pard
                    ParagraphCase{"{\\rtf1\\li720\\ri300\\fi-360\\sb150\\sa75 x}", 0,
                                  "left li=48 ri=20 fi=-24 sb=10 sa=5"},
                    ParagraphCase{"{\\rtf1\\li999999999\\sb-40 x}", 0, "left li=2112"},
                    ParagraphCase{"{\\rtf1\\li720 x\\par\\pard y}", 1, "left"},
                    ParagraphCase{"{\\rtf1 only}", 1, "missing"}));

// --- pictures --------------------------------------------------------------------------

QImage colouredImage(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct Shown {
    int pictures = 0;
    QSizeF size;
    QImage image;
};

Shown picturesIn(const QTextDocument& document) {
    Shown shown;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QTextImageFormat image = format.toImageFormat();
            ++shown.pictures;
            shown.size = QSizeF(image.width(), image.height());
            shown.image =
                document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
        }
    }
    return shown;
}

struct PictureCase {
    const char* name;
    const char* rtf;  // @PNG@, @JPEG@, @WIDE@, @CUT@ and @BIN@ stand for picture data
    int pictures;
    QSizeF size;
};

// The pictures are made when a test runs, not while the tests are being listed.
QByteArray withPictures(QByteArray rtf) {
    const QByteArray png = test::pictureHex(colouredImage(3, 2, Qt::red), "PNG");
    const QByteArray pngBytes = QByteArray::fromHex(png);
    rtf.replace("@PNG@", png);
    rtf.replace("@CUT@", png.left(40));
    rtf.replace("@BIN@", "\\bin" + QByteArray::number(pngBytes.size()) + " " + pngBytes);
    rtf.replace("@JPEG@", test::pictureHex(colouredImage(4, 4, Qt::red), "JPEG"));
    rtf.replace("@WIDE@", test::pictureHex(colouredImage(4097, 1, Qt::red), "PNG"));
    return rtf;
}

class RtfPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(RtfPicture, IsShownOrLeftOut) {
    QTextDocument document;
    read(withPictures(GetParam().rtf), document);
    const Shown shown = picturesIn(document);
    EXPECT_EQ(shown.pictures, GetParam().pictures);
    if (GetParam().pictures > 0) {
        EXPECT_EQ(shown.size, GetParam().size);
        ASSERT_FALSE(shown.image.isNull());
        EXPECT_GE(shown.image.pixelColor(0, 0).red(), 250);
    }
}

const PictureCase kPictureCases[] = {
    {"png with goal size",
     "{\\rtf1{\\pict\\pngblip\\picwgoal450\\pichgoal300 @PNG@}}",
     1,
     {30, 20}},
    {"png own size", "{\\rtf1{\\pict\\pngblip @PNG@}}", 1, {3, 2}},
    {"jpeg scaled", "{\\rtf1{\\pict\\jpegblip\\picscalex200\\picscaley50 @JPEG@}}", 1, {8, 2}},
    {"inside shppict, alternative skipped",
     "{\\rtf1{\\*\\shppict{\\pict\\pngblip @PNG@}}{\\nonshppict{\\pict\\wmetafile8 0102}}}",
     1,
     {3, 2}},
    {"binary data", "{\\rtf1{\\pict\\pngblip@BIN@}}", 1, {3, 2}},
    {"odd digit and blanks", "{\\rtf1{\\pict\\pngblip @PNG@ a}}", 1, {3, 2}},
    {"metafile is not shown", "{\\rtf1{\\pict\\wmetafile8 0102030405}x}", 0, {}},
    {"damaged png", "{\\rtf1{\\pict\\pngblip 89504e470d0a1a0a0000}x}", 0, {}},
    {"no data", "{\\rtf1{\\pict\\pngblip}x}", 0, {}},
    {"cut after the data", "{\\rtf1{\\pict\\pngblip @CUT@}}", 0, {}},
    {"in a skipped group", "{\\rtf1{\\*\\unknown{\\pict\\pngblip @PNG@}}}", 0, {}},
    {"too wide", "{\\rtf1{\\pict\\pngblip @WIDE@}}", 0, {}},
    {"shown size bounded",
     "{\\rtf1{\\pict\\pngblip\\picwgoal2147483647\\picscalex1000 @PNG@}}",
     1,
     {4096, 2}},
};

INSTANTIATE_TEST_SUITE_P(Reader, RtfPicture, testing::ValuesIn(kPictureCases),
                         [](const auto& testInfo) { return test::testName(testInfo.param.name); });

TEST(RtfPicture, StandsBetweenTheWords) {
    QTextDocument document;
    read(withPictures("{\\rtf1 before{\\pict\\pngblip @PNG@}after}"), document);
    EXPECT_EQ(paragraphsOf(document),
              QString("before") + QChar::ObjectReplacementCharacter + "after");
}

// --- broken input ----------------------------------------------------------------------

struct BrokenCase {
    const char* name;
    QByteArray rtf;
    const char* reason;  // a part of the reason
};

QByteArray repeated(const char* piece, int times) {
    return QByteArray(piece).repeated(times);
}

std::vector<BrokenCase> brokenCases() {
    return {
        {"empty", "", "empty"},
        {"plain text", "Hello, world", "not an RTF document"},
        {"cut in the signature", "{\\rt", "not an RTF document"},
        {"truncated", "{\\rtf1\\ansi Hello", "1 group(s) still open"},
        {"unbalanced open", "{\\rtf1 {\\b bold} {\\i open", "2 group(s) still open"},
        {"cut inside a hex escape", "{\\rtf1 caf\\'e", "still open"},
        {"cut after a backslash", "{\\rtf1 x\\", "still open"},
        {"bin swallows the rest", "{\\rtf1\\bin2147483647 x}", "still open"},
        {"100000 deep", "{\\rtf1" + repeated("{", 100000), "deeper than 1000 levels"},
        {"100000 deep and closed", "{\\rtf1" + repeated("{", 100000) + repeated("}", 100001),
         "deeper than 1000 levels"},
        {"too many paragraphs", "{\\rtf1" + repeated("\\par", kMaxRtfParagraphs + 1) + "}",
         "more than 20000 paragraphs"},
    };
}

class RtfBroken : public testing::TestWithParam<BrokenCase> {};

TEST_P(RtfBroken, GivesAClearErrorAndNoDocument) {
    QTextDocument document;
    document.setPlainText("old content");
    const Result<> result = readRtf(GetParam().rtf, document);
    EXPECT_FALSE(result);
    EXPECT_NE(reasonOf(result).find(GetParam().reason), std::string::npos) << reasonOf(result);
    EXPECT_TRUE(document.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Reader, RtfBroken, testing::ValuesIn(brokenCases()),
                         [](const auto& testInfo) { return test::testName(testInfo.param.name); });

TEST(RtfBroken, NestingJustWithinTheBoundIsRead) {
    QTextDocument document;
    const QByteArray rtf = "{\\rtf1" + repeated("{", kMaxRtfGroupDepth - 1) + "deep" +
                           repeated("}", kMaxRtfGroupDepth);
    EXPECT_EQ(read(rtf, document), "deep");
}

TEST(RtfBroken, RandomBytesGiveADocumentOrAReason) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    const char* const prefixes[] = {"", "{\\rtf1 ", "{\\rtf1{\\pict\\pngblip ",
                                    "{\\rtf1{\\fonttbl "};
    for (const char* prefix : prefixes) {
        for (int round = 0; round < 50; ++round) {
            QByteArray rtf(prefix);
            for (int i = 0; i < 2000; ++i)
                rtf.append(static_cast<char>(byte(random)));
            QTextDocument document;
            const Result<> result = readRtf(rtf, document);
            EXPECT_TRUE(result || !reasonOf(result).empty());
        }
    }
}

// Random bytes rarely form RTF; these are built from its own pieces.
TEST(RtfBroken, RandomRtfPiecesGiveADocumentOrAReason) {
    const QList<QByteArray> pieces =
        QByteArray(
            "{|}|\\par |\\b|\\b0 |\\u8364|\\uc5 |\\'e9|\\'|\\*|\\pict|\\pngblip |\\bin5 |"
            "\\fonttbl|\\f1 |\\colortbl|\\red300|;|text |\\fs-7|\\li99999999999|\\info|"
            "\\ansicpg1251|\\highlight3 |\\cf9 |\\\\|\\{|\\line|0a1b")
            .split('|');
    std::mt19937 random(7);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf("{\\rtf1");
        for (int i = 0; i < 200; ++i)
            rtf.append(pieces[pick(random)]);
        QTextDocument document;
        const Result<> result = readRtf(rtf, document);
        EXPECT_TRUE(result || !reasonOf(result).empty());
    }
}

// --- our own manual --------------------------------------------------------------------

QByteArray manualBytes() {
    QFile file(QStringLiteral(ZELVAR_SOURCE_DIR "/docs/Zelvar_Config.rtf"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(RtfManual, UsesHeadingsListsAndPictures) {
    QTextDocument document;
    const QString text = read(manualBytes(), document);
    EXPECT_EQ(paragraphFormatOf(document, 0), "center sa=4");
    EXPECT_EQ(formatOf(document, "Zelvar Config"), "b 20pt fg=#003366 font=DejaVu Sans");
    EXPECT_EQ(picturesIn(document).pictures, 2);
    EXPECT_TRUE(text.contains(QString::fromUtf8("\n•\tTX DELAY (mS)")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("45° 30.15'")));
    for (const char* needed :
         {"Transfer OK", "dialout", "zelvar-cli", "GPSless", "Manca il file", "Ctrl+P"}) {
        EXPECT_TRUE(text.contains(needed)) << needed;
    }
}

TEST(RtfManual, EveryCutOfItIsRefused) {
    const QByteArray manual = manualBytes();
    const qsizetype step = std::max<qsizetype>(1, manual.size() / 120);
    for (qsizetype length = 0; length < manual.size() - 2; length += step) {
        QTextDocument document;
        const Result<> result = readRtf(manual.left(length), document);
        ASSERT_FALSE(result) << length;
        EXPECT_FALSE(reasonOf(result).empty());
    }
}

// --- files -----------------------------------------------------------------------------

TEST(RtfFile, ReadsAFile) {
    QTemporaryDir folder;
    QFile file(folder.filePath("doc.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\ansicpg1252 {\\b Titolo}\\par perch\\'e9}");
    file.close();
    QTextDocument document;
    const Result<> result = readRtfFile(file.fileName(), document);
    ASSERT_TRUE(result) << reasonOf(result);
    EXPECT_EQ(paragraphsOf(document), QString::fromUtf8("Titolo\nperché"));
}

struct FileCase {
    const char* name;
    const char* reason;
};

class RtfBadFile : public testing::TestWithParam<FileCase> {};

TEST_P(RtfBadFile, GivesAReason) {
    QTemporaryDir folder;
    const QString path = folder.filePath(GetParam().name);
    const std::string name = GetParam().name;
    if (name == "folder.rtf") {
        ASSERT_TRUE(QDir(folder.path()).mkdir("folder.rtf"));
    } else if (name == "huge.rtf") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kMaxRtfFileSize + 1));  // sparse: costs no disk
    } else if (name == "empty.rtf") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTextDocument document;
    const Result<> result = readRtfFile(path, document);
    EXPECT_FALSE(result);
    EXPECT_NE(reasonOf(result).find(GetParam().reason), std::string::npos) << reasonOf(result);
}

INSTANTIATE_TEST_SUITE_P(Reader, RtfBadFile,
                         testing::Values(FileCase{"absent.rtf", "cannot be opened"},
                                         FileCase{"folder.rtf", "is a folder"},
                                         FileCase{"huge.rtf", "larger than 16 MiB"},
                                         FileCase{"empty.rtf", "empty"}),
                         [](const auto& testInfo) {
                             const std::string name = testInfo.param.name;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace zelvar
