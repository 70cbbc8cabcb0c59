#pragma once

namespace zelvar::rtf {

// RTF measures in twips: 1440 an inch, so 15 a pixel at 96 dots an inch.
inline constexpr double kTwipsPerPixel = 15.0;

// Character formatting as RTF keeps it per group. Font and colours are table indexes.
struct CharacterState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1;        // -1: the document's default font
    int halfPoints = 24;  // 12 pt
    int foreground = 0;   // 0: automatic
    int background = 0;

    bool operator==(const CharacterState&) const = default;
};

enum class Alignment { Left, Center, Right, Justify };

// Paragraph formatting; distances in twips.
struct ParagraphState {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

enum class Destination {
    Text,        // the document's text
    Skip,        // ignored up to the end of the group
    FontTable,   // \fonttbl
    ColorTable,  // \colortbl
    Picture,     // \pict
};

struct GroupState {
    Destination destination = Destination::Text;
    CharacterState character;
    ParagraphState paragraph;
    int unicodeSkip = 1;  // \uc: fallback bytes after each \u
};

}  // namespace zelvar::rtf
