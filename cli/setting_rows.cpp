#include "setting_rows.h"
#include "terminal_text.h"

#include <iomanip>
#include <iostream>

namespace zelvar::cli {
namespace {

// Wider than the longest setting name, "Acquisition timeout".
constexpr int kNameColumn = 22;

}  // namespace

void printSettingRow(std::string_view name, const std::string& value) {
    std::cout << std::left << std::setw(kNameColumn) << name << terminalText(value) << "\n";
}

}  // namespace zelvar::cli
