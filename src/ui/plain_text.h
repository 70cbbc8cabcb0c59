#pragma once

#include <QString>
#include <QTextDocument>

namespace zelvar {

// Text from outside (files, devices, the system) shown as it is where Qt would read markup or
// mnemonics into it. A label or message box is simply set to Qt::PlainText; these cover the
// places that have no such switch.

// Tool tips guess rich text from the text itself: escaped, the guess shows every character.
inline QString plainToolTip(const QString& text) {
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

// Button and menu texts make "&x" a shortcut: doubled, "&" shows as itself.
inline QString withoutMnemonics(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace zelvar
