#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"

// The APRS position reports the tracker sends as its fixed beacon in GPSless mode, all without
// timestamp and with messaging ("="): normal (20 characters), normal with an /A= altitude
// comment (29) and compressed (14).
namespace zelvar {

enum class PositionForm { Normal, Compressed };

char symbolTableChar(bool alternateTable);  // '\' alternate, '/' primary

// What the symbol field takes: any character but the control codes, which would end the beacon
// or steer a terminal that shows it.
bool isSymbolChar(char c);

// Whole feet from a text of metres (its leading number; none counts as 0), rounded half-even.
// The compressed form cannot carry a negative altitude, so it gets 0. Fails when the feet do not
// fit a signed 32-bit number.
Result<std::int32_t> altitudeFeet(std::string_view metres, PositionForm form);

// The whole metres the feet stand for: 984 -> "300", -33 -> "-10".
std::string feetAsMetres(std::int32_t feet);

// `count` base-91 digits of n, most significant first ('!' is 0, '{' is 90).
std::string base91(std::uint32_t n, int count);

// "=DDMM.hhN" table "DDDMM.hhE" symbol, then "/A=" and six digits of feet when given.
// The coordinates are Grad.Min.Cent texts.
Result<std::string> normalPosition(std::string_view latitudeCent, std::string_view longitudeCent,
                                   char table, char symbol, std::optional<std::int32_t> feet);

// "=" table, four digits of latitude, four of longitude, symbol, then the altitude's two digits
// and "Q" when given, "  _" otherwise. Decimal degrees; the feet must not be negative.
Result<std::string> makeCompressed(double latitude, double longitude, char table, char symbol,
                                   std::optional<std::int32_t> feet);

}  // namespace zelvar
