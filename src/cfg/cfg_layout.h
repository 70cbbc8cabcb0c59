#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "config/device_settings.h"
#include "config/fields.h"

namespace zelvar {

// The name the file dialogs and the page's Save offer.
inline constexpr std::string_view kCfgDefaultName = "Zelvar.cfg";

// The longest item a .cfg may hold, counted as it stands in the file from its first byte up to
// its separator: leading spaces, quotes, doubled quotes and whatever follows a text included.
// The writer refuses what the reader would refuse.
inline constexpr std::size_t kMaxCfgItemBytes = std::size_t{64} * 1024;

// How the file holds one of the calculator's inputs.
enum class CalculatorCfgKind { Text, CheckState, Truth };

// One item of the file: a field's, as the field table places it, or one of the calculator's.
struct CfgItemPlace {
    int line;
    int group;                 // Load applies the items a group at a time
    std::string_view content;  // its name in messages: "TX delay"
    const FieldRow* field = nullptr;
    // The calculator's input, when the item is not a field's.
    std::string CalculatorInputs::*text = nullptr;
    int CalculatorInputs::*number = nullptr;
    CalculatorCfgKind calculatorKind = CalculatorCfgKind::Text;
};

// What Save writes at each position, in the file's order, on which line, and the name messages
// give it.
std::span<const CfgItemPlace> cfgItems();

// How far into a file a load may read: a byte-order mark, then every item at its longest, each
// followed by the longest line end (CR CR LF). A front end that hands the reader no more than
// this of a file gets the verdict the whole file gets.
std::size_t maxCfgReadBytes();

}  // namespace zelvar
