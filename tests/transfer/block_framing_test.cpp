#include "transfer/block_framing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace zelvar {
namespace {

ConfigImage countingImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    return image;
}

TEST(BlockChecksum, IsStartPlusBytesModulo256) {
    EXPECT_EQ(blockChecksum(std::vector<std::uint8_t>(82, 0)), 0xFE);
    EXPECT_EQ(blockChecksum(std::vector<std::uint8_t>(82, 0xFF)), 0xAC);
    EXPECT_EQ(blockChecksum(std::vector<std::uint8_t>{1, 1}), 0x00);
}

// The round trip over any image is the wire fuzz target's; here the bytes' places are pinned.
TEST(WireBytes, AreLeadInBlockLeadInBlockInOrder) {
    const ConfigImage image = countingImage();
    const WireBytes wire = wireBytes(image);
    ASSERT_EQ(wire.size(), 170u);
    const std::vector<std::pair<std::size_t, int>> pinned = {
        {0, 0xFF},  {1, 0xFF},  {2, 0},   {83, 81},   {84, 0xF7},
        {85, 0xFF}, {86, 0xFF}, {87, 82}, {168, 163}, {169, 0x3B}};
    for (const auto& [index, byte] : pinned)
        EXPECT_EQ(wire[index], byte) << index;
    EXPECT_EQ(wire[wireIndex(100)], 100);
    EXPECT_EQ(imageFromWire(wire).image, image);
}

struct DamagedWire {
    const char* name;
    std::size_t length;
    std::size_t flipped;  // only when below length
    const char* reasonPart;
};

class DamagedWireTest : public ::testing::TestWithParam<DamagedWire> {};

TEST_P(DamagedWireTest, IsRefusedWithAReason) {
    const WireBytes full = wireBytes(countingImage());
    std::vector<std::uint8_t> wire(full.begin(), full.end());
    wire.resize(GetParam().length, 0x55);
    if (GetParam().flipped < wire.size())
        wire[GetParam().flipped] ^= 0x01;
    const WireImage parsed = imageFromWire(wire);
    EXPECT_FALSE(parsed.ok);
    EXPECT_NE(parsed.reason.find(GetParam().reasonPart), std::string::npos) << parsed.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedWireTest,
    ::testing::Values(DamagedWire{"Empty", 0, 999, "got 0"},
                      DamagedWire{"Truncated", 169, 999, "got 169"},
                      DamagedWire{"Oversized", 171, 999, "got 171"},
                      DamagedWire{"FirstLeadIn", 170, 1, "block 1: lead-in"},
                      DamagedWire{"SecondLeadIn", 170, 85, "block 2: lead-in"},
                      DamagedWire{"FirstData", 170, 40, "block 1: bad checksum"},
                      DamagedWire{"SecondSum", 170, 169, "block 2: bad checksum"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zelvar
