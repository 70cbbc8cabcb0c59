#include "rtf/code_page.h"

#include <QStringDecoder>
#include <array>

namespace zelvar::rtf {
namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes become the replacement character.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

constexpr std::size_t kMaxDecoders = 32;

struct CharsetCodePage {
    int charset;
    int codePage;
};

constexpr std::array<CharsetCodePage, 18> kCharsets = {{
    {2, 1252},    // symbol: no Unicode mapping of its own, shown as ANSI
    {77, 10000},  // Mac Roman
    {128, 932},   // Japanese
    {129, 949},   // Korean
    {130, 1361},  // Korean (Johab)
    {134, 936},   // Simplified Chinese
    {136, 950},   // Traditional Chinese
    {161, 1253},  // Greek
    {162, 1254},  // Turkish
    {163, 1258},  // Vietnamese
    {177, 1255},  // Hebrew
    {178, 1256},  // Arabic
    {186, 1257},  // Baltic
    {204, 1251},  // Cyrillic
    {222, 874},   // Thai
    {238, 1250},  // Central European
    {254, 437},   // PC 437
    {255, 850},   // OEM
}};

QStringDecoder makeDecoder(int codePage) {
    if (codePage == 10000) {
        return QStringDecoder("macintosh");
    }
    for (const char* prefix : {"windows-", "cp", "IBM"}) {
        QStringDecoder decoder(QByteArray(prefix).append(QByteArray::number(codePage)));
        if (decoder.isValid()) {
            return decoder;
        }
    }
    return QStringDecoder();
}

}  // namespace

int codePageForCharset(int charset) {
    for (const CharsetCodePage& entry : kCharsets) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return 0;
}

QString decodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80])
                                                : QChar(byte));
    }
    return text;
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QString CodePageDecoder::decode(int codePage, const QByteArray& bytes) {
    switch (codePage) {
        case 1252:
            return decodeWindows1252(bytes);
        case 28591:
            return QString::fromLatin1(bytes);
        case 65001:
            return QString::fromUtf8(bytes);
        default:
            break;
    }
    QStringDecoder* decoder = decoderFor(codePage);
    if (decoder == nullptr) {
        return decodeWindows1252(bytes);
    }
    QString text = decoder->decode(bytes);
    decoder->resetState();  // a sequence cut off at the end must not join the next run
    return text;
}

QStringDecoder* CodePageDecoder::decoderFor(int codePage) {
    auto found = decoders_.find(codePage);
    if (found == decoders_.end()) {
        if (decoders_.size() >= kMaxDecoders) {
            return nullptr;  // a document naming ever more code pages gets Windows-1252
        }
        QStringDecoder decoder = makeDecoder(codePage);
        auto stored =
            decoder.isValid() ? std::make_unique<QStringDecoder>(std::move(decoder)) : nullptr;
        found = decoders_.emplace(codePage, std::move(stored)).first;
    }
    return found->second.get();
}

}  // namespace zelvar::rtf
