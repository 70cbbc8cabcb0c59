#include "rtf/picture.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "common/ascii.h"
#include "rtf/state.h"

namespace zelvar::rtf {
namespace {

double shownSide(int goalTwips, int imagePixels, int scalePercent) {
    const double pixels = goalTwips > 0 ? goalTwips / kTwipsPerPixel : imagePixels;
    const double scale = scalePercent > 0 ? scalePercent / 100.0 : 1.0;
    return std::clamp(pixels * scale, 1.0, static_cast<double>(kMaxPictureSide));
}

}  // namespace

void Picture::addHex(std::string_view text) {
    for (const char c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || oversized) {
            continue;  // blanks and line breaks between the digits
        }
        if (pendingNibble < 0) {
            pendingNibble = digit;
            continue;
        }
        if (data.size() >= kMaxPictureBytes) {
            oversized = true;
            data.clear();
            continue;
        }
        data.append(static_cast<char>(pendingNibble * 16 + digit));
        pendingNibble = -1;
    }
}

void Picture::addBinary(std::string_view bytes) {
    if (oversized || data.size() + static_cast<qsizetype>(bytes.size()) > kMaxPictureBytes) {
        oversized = true;
        data.clear();
        return;
    }
    data.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QImage decodePicture(const Picture& picture) {
    // The signature is checked first, so that text passed off as a picture is not decoded.
    const bool png = picture.format == PictureFormat::Png &&
                     picture.data.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n"));
    const bool jpeg = picture.format == PictureFormat::Jpeg &&
                      picture.data.startsWith(QByteArrayView("\xff\xd8"));
    if ((!png && !jpeg) || picture.oversized) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(picture.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, png ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        return {};
    }
    return reader.read();
}

QSizeF displaySize(const Picture& picture, QSize imageSize) {
    return {shownSide(picture.goalWidth, imageSize.width(), picture.scaleX),
            shownSide(picture.goalHeight, imageSize.height(), picture.scaleY)};
}

}  // namespace zelvar::rtf
