#include "port_number.h"

#include <cmath>
#include <optional>

#include "config/text_number.h"

namespace zelvar::cli {

bool readPortNumber(const std::string& text, int& number) {
    std::optional<double> value = strictNumber(text);
    if (!value || *value != std::floor(*value) || *value < 0 || *value > 255)
        return false;
    number = static_cast<int>(*value);
    return true;
}

}  // namespace zelvar::cli
