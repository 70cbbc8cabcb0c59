#pragma once

#include <string>
#include <tl/expected.hpp>
#include <utility>

namespace zelvar {

// Why something could not be done, in words fit for the user.
struct Failure {
    std::string reason;
};

// A value, or the reason there is none. Nothing in the core throws: every failure is a value.
template <typename T = void>
using Result = tl::expected<T, Failure>;

inline tl::unexpected<Failure> failure(std::string reason) {
    return tl::unexpected<Failure>(Failure{std::move(reason)});
}

// The reason of a failed result, empty for a success: for a message that may follow either.
template <typename T, typename E>
std::string reasonOf(const tl::expected<T, E>& result) {
    return result ? std::string() : result.error().reason;
}

}  // namespace zelvar
