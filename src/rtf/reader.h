#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace zelvar {

// Outcome of reading an RTF document: success, or why it could not be read.
struct RtfResult {
    bool ok = true;
    QString reason;

    explicit operator bool() const { return ok; }
};

inline constexpr int kMaxRtfGroupDepth = 1000;
inline constexpr int kMaxRtfParagraphs = 20000;
inline constexpr qint64 kMaxRtfFileSize = 16 * 1024 * 1024;

// Replaces the content of `document` with the RTF document in `data`. Any input ends in a
// result: on failure the document is left empty and the reason says what is wrong and where.
RtfResult readRtf(QByteArrayView data, QTextDocument& document);

// The same for a file; a file that cannot be read or is larger than kMaxRtfFileSize fails.
RtfResult readRtfFile(const QString& path, QTextDocument& document);

}  // namespace zelvar
