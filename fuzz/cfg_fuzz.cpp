#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cfg/cfg_reader.h"
#include "cfg/cfg_writer.h"

namespace {

using namespace zelvar;

struct Loaded {
    LoadResult result;
    DeviceSettings settings = defaultSettings();
    CalculatorInputs calculator;
    std::size_t consumed = 0;  // bytes the reader took from the input
};

Loaded load(const std::string& bytes) {
    Loaded loaded;
    std::istringstream in(bytes);
    loaded.result = readConfig(in, loaded.settings, loaded.calculator);
    in.clear();
    std::streamoff position = in.tellg();
    loaded.consumed = position < 0 ? bytes.size() : static_cast<std::size_t>(position);
    return loaded;
}

bool sameRecord(const Loaded& a, const Loaded& b) {
    return a.settings == b.settings && a.calculator == b.calculator;
}

}  // namespace

// Every input ends in a record, a message naming the item, or the refusal of the whole file (a wide
// encoding, rich text, markup). A record depends only on the bytes up to the 29th item, and saving
// it and loading the file again gives the same record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const Loaded loaded = load(input);
    if (!loaded.result) {
        const std::string& reason = loaded.result.error().reason;
        // A file in a wide encoding, rich text or markup is refused as a whole; any other failure
        // names its item.
        if (!reason.starts_with("Item ") && !reason.starts_with("the file is "))
            std::abort();
        return 0;
    }
    if (loaded.consumed > size)
        std::abort();
    const Loaded read = load(input.substr(0, loaded.consumed));
    if (!read.result || !sameRecord(read, loaded) || read.consumed != loaded.consumed)
        std::abort();

    const Result<std::string> saved = writeConfigText(loaded.settings, loaded.calculator);
    if (!saved) {
        // Only an item longer than the reader takes, once its quotes are doubled, is refused.
        if (saved.error().reason.find("longer than") == std::string::npos)
            std::abort();
        return 0;
    }
    const Loaded again = load(*saved);
    if (!again.result || !sameRecord(again, loaded) || again.consumed != saved->size())
        std::abort();
    return 0;
}
