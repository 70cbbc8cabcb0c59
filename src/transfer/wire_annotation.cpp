#include "transfer/wire_annotation.h"

#include <algorithm>

#include "common/ascii.h"
#include "text/translation.h"

namespace zelvar {
namespace {}  // namespace

std::vector<WireRange> annotateWire(const WireBytes& wire,
                                    const std::vector<TrackerSetting>& settings) {
    std::vector<WireRange> ranges;
    for (std::size_t b = 0; b < 2; ++b) {
        const int block = static_cast<int>(b) + 1;
        const std::size_t start = b * kFrameSize;
        const std::size_t checksum = start + kFrameSize - 1;
        const std::size_t firstData = b * kBlockDataSize;
        ranges.push_back({start, kBlockHeader.size(), block, WirePart::LeadIn,
                          std::string(translated("wire bytes", "Lead-in")), "FF FF"});
        ranges.push_back(
            {checksum, 1, block, WirePart::Checksum,
             std::string(translated("wire bytes", "Checksum")),
             withArguments(translated("wire bytes", "%1 = 254 + image bytes %2..%3, modulo 256"),
                           {hexByte(wire[checksum]), std::to_string(firstData),
                            std::to_string(firstData + kBlockDataSize - 1)})});
    }
    for (const TrackerSetting& setting : settings) {
        const std::size_t end = setting.first + setting.size;
        // The part in block 1, then the part in block 2; either may be empty.
        for (auto [from, to] : {std::pair{setting.first, std::min(end, kBlockDataSize)},
                                std::pair{std::max(setting.first, kBlockDataSize), end}}) {
            if (from < to) {
                ranges.push_back({wireIndex(from), to - from, from < kBlockDataSize ? 1 : 2,
                                  WirePart::Setting, setting.name, setting.value});
            }
        }
    }
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const WireRange& a, const WireRange& b) { return a.first < b.first; });
    return ranges;
}

}  // namespace zelvar
