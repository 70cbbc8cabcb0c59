#pragma once

#include <istream>
#include <string>
#include <tl/expected.hpp>

#include "files/cfg_item.h"

namespace zelvar {

// Reads .cfg items one at a time from a byte stream: items are separated by commas or line
// ends (CR LF, LF or CR); a text runs between double quotes, two double quotes inside it standing
// for one, and whatever follows it up to the next separator is skipped. No item may be longer
// than kMaxCfgItemBytes. Nothing beyond the item asked for and its separator is consumed.
class CfgTokenizer {
  public:
    explicit CfgTokenizer(std::istream& in) : in_(in) {}

    struct Error {
        std::string reason;
        int line;  // where the reader was when it gave up
    };
    tl::expected<CfgItem, Error> next();

  private:
    int take();
    int peek();
    void takeSeparator();

    std::istream& in_;
    std::size_t itemBytes_ = 0;
    bool overLimit_ = false;
    int line_ = 1;
};

}  // namespace zelvar
