#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/result.h"
#include "config/device_settings.h"

namespace zelvar {

inline constexpr std::size_t kImageSize = 164;

// The tracker's configuration exactly as it travels: 164 bytes at fixed positions.
using ConfigImage = std::array<std::uint8_t, kImageSize>;

// Byte 5 when the acquisition timeout is 0 (GPSless Mode), in place of the acquisition interval.
inline constexpr std::uint8_t kGpslessMarker = 252;

// The field whose build step failed, and why.
struct FieldFailure {
    Field field;
    std::string reason;
};
using BuildResult = tl::expected<void, FieldFailure>;

// The message every failed build shows the user.

// Validates and normalises `settings` step by step, writing the normalised texts back into it,
// and fills `image`. On failure the steps before the failing one keep their write-backs and the
// image is partly filled; it must not be sent.
BuildResult buildConfigImage(DeviceSettings& settings, ConfigImage& image);

}  // namespace zelvar
