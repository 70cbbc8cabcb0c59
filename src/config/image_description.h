#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "config/image_decoder.h"

namespace zelvar {

// One tracker setting as the image carries it, in the terms `zelvar-cli decode` prints.
struct TrackerSetting {
    std::string name;   // "TX delay", "Speed 0-3 Km/h", "My callsign"
    std::string value;  // UTF-8: "200 ms (30 flags)", "every 480 s", "\"NOCALL-9\""
    std::size_t first;  // image index of the first byte that holds it
    std::size_t size;   // bytes from `first`; settings packed into one byte share it
};

// Every setting of a decoded image, always the same names in the same order, so two
// descriptions can be compared row by row. Together the rows cover all 164 image bytes: text
// fields include the bytes after their 0, the path its end-of-list byte, the spare area its own
// row. Whatever a row's value leaves out (a shared byte's reserved bits, bytes past a text's or
// the path's end, a missing 0, the spare bytes in use) follows it as a note, so two images that
// differ get different descriptions.
std::vector<TrackerSetting> describeImage(const ConfigImage& image, const DecodedImage& decoded);

}  // namespace zelvar
