#include "ui/picture_fit.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <vector>

namespace zelvar {
namespace {

// The size the document gave the picture, kept beside the size it is shown at.
constexpr int kOwnWidth = QTextFormat::UserProperty;
constexpr int kOwnHeight = QTextFormat::UserProperty + 1;

struct Picture {
    int position = 0;
    int length = 0;
    QTextImageFormat format;
    qreal room = 0;
};

QSizeF ownSize(const QTextDocument& document, const QTextImageFormat& picture) {
    if (picture.hasProperty(kOwnWidth))
        return {picture.doubleProperty(kOwnWidth), picture.doubleProperty(kOwnHeight)};
    if (picture.width() > 0 && picture.height() > 0)
        return {picture.width(), picture.height()};
    return document.resource(QTextDocument::ImageResource, QUrl(picture.name()))
        .value<QImage>()
        .size();
}

std::vector<Picture> picturesOf(const QTextDocument& document, qreal width) {
    std::vector<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat paragraph = block.blockFormat();
        const qreal room = std::max<qreal>(
            1, width - paragraph.leftMargin() - paragraph.rightMargin() - paragraph.textIndent());
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (piece.isValid() && piece.charFormat().isImageFormat())
                pictures.push_back(
                    {piece.position(), piece.length(), piece.charFormat().toImageFormat(), room});
        }
    }
    return pictures;
}

}  // namespace

bool fitPicturesToWidth(QTextDocument& document, qreal width) {
    bool changed = false;
    // Found first, changed after: a changed format may join or split the fragments.
    for (Picture& picture : picturesOf(document, width)) {
        const QSizeF own = ownSize(document, picture.format);
        if (own.isEmpty())
            continue;
        const qreal scale = std::min<qreal>(1, picture.room / own.width());
        if (picture.format.hasProperty(kOwnWidth) && picture.format.width() == own.width() * scale)
            continue;
        picture.format.setProperty(kOwnWidth, own.width());
        picture.format.setProperty(kOwnHeight, own.height());
        picture.format.setWidth(own.width() * scale);
        picture.format.setHeight(own.height() * scale);
        QTextCursor cursor(&document);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
        changed = true;
    }
    return changed;
}

}  // namespace zelvar
