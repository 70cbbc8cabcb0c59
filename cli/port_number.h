#pragma once

#include <string>

namespace zelvar::cli {

// The port number of --port: a whole number from 0 to 255, as CommPort would hold it.
bool readPortNumber(const std::string& text, int& number);

}  // namespace zelvar::cli
