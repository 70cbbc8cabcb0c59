#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zelvar {

// The settings hold one byte per character, Latin-1; the widgets hold QStrings.
inline QString fromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toLatin1(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace zelvar
