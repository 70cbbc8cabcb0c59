#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/result.h"

namespace zelvar {

// How a .cfg file holds characters beyond ASCII. The settings hold Latin-1, one byte each, and
// Save writes them so; editors elsewhere write UTF-8, with or without a byte-order mark.
enum class CfgEncoding {
    Unmarked,  // Latin-1, except a text whose bytes form UTF-8 beyond ASCII
    Utf8,      // after a UTF-8 byte-order mark: every text is UTF-8
};

struct CfgEncodingMark {
    CfgEncoding encoding = CfgEncoding::Unmarked;
    std::size_t bytes = 0;  // the mark's length, to be skipped
};

// Tells from the first bytes of a file (four suffice) how it is written. UTF-16 and UTF-32, with
// or without a mark, are refused with a reason that says so.
Result<CfgEncodingMark> detectCfgEncoding(std::string_view head);

// A text of the file as the settings hold it: UTF-8 becomes Latin-1, a character that Latin-1
// lacks is refused with its name.
Result<std::string> cfgTextToLatin1(std::string_view bytes, CfgEncoding encoding);

// The reader would take this Latin-1 text for UTF-8 and load something else: Save refuses it.
bool readsBackAsUtf8(std::string_view latin1);

// Latin-1 text as UTF-8, for messages.
std::string latin1ToUtf8(std::string_view latin1);

}  // namespace zelvar
