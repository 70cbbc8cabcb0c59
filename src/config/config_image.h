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

// Byte positions of the image.
namespace image_offset {
inline constexpr std::size_t kTxDelay = 0;
inline constexpr std::size_t kMsgRepeat = 1;
inline constexpr std::size_t kOptions = 2;
inline constexpr std::size_t kSymbol = 3;
inline constexpr std::size_t kSymbolTable = 4;
inline constexpr std::size_t kGpsCheckTime = 5;
inline constexpr std::size_t kSpeedTable = 6;
inline constexpr std::size_t kManualTime = 13;
inline constexpr std::size_t kGpsAcqTime = 14;
inline constexpr std::size_t kBcnEvery = 15;
inline constexpr std::size_t kMyCall = 16;
inline constexpr std::size_t kPath1 = 23;
inline constexpr std::size_t kPath2 = 30;
inline constexpr std::size_t kBeacon = 38;
inline constexpr std::size_t kDestCall = 74;
inline constexpr std::size_t kAprsMsg = 81;
inline constexpr std::size_t kAutoReply = 120;
inline constexpr std::size_t kSpare = 154;
}  // namespace image_offset

inline constexpr std::uint8_t kGpslessMarker = 252;  // byte 5 when the acquisition timeout is 0
inline constexpr std::uint8_t kOptionAutoReply = 16;
inline constexpr std::uint8_t kOptionBaud300 = 32;
inline constexpr std::uint8_t kRxPositionBit = 128;
// The comment interval has the bits below the received-position flag; SEND sends more as this.
inline constexpr int kMaxCommentEvery = 127;
inline constexpr const char* kAutoReplyPrefix = "AA:";

// The field whose build step failed, and why.
struct FieldFailure {
    Field field;
    std::string reason;
};
using BuildResult = tl::expected<void, FieldFailure>;

// The message every failed build shows the user.
inline constexpr const char* kBuildFailedMessage = "Parametri incompleti o non corretti";
inline constexpr const char* kBuildFailedTitle = "Invio non eseguito - Zelvar";

// Validates and normalises `settings` step by step, writing the normalised texts back into it,
// and fills `image`. On failure the steps before the failing one keep their write-backs and the
// image is partly filled; it must not be sent.
BuildResult buildConfigImage(DeviceSettings& settings, ConfigImage& image);

}  // namespace zelvar
