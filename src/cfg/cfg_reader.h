#pragma once

#include <istream>
#include <string>
#include <tl/expected.hpp>

#include "config/device_settings.h"

namespace zelvar {

// Which item stopped a load and why, and how far the load had come.
struct LoadFailure {
    std::string reason;
    // The calculator's group was applied: the calculator must bring its display in line.
    bool calculatorApplied = false;
};
using LoadResult = tl::expected<void, LoadFailure>;

// Whether the load reached the calculator's group; a complete load always does.
inline bool calculatorApplied(const LoadResult& result) {
    return result || result.error().calculatorApplied;
}

// Reads the 29 items of a .cfg and applies them group by group. A failure stops at the item it
// names; the values applied before it stay applied, the rest keep their old values.
LoadResult readConfig(std::istream& in, DeviceSettings& settings, CalculatorInputs& calculator);

}  // namespace zelvar
