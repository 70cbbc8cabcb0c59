#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "config/config_image.h"

namespace zelvar::cli {

// One tracker setting as `decode` and `diff` print it: the name in a column of its own, then
// the value, control characters escaped.
void printSettingRow(std::ostream& out, std::string_view name, const std::string& value);

// Every setting the image gives the tracker, one row each, as `decode` prints them.
void printImageSettings(std::ostream& out, const ConfigImage& image);

// What `decode` prints for wire bytes whose lead-ins and checksums are right.
void printGoodWire(std::ostream& out, const ConfigImage& image);

}  // namespace zelvar::cli
