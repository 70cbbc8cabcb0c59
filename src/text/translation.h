#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zelvar {

// The user's language. Every text the program shows passes through `translated` with the context
// where it appears ("cfg reader", "preview"); the catalogue in po/ is extracted from these calls.
// Until a front end installs a catalogue, each text is its source, word for word. "%1", "%2" stand
// for what a text is given (withArguments); a text that counts has a form for each count.
class Catalogue {
  public:
    Catalogue() = default;
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;
    virtual ~Catalogue() = default;

    // The translation, or nothing where the catalogue has none. `plural` and `count` are given
    // for a text with a form for each count.
    virtual std::optional<std::string> find(std::string_view context, std::string_view msgid,
                                            std::string_view plural,
                                            std::optional<unsigned long> count) const = 0;
};

// Replaces the catalogue (nullptr: the source texts). Texts looked up before stay valid.
void installCatalogue(std::unique_ptr<const Catalogue> catalogue);

// `msgid` in the user's language. The view lives as long as the program.
std::string_view translated(std::string_view context, std::string_view msgid);

// The form of a counting text for `count`: `singular` or `plural` in the source language.
std::string translatedPlural(std::string_view context, std::string_view singular,
                             std::string_view plural, unsigned long count);

// "%1".."%9" in `text` replaced by the arguments, in one pass: an argument's own "%2" stays.
std::string withArguments(std::string_view text, std::initializer_list<std::string_view> arguments);

// Marks a table's text for the catalogue; the table's reader looks it up in its context.
constexpr std::string_view marked(std::string_view /*context*/, std::string_view msgid) {
    return msgid;
}

}  // namespace zelvar
