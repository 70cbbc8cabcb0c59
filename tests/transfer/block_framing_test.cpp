#include "transfer/block_framing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace zelvar {
namespace {

// The round trip over any image is the wire fuzz target's; here the bytes' places are pinned,
// and damage is refused with a reason: lengths, then a flipped bit at a place.
TEST(WireBytes, AreLeadInBlockLeadInBlockInOrder) {
    ConfigImage image{};
    std::iota(image.begin(), image.end(), std::uint8_t{0});
    const WireBytes wire = wireBytes(image);
    ASSERT_EQ(wire.size(), 170u);
    const std::pair<std::size_t, int> pinned[] = {{0, 0xFF},  {1, 0xFF},  {2, 0},     {83, 81},
                                                  {84, 0xF7}, {85, 0xFF}, {86, 0xFF}, {87, 82},
                                                  {168, 163}, {169, 0x3B}};
    for (const auto& [index, byte] : pinned)
        EXPECT_EQ(wire[index], byte) << index;
    EXPECT_EQ(wire[wireIndex(100)], 100);
    EXPECT_EQ(imageFromWire(wire).value_or(ConfigImage{}), image);
    for (std::size_t length : {0, 169, 171}) {
        std::vector<std::uint8_t> bytes(wire.begin(), wire.end());
        bytes.resize(length, 0x55);
        const std::string reason = reasonOf(imageFromWire(bytes));
        EXPECT_NE(reason.find("got " + std::to_string(length)), std::string::npos) << reason;
    }
    const std::pair<std::size_t, const char*> flipped[] = {{1, "block 1: lead-in"},
                                                           {85, "block 2: lead-in"},
                                                           {40, "block 1: bad checksum"},
                                                           {169, "block 2: bad checksum"}};
    for (const auto& [index, reason] : flipped) {
        WireBytes bytes = wire;
        bytes[index] ^= 0x01;
        const Result<ConfigImage> parsed = imageFromWire(bytes);
        EXPECT_FALSE(parsed);
        EXPECT_NE(reasonOf(parsed).find(reason), std::string::npos) << reasonOf(parsed);
    }
}

}  // namespace
}  // namespace zelvar
