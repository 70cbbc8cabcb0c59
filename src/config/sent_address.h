#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar {

// A callsign or digipeater entry as the tracker sends it, and what the WIDEn-N path scheme makes
// of it. The callsign part is compared in capitals: a digipeater would not answer "wide1-1" at
// all, but what the user meant is plain.
struct SentAddress {
    std::string shown;  // as the field shows it after a build: "WIDE2-2", "NOCALL-9"
    std::string call;   // the callsign part as sent, in capitals: "WIDE2", "NOCALL"
    int ssid = 0;       // as sent, 0..15
    // Whether the callsign part as sent is capitals and digits only, as an AX.25 address is.
    bool isAddress = false;

    // The digit n of an alias of letters and one digit: WIDEn, TRACEn, a state's SSn.
    std::optional<int> hopDigit() const;
    bool isWide() const;  // WIDEn-N
    bool isWide1_1() const;
    // RELAY, WIDE, TRACE, TRACEn-N, and WIDEn-N with n of 3 or more.
    bool isRetired() const;
    // WIDEn-N with n above 7 or N above n, or WIDEn with no hop left to go (N of 0: "WIDE2").
    bool isInvalidHop() const;
    // What the entry adds to the hops of a path: N for an n-N alias, 1 for any other.
    int hops() const;
};

// The entry the builder would write for a callsign text, read back; nothing for a text the
// builder refuses.
std::optional<SentAddress> sentAddress(std::string_view text);

// The digipeater entries of a path text, at most two.
std::vector<SentAddress> sentPath(std::string_view path);

}  // namespace zelvar
