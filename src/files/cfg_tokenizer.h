#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <variant>

#include "files/cfg_item.h"

namespace zelvar {

// Reads .cfg items one at a time from a byte stream: items are separated by commas or line
// ends (CR LF, LF or CR); a text runs between double quotes and whatever follows it up to the
// next separator is skipped. Nothing beyond the item asked for is consumed.
class CfgTokenizer {
  public:
    // No single item (its leading spaces and skipped tail included) may be longer than this.
    static constexpr std::size_t kMaxItemBytes = 64 * 1024;

    explicit CfgTokenizer(std::istream& in) : in_(in) {}

    struct Error {
        std::string reason;
    };
    std::variant<CfgItem, Error> next();

  private:
    int take();
    int peek();
    void endLine(int first);

    std::istream& in_;
    std::size_t itemBytes_ = 0;
};

}  // namespace zelvar
