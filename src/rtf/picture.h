#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <string_view>

namespace zelvar::rtf {

enum class PictureFormat { Other, Png, Jpeg };

// A \pict group being read: its data (hex or \bin) and the sizes it asks for.
struct Picture {
    PictureFormat format = PictureFormat::Other;
    QByteArray data;
    bool oversized = false;  // more data than a picture may have: dropped
    int pendingNibble = -1;  // the first hex digit of a pair
    int goalWidth = 0;       // \picwgoal, twips
    int goalHeight = 0;
    int scaleX = 100;  // percent
    int scaleY = 100;

    void addHex(std::string_view text);
    void addBinary(std::string_view bytes);
};

inline constexpr qsizetype kMaxPictureBytes = qsizetype{16} * 1024 * 1024;
inline constexpr int kMaxPictureSide = 4096;  // pixels, decoded or shown

// The decoded image, or a null image when the picture is not PNG or JPEG, is damaged, or is
// larger than kMaxPictureSide.
QImage decodePicture(const Picture& picture);

// The size to show the picture at, in pixels: the goal size when given, else the image's own,
// both scaled, each side within 1..kMaxPictureSide.
QSizeF displaySize(const Picture& picture, QSize imageSize);

}  // namespace zelvar::rtf
