#pragma once

#include <string_view>
#include <vector>

namespace zelvar {

// The digipeater entries of a path text, at most two. The first comma at or after the second
// character ends the first entry; everything after it, further commas included, is the second.
// An entry that is empty or only spaces is dropped, and what follows a dropped first entry is
// split again, so that the entries joined by a comma read back as the same entries.
std::vector<std::string_view> pathEntries(std::string_view path);

}  // namespace zelvar
