#pragma once

#include <optional>
#include <string>

namespace zelvar {

// One comma-separated item of a .cfg file as the reader found it.
struct CfgItem {
    enum class Kind { Empty, Text, Number, Truth };

    Kind kind = Kind::Empty;
    std::string text;  // a text's content, or the unquoted item as written
    double number = 0;
    bool truth = false;
    int line = 0;  // the file's line the item is on, from 1
};

// Classifies an unquoted item: #TRUE#/#FALSE#, a number, an empty item, or else a text.
CfgItem classifyBareItem(std::string text);

// The conversions the loader applies. A missing value means the item cannot be converted.
std::string itemAsText(const CfgItem& item);
std::optional<int> itemAsInteger(const CfgItem& item);  // half-even, within 16 bits
std::optional<int> itemLeadingInteger(const CfgItem& item);
std::optional<bool> itemAsTruth(const CfgItem& item);

}  // namespace zelvar
