#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "geo/aprs_position.h"
#include "geo/coordinate_conversion.h"
#include "geo/position_decoder.h"

namespace {

using namespace zelvar;

// The Grad.Min.Cent text the calculator would have been given; the sign of -0 keeps "S" and "W".
std::string cent(double degrees) {
    return (std::signbit(degrees) ? "-" : "") + *degToCent(std::fabs(degrees));
}

}  // namespace

// Any text either is refused with the fixed reason or reads as a position that the calculator's
// encoders write back into the same text (the compressed altitude aside, which a power of 1.002
// rounded to whole feet cannot always give back).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
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
