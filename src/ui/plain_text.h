#pragma once

#include <QString>
#include <QTextDocument>

#include "common/ascii.h"

namespace zelvar {

// Text from outside (files, devices, the system) shown as it is where Qt would read markup or
// mnemonics into it. A label or message box is simply set to Qt::PlainText; these cover the
// places that have no such switch.

// Hidden characters shown by their code (escapedControls), line breaks kept: a soft hyphen as
// \u00AD, U+202E as \u202E instead of turning the rest of the line around.
inline QString withHiddenShown(const QString& text) {
    return QString::fromStdString(escapedControlLines(text.toStdString()));
}

// Tool tips guess rich text from the text itself: escaped, the guess shows every character.
inline QString plainToolTip(const QString& text) {
    return Qt::convertFromPlainText(withHiddenShown(text), Qt::WhiteSpaceNormal);
}

// Button and menu texts make "&x" a shortcut: doubled, "&" shows as itself.
inline QString withoutMnemonics(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace zelvar
