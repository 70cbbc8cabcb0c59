#include "text/translation.h"

#include <cstddef>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace zelvar {
namespace {

// The installed catalogue and every translation looked up so far: a view handed out stays valid
// after a language change, since each catalogue's texts are kept under their own generation.
struct Lookup {
    std::mutex mutex;
    std::unique_ptr<const Catalogue> catalogue;
    unsigned generation = 0;
    std::unordered_map<std::string, std::string> found;
};

Lookup& lookup() {
    static Lookup instance;
    return instance;
}

}  // namespace

void installCatalogue(std::unique_ptr<const Catalogue> catalogue) {
    Lookup& state = lookup();
    const std::scoped_lock lock(state.mutex);
    state.catalogue = std::move(catalogue);
    ++state.generation;
}

std::string_view translated(std::string_view context, std::string_view msgid) {
    Lookup& state = lookup();
    const std::scoped_lock lock(state.mutex);
    if (!state.catalogue || msgid.empty())
        return msgid;
    std::string key = std::to_string(state.generation);
    key.append(1, '\x04').append(context).append(1, '\x04').append(msgid);
    if (const auto known = state.found.find(key); known != state.found.end())
        return known->second;
    std::optional<std::string> text = state.catalogue->find(context, msgid, {}, std::nullopt);
    if (!text || text->empty())
        return msgid;
    return state.found.emplace(std::move(key), std::move(*text)).first->second;
}

std::string translatedPlural(std::string_view context, std::string_view singular,
                             std::string_view plural, unsigned long count) {
    Lookup& state = lookup();
    {
        const std::scoped_lock lock(state.mutex);
        if (state.catalogue) {
            std::optional<std::string> text =
                state.catalogue->find(context, singular, plural, count);
            if (text && !text->empty())
                return std::move(*text);
        }
    }
    return std::string(count == 1 ? singular : plural);
}

std::string withArguments(std::string_view text,
                          std::initializer_list<std::string_view> arguments) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '0');
        if (text[i] == '%' && next >= '1' && next <= '9' && number <= arguments.size()) {
            result.append(*(arguments.begin() + (number - 1)));
            ++i;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

}  // namespace zelvar
