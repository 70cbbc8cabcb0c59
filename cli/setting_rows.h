#pragma once

#include <string>
#include <string_view>

namespace zelvar::cli {

// One tracker setting as `decode` and `diff` print it: the name in a column of its own, then
// the value.
void printSettingRow(std::string_view name, const std::string& value);

}  // namespace zelvar::cli
