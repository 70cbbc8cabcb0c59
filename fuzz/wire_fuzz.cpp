#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "config/image_decoder.h"
#include "transfer/block_framing.h"

// Wire bytes that pass the lead-in and checksum checks frame back into exactly themselves, and
// any 164 bytes, framed, read back as the same image. Decoding never fails on either.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelvar;
    const std::span<const std::uint8_t> input(data, size);
    const Result<ConfigImage> fromWire = imageFromWire(input);
    if (fromWire) {
        const WireBytes again = wireBytes(*fromWire);
        if (!std::ranges::equal(again, input))
            std::abort();
        decodeImage(*fromWire);
    } else if (fromWire.error().reason.empty()) {
        std::abort();
    }

    if (size < kImageSize)
        return 0;
    ConfigImage image{};
    std::copy_n(data, kImageSize, image.begin());
    const Result<ConfigImage> back = imageFromWire(wireBytes(image));
    if (!back || *back != image)
        std::abort();
    decodeImage(image);
    return 0;
}
