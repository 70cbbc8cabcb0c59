#pragma once

#include <string>

namespace zelvar {

// Outcome of a file operation: success, or a description fit for the user's message box.
struct FileStatus {
    bool ok = true;
    std::string message;

    explicit operator bool() const { return ok; }
    static FileStatus success() { return {}; }
    static FileStatus failure(std::string why) { return {false, std::move(why)}; }
};

}  // namespace zelvar
