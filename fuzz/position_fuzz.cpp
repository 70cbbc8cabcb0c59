#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/ascii.h"
#include "geo/aprs_position.h"
#include "geo/coordinate_conversion.h"
#include "geo/coordinate_reading.h"
#include "geo/maidenhead_locator.h"
#include "geo/position_decoder.h"

namespace {

using namespace zelvar;

// The Grad.Min.Cent text the calculator would have been given; the sign of -0 keeps "S" and "W".
std::string cent(double degrees) {
    return (std::signbit(degrees) ? "-" : "") + *degToCent(std::fabs(degrees));
}

// A typed coordinate or locator is refused with a reason, or read within the earth: a
// coordinate within its limit, a locator as the centre of a square that gives the same locator.
void readTyped(std::string_view text) {
    for (Axis axis : {Axis::Latitude, Axis::Longitude}) {
        const Result<TypedCoordinate> read = readCoordinate(text, axis, Notation::GradMinCent);
        if (read ? !(std::fabs(read->degrees) <= (axis == Axis::Latitude ? 90 : 180))
                 : read.error().reason.empty())
            std::abort();
    }
    const Result<GeoPoint> centre = locatorCentre(text);
    if (!centre)
        return;
    std::string_view locator = text;
    while (locator.front() == ' ')
        locator.remove_prefix(1);
    while (locator.back() == ' ')
        locator.remove_suffix(1);
    const Result<std::string> again = maidenheadLocator(*centre, static_cast<int>(locator.size()));
    if (!again || asciiLowered(*again) != asciiLowered(locator))
        std::abort();
}

}  // namespace

// Any text either is refused with the fixed reason or reads as a position that the calculator's
// encoders write back into the same text (the compressed altitude aside, which a power of 1.002
// rounded to whole feet cannot always give back).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readTyped(text);
    const Result<DecodedPosition> decoded = decodePosition(text);
    if (!decoded) {
        if (!decoded.error().reason.starts_with(kNotACalculatorPosition))
            std::abort();
        return 0;
    }
    const DecodedPosition& p = *decoded;
    describePosition(p);
    if (p.form == PositionForm::Compressed) {
        const Result<std::string> again =
            makeCompressed(p.latitude, p.longitude, p.table, p.symbol, std::nullopt);
        if (!again || text.substr(0, 11) != again->substr(0, 11))
            std::abort();
        return 0;
    }
    std::optional<std::int32_t> feet;
    if (p.feet)
        feet = static_cast<std::int32_t>(*p.feet);
    const Result<std::string> again =
        normalPosition(cent(p.latitude), cent(p.longitude), p.table, p.symbol, feet);
    if (!again || *again != text)
        std::abort();
    return 0;
}
