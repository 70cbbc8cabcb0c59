#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zelvar {

// A conversion's answer: the value, or the reason why the text or number could not be turned
// into one. Nothing in the position calculator throws.
template <typename T>
struct GeoResult {
    std::optional<T> value;
    std::string reason;

    static GeoResult success(T v) { return {std::move(v), {}}; }
    static GeoResult failure(std::string why) { return {std::nullopt, std::move(why)}; }

    explicit operator bool() const { return value.has_value(); }
    const T& operator*() const { return *value; }
    const T* operator->() const { return &*value; }
};

}  // namespace zelvar
