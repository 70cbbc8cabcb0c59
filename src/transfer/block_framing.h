#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/result.h"
#include "config/config_image.h"

namespace zelvar {

// How the image travels: two blocks of 82 image bytes, each led in by FF FF and followed by
// its checksum.
inline constexpr std::array<std::uint8_t, 2> kBlockHeader = {0xFF, 0xFF};
inline constexpr std::size_t kBlockDataSize = kImageSize / 2;
inline constexpr std::size_t kBlockSize = kBlockDataSize + 1;
inline constexpr std::size_t kFrameSize = kBlockHeader.size() + kBlockSize;  // lead-in + block
inline constexpr std::size_t kWireSize = 2 * kFrameSize;
inline constexpr std::uint8_t kChecksumStart = 254;

using Block = std::array<std::uint8_t, kBlockSize>;
using WireBytes = std::array<std::uint8_t, kWireSize>;

// Where image byte `imageIndex` travels on the line: behind its block's lead-in.
constexpr std::size_t wireIndex(std::size_t imageIndex) {
    return imageIndex / kBlockDataSize * kFrameSize + kBlockHeader.size() +
           imageIndex % kBlockDataSize;
}

// 254 plus the bytes, modulo 256.
std::uint8_t blockChecksum(std::span<const std::uint8_t> data);

// Block 1 carries image bytes 0..81, block 2 bytes 82..163; each ends with its checksum.
std::array<Block, 2> makeBlocks(const ConfigImage& image);

// FF FF, block 1, FF FF, block 2: everything one send puts on the line, in order.
WireBytes wireBytes(const ConfigImage& image);

// The image inside 170 wire bytes, after checking both lead-ins and both checksums.
Result<ConfigImage> imageFromWire(std::span<const std::uint8_t> wire);

}  // namespace zelvar
