#include "transfer/block_framing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace zelvar {
namespace {

struct ChecksumCase {
    std::vector<std::uint8_t> data;
    std::uint8_t expected;
};

class ChecksumTest : public ::testing::TestWithParam<ChecksumCase> {};

TEST_P(ChecksumTest, IsStartPlusBytesModulo256) {
    EXPECT_EQ(blockChecksum(GetParam().data), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Blocks, ChecksumTest,
                         ::testing::Values(ChecksumCase{std::vector<std::uint8_t>(82, 0), 0xFE},
                                           ChecksumCase{std::vector<std::uint8_t>(82, 0xFF), 0xAC},
                                           ChecksumCase{{1, 1}, 0x00}, ChecksumCase{{}, 0xFE}));

ConfigImage countingImage() {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    return image;
}

TEST(WireBytes, AreLeadInBlockLeadInBlockInOrder) {
    ConfigImage image = countingImage();
    WireBytes wire = wireBytes(image);
    ASSERT_EQ(wire.size(), 170u);
    EXPECT_EQ(wire[0], 0xFF);
    EXPECT_EQ(wire[1], 0xFF);
    EXPECT_EQ(wire[2], 0);
    EXPECT_EQ(wire[83], 81);
    EXPECT_EQ(wire[84], blockChecksum(std::span(image).first(82)));
    EXPECT_EQ(wire[85], 0xFF);
    EXPECT_EQ(wire[86], 0xFF);
    EXPECT_EQ(wire[87], 82);
    EXPECT_EQ(wire[168], 163);
    EXPECT_EQ(wire[169], blockChecksum(std::span(image).last(82)));
}

TEST(ImageFromWire, GivesTheImageBack) {
    ConfigImage image = countingImage();
    WireBytes wire = wireBytes(image);
    Result<ConfigImage> parsed = imageFromWire(wire);
    ASSERT_TRUE(parsed) << reasonOf(parsed);
    EXPECT_EQ(*parsed, image);
}

struct DamagedWire {
    const char* name;
    std::size_t length;
    std::size_t damagedIndex;  // flipped when below length
    const char* reasonPart;
};

class DamagedWireTest : public ::testing::TestWithParam<DamagedWire> {};

TEST_P(DamagedWireTest, IsRefusedWithAReason) {
    WireBytes full = wireBytes(countingImage());
    std::vector<std::uint8_t> wire(full.begin(), full.end());
    wire.resize(GetParam().length, 0x55);
    if (GetParam().damagedIndex < wire.size())
        wire[GetParam().damagedIndex] ^= 0x01;
    Result<ConfigImage> parsed = imageFromWire(wire);
    EXPECT_FALSE(parsed);
    EXPECT_NE(reasonOf(parsed).find(GetParam().reasonPart), std::string::npos) << reasonOf(parsed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedWireTest,
    ::testing::Values(DamagedWire{"Empty", 0, 999, "got 0"},
                      DamagedWire{"Truncated", 169, 999, "got 169"},
                      DamagedWire{"Oversized", 171, 999, "got 171"},
                      DamagedWire{"FirstLeadIn", 170, 1, "block 1: lead-in"},
                      DamagedWire{"SecondLeadIn", 170, 85, "block 2: lead-in"},
                      DamagedWire{"FirstData", 170, 40, "block 1: bad checksum"},
                      DamagedWire{"SecondChecksum", 170, 169, "block 2: bad checksum"}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

}  // namespace
}  // namespace zelvar
