#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zelvar {

// The longest item a .cfg may hold, counted as it stands in the file from its first byte up to
// its separator: leading spaces, quotes, doubled quotes and whatever follows a text included.
// The writer refuses what the reader would refuse.
inline constexpr std::size_t kMaxCfgItemBytes = std::size_t{64} * 1024;

struct CfgItemPlace {
    int line;
    std::string_view content;
};

inline constexpr std::size_t kCfgItemCount = 29;

// What Save writes at each of the 29 positions, on which line, and the name messages give it.
inline constexpr std::array<CfgItemPlace, kCfgItemCount> kCfgItems = {{
    {1, "Comm num"},
    {1, "TX delay"},
    {1, "Msg retries"},
    {1, "Mic-E and flags"},
    {1, "Symbol"},
    {1, "Alternate Table"},
    {2, "Speed table 0"},
    {3, "Speed table 1"},
    {4, "Speed table 2"},
    {5, "Speed table 3"},
    {6, "Speed table 4"},
    {7, "Speed table 5"},
    {8, "Speed table 6"},
    {9, "Manual timing"},
    {9, "Comment every and flag"},
    {9, "Acquisition timeout"},
    {9, "My callsign"},
    {9, "APRS path"},
    {9, "Comment"},
    {9, "Message to call"},
    {9, "Message"},
    {10, "Latitude"},
    {10, "Longitude"},
    {10, "Grad.Min.Cent check box"},
    {10, "Altitude"},
    {10, "Altitude check box"},
    {10, "Position format"},
    {11, "Auto answer"},
    {12, "Baud"},
}};

// How far into a file a load may read: a byte-order mark, then every item at its longest, each
// followed by the longest line end (CR CR LF). A front end that hands the reader no more than
// this of a file gets the verdict the whole file gets.
inline constexpr std::size_t kMaxCfgReadBytes = 4 + kCfgItemCount * (kMaxCfgItemBytes + 3);

}  // namespace zelvar
