#include "cfg/cfg_layout.h"
#include "text/translation.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zelvar {
namespace {

// The calculator's inputs travel on line 10, between the message and the automatic answer.
struct CalculatorItem {
    int item;
    std::string_view content;
    std::string CalculatorInputs::*text;
    int CalculatorInputs::*number;
    CalculatorCfgKind kind;
};
constexpr int kCalculatorLine = 10;
constexpr int kCalculatorGroup = 3;
constexpr std::array<CalculatorItem, 6> kCalculatorItems = {{
    {21, marked("cfg item", "Latitude"), &CalculatorInputs::latitude, nullptr, CalculatorCfgKind::Text},
    {22, marked("cfg item", "Longitude"), &CalculatorInputs::longitude, nullptr, CalculatorCfgKind::Text},
    {23, marked("cfg item", "Grad.Min.Cent check box"), nullptr, &CalculatorInputs::centChecked,
     CalculatorCfgKind::CheckState},
    {24, marked("cfg item", "Altitude"), &CalculatorInputs::altitude, nullptr, CalculatorCfgKind::Text},
    {25, marked("cfg item", "Altitude check box"), nullptr, &CalculatorInputs::altitudeChecked,
     CalculatorCfgKind::CheckState},
    {26, marked("cfg item", "Position format"), nullptr, nullptr, CalculatorCfgKind::Truth},
}};

std::vector<CfgItemPlace> makeItems() {
    std::vector<std::pair<int, CfgItemPlace>> placed;
    for (const FieldRow& row : fieldRows()) {
        if (row.cfg.item >= 0)
            placed.push_back({row.cfg.item, {row.cfg.line, row.cfg.group, row.cfg.name, &row}});
    }
    for (const CalculatorItem& c : kCalculatorItems) {
        placed.push_back(
            {c.item,
             {kCalculatorLine, kCalculatorGroup, c.content, nullptr, c.text, c.number, c.kind}});
    }
    std::sort(placed.begin(), placed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CfgItemPlace> items;
    items.reserve(placed.size());
    for (const auto& [item, place] : placed)
        items.push_back(place);
    return items;
}

}  // namespace

std::span<const CfgItemPlace> cfgItems() {
    static const std::vector<CfgItemPlace> kItems = makeItems();
    return kItems;
}

std::size_t maxCfgReadBytes() {
    return 4 + cfgItems().size() * (kMaxCfgItemBytes + 3);
}

}  // namespace zelvar
