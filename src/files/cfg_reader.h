#pragma once

#include <filesystem>
#include <istream>
#include <string>

#include "config/device_settings.h"

namespace zelvar {

struct LoadResult {
    bool ok = true;
    std::string message;  // on failure: which item and why
    // The calculator's group was applied: the calculator must bring its display in line.
    bool calculatorApplied = false;

    explicit operator bool() const { return ok; }
};

// Reads the 29 items of a .cfg and applies them group by group. A failure stops at the item it
// names; the values applied before it stay applied, the rest keep their old values.
LoadResult readConfig(std::istream& in, DeviceSettings& settings, CalculatorInputs& calculator);

// The same for the file at `path`, read whole path as given.
LoadResult loadConfigFile(const std::filesystem::path& path, DeviceSettings& settings,
                          CalculatorInputs& calculator);

}  // namespace zelvar
