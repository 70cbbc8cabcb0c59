#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/result.h"

namespace zelvar {

// How a .cfg file holds characters beyond ASCII. The settings hold Latin-1, one byte each, and
// Save writes them so. An editor that writes UTF-8 marks it with a byte-order mark; without the
// mark the bytes are Latin-1, as always: a Latin-1 text may well look like UTF-8 ("Ã©"), so no
// guess is made.
enum class CfgEncoding {
    Latin1,
    Utf8,  // after a UTF-8 byte-order mark
};

// The byte-order mark with which an editor starts a UTF-8 text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct CfgEncodingMark {
    CfgEncoding encoding = CfgEncoding::Latin1;
    std::size_t bytes = 0;  // the mark's length, to be skipped
};

// Tells from the first bytes of a file (eight suffice) how it is written. An empty file, UTF-16 and
// UTF-32, with or without a mark, and rich text or markup are refused with a reason that says so.
Result<CfgEncodingMark> detectCfgEncoding(std::string_view head);

// A text of the file as the settings hold it: in a UTF-8 file it becomes Latin-1, and a character
// that Latin-1 lacks, or a byte that is no UTF-8, is refused with its name.
Result<std::string> cfgTextToLatin1(std::string_view bytes, CfgEncoding encoding);

// Latin-1 text as UTF-8, for messages.
std::string latin1ToUtf8(std::string_view latin1);

}  // namespace zelvar
