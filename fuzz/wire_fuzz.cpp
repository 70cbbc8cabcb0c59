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
    const WireImage fromWire = imageFromWire(input);
    if (fromWire.ok) {
        const WireBytes again = wireBytes(fromWire.image);
        if (!std::ranges::equal(again, input))
            std::abort();
        decodeImage(fromWire.image);
    } else if (fromWire.reason.empty()) {
        std::abort();
    }

    if (size < kImageSize)
        return 0;
    ConfigImage image{};
    std::copy_n(data, kImageSize, image.begin());
    const WireImage back = imageFromWire(wireBytes(image));
    if (!back.ok || back.image != image)
        std::abort();
    decodeImage(image);
    return 0;
}
