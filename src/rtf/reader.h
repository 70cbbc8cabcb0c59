#pragma once

#include <QByteArrayView>
#include <QString>

#include "common/result.h"

class QTextDocument;

namespace zelvar {

inline constexpr int kMaxRtfGroupDepth = 1000;
inline constexpr int kMaxRtfParagraphs = 20000;
inline constexpr qint64 kMaxRtfFileSize = qint64{16} * 1024 * 1024;

// Replaces the content of `document` with the RTF document in `data`. Any input ends in a
// result: on failure the document is left empty and the reason says what is wrong and where.
Result<> readRtf(QByteArrayView data, QTextDocument& document);

// The same for a file; a file that cannot be read or is larger than kMaxRtfFileSize fails.
Result<> readRtfFile(const QString& path, QTextDocument& document);

}  // namespace zelvar
