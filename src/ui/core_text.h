#pragma once

#include <QString>
#include <string_view>

#include "config/shown_texts.h"

namespace zelvar {

// The core's words, which are UTF-8.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString shown(ShownText id) {
    return fromUtf8(shownText(id));
}

}  // namespace zelvar
