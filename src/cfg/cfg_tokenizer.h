#pragma once

#include <istream>
#include <optional>
#include <string>
#include <tl/expected.hpp>

#include "cfg/cfg_encoding.h"
#include "cfg/cfg_item.h"

namespace zelvar {

// Reads .cfg items one at a time from a byte stream: items are separated by commas or line
// ends (CR LF, LF, CR, or CR CR LF as a twice-converted file has them); a text runs between
// double quotes, two double quotes inside it standing for one, and whatever follows it up to the
// next separator is skipped; blanks (spaces, tabs) around an item are not part of it, and a
// Ctrl-Z ends the file as in DOS. No item may be longer than kMaxCfgItemBytes. A UTF-8
// byte-order mark is skipped and texts in UTF-8 come out as Latin-1 (see cfg_encoding.h); UTF-16
// and UTF-32 are refused. Nothing beyond the item asked for and its separator is consumed: a
// text of the older form, whose quotes were not doubled, may be read past and is put back.
class CfgTokenizer {
  public:
    explicit CfgTokenizer(std::istream& in) : in_(in) {}

    struct Error {
        std::string reason;
        int line;                // where the reader was when it gave up
        bool wholeFile = false;  // the file as a whole cannot be read, not this item
    };
    tl::expected<CfgItem, Error> next();

  private:
    int take();
    int peek();
    void takeSeparator();
    bool putBackBeyondSeparator(const std::string& taken, std::size_t quote);
    // The stream's bytes, after those read ahead and put back.
    int get();
    int look();

    std::istream& in_;
    std::string readAhead_;  // bytes taken from the stream but not yet used, next one last
    std::optional<CfgEncoding> encoding_;
    std::size_t itemBytes_ = 0;
    bool overLimit_ = false;
    bool markedEnd_ = false;  // the end-of-file mark was read: the stream is left alone
    int line_ = 1;
};

}  // namespace zelvar
