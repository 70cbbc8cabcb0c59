#include "transfer/block_framing.h"
#include "common/ascii.h"
#include "text/translation.h"

#include <algorithm>

namespace zelvar {

std::uint8_t blockChecksum(std::span<const std::uint8_t> data) {
    unsigned sum = kChecksumStart;
    for (std::uint8_t byte : data)
        sum = (sum + byte) & 0xFFu;
    return static_cast<std::uint8_t>(sum);
}

std::array<Block, 2> makeBlocks(const ConfigImage& image) {
    std::array<Block, 2> blocks{};
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        auto data = std::span(image).subspan(b * kBlockDataSize, kBlockDataSize);
        std::copy(data.begin(), data.end(), blocks[b].begin());
        blocks[b][kBlockDataSize] = blockChecksum(data);
    }
    return blocks;
}

WireBytes wireBytes(const ConfigImage& image) {
    WireBytes wire{};
    auto out = wire.begin();
    for (const Block& block : makeBlocks(image)) {
        out = std::copy(kBlockHeader.begin(), kBlockHeader.end(), out);
        out = std::copy(block.begin(), block.end(), out);
    }
    return wire;
}

Result<ConfigImage> imageFromWire(std::span<const std::uint8_t> wire) {
    if (wire.size() != kWireSize) {
        return failure(withArguments(translated("transfer", "expected %1 wire bytes, got %2"),
                                     {std::to_string(kWireSize), std::to_string(wire.size())}));
    }
    ConfigImage image{};
    for (std::size_t b = 0; b < 2; ++b) {
        auto frame = wire.subspan(b * kFrameSize, kFrameSize);
        const std::string block = std::to_string(b + 1);
        if (!std::equal(kBlockHeader.begin(), kBlockHeader.end(), frame.begin()))
            return failure(
                withArguments(translated("transfer", "block %1: lead-in is not FF FF"), {block}));
        auto data = frame.subspan(kBlockHeader.size(), kBlockDataSize);
        std::uint8_t expected = blockChecksum(data);
        std::uint8_t found = frame.back();
        if (found != expected) {
            return failure(
                withArguments(translated("transfer", "block %1: bad checksum %2, expected %3"),
                              {block, hexNamed(found), hexNamed(expected)}));
        }
        std::copy(data.begin(), data.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(b * kBlockDataSize));
    }
    return image;
}

}  // namespace zelvar
