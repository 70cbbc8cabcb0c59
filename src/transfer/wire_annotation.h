#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/image_description.h"
#include "transfer/block_framing.h"

namespace zelvar {

enum class WirePart { LeadIn, Checksum, Setting };

// A run of wire bytes and what it holds.
struct WireRange {
    std::size_t first;  // wire index, 0..169
    std::size_t size;
    int block;  // 1 or 2
    WirePart part;
    std::string name;     // "Lead-in", "Checksum" or the setting's name
    std::string meaning;  // "FF FF", "3C = 254 + image bytes 0..81, modulo 256" or its value

    bool operator==(const WireRange&) const = default;
};

// The lead-ins, checksums and settings of the wire bytes, ordered by their first byte; every
// wire byte lies in at least one range. Settings that share a byte get a range each, and a setting
// that the block boundary cuts (the message text, image bytes 81..119) gets one range in each
// block, with the same name and meaning.
std::vector<WireRange> annotateWire(const WireBytes& wire,
                                    const std::vector<TrackerSetting>& settings);

}  // namespace zelvar
