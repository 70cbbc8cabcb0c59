#pragma once

#include <string_view>

namespace zelvar::rtf {

// The control words the reader acts on. Everything else is ignored.
enum class Keyword {
    Unknown,
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    // destinations
    FontTable,
    ColorTable,
    Picture,
    ShapePicture,
    SkippedDestination,
    // font and colour tables
    Charset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // pictures
    PngBlip,
    JpegBlip,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Font,
    Foreground,
    Highlight,
    Background,
    UnicodeSkip,
    Unicode,
    // paragraphs
    Pard,
    Par,
    Line,
    Tab,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    // special characters
    Bullet,
    EmDash,
    EnDash,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
};

Keyword keywordFor(std::string_view word);

}  // namespace zelvar::rtf
