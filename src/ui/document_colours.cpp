#include "ui/document_colours.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "ui/palette_colours.h"

namespace zelvar {
namespace {

// The colour the document gave the text, kept beside the colour it is shown in.
constexpr int kOwnColour = QTextFormat::UserProperty + 2;

struct ColouredText {
    int position = 0;
    int length = 0;
    QTextCharFormat format;
};

std::vector<ColouredText> colouredTexts(const QTextDocument& document) {
    std::vector<ColouredText> texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            const QTextCharFormat format = piece.charFormat();
            if (piece.isValid() && !format.isImageFormat() &&
                format.hasProperty(QTextFormat::ForegroundBrush))
                texts.push_back({piece.position(), piece.length(), format});
        }
    }
    return texts;
}

}  // namespace

void makeColoursReadable(QTextDocument& document, const QColor& page) {
    // Found first, changed after: a changed format may join or split the fragments.
    for (ColouredText& text : colouredTexts(document)) {
        QTextCharFormat& format = text.format;
        if (!format.hasProperty(kOwnColour))
            format.setProperty(kOwnColour, format.foreground().color());
        const QColor drawnOn =
            format.hasProperty(QTextFormat::BackgroundBrush) ? format.background().color() : page;
        format.setForeground(readableOn(format.colorProperty(kOwnColour), drawnOn));
        QTextCursor cursor(&document);
        cursor.setPosition(text.position);
        cursor.setPosition(text.position + text.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

}  // namespace zelvar
