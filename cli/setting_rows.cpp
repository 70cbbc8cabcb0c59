#include "setting_rows.h"

#include <iomanip>
#include <iostream>

#include "files/cfg_encoding.h"
#include "terminal_text.h"

namespace zelvar::cli {
namespace {

// Wider than the longest setting name, "Acquisition timeout".
constexpr int kNameColumn = 22;

}  // namespace

void printSettingRow(std::string_view name, const std::string& value) {
    // The tracker's texts are Latin-1: shown in the terminal's UTF-8, controls escaped.
    std::cout << std::left << std::setw(kNameColumn) << name << terminalText(latin1ToUtf8(value))
              << "\n";
}

}  // namespace zelvar::cli
