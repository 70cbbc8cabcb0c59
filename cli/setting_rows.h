#pragma once

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_image.h"
#include "terminal_columns.h"

namespace zelvar::cli {

// The column the values start in for rows whose longest name takes `longestName` terminal
// columns: past it, and never before the English names' column, so that the English output keeps
// its layout.
std::size_t settingNameColumn(std::size_t longestName);

// The same for the rows to be printed together (anything with a `name` in the user's language).
template <typename Row>
std::size_t settingNameColumn(const std::vector<Row>& rows) {
    std::size_t longest = 0;
    for (const Row& row : rows)
        longest = std::max(longest, terminalColumns(row.name));
    return settingNameColumn(longest);
}

// One tracker setting as `decode` and `diff` print it: the name in a column of its own, then
// the value, control characters escaped.
void printSettingRow(std::ostream& out, std::string_view name, const std::string& value,
                     std::size_t column);

// Every setting the image gives the tracker, one row each, as `decode` prints them.
void printImageSettings(std::ostream& out, const ConfigImage& image);

// What `decode` prints for wire bytes whose lead-ins and checksums are right.
void printGoodWire(std::ostream& out, const ConfigImage& image);

}  // namespace zelvar::cli
