#pragma once

#include <map>
#include <string>
#include <vector>

#include "text/translation.h"

namespace zelvar {

// Which form of a counting text a count takes, by gettext's rule of the language.
enum class PluralRule {
    NotOne,       // "n != 1": one, many (it, de, es)
    MoreThanOne,  // "n > 1": 0 and 1, many (fr, pt_BR)
    None,         // "0": one form (ja)
};

// A catalogue given as its texts (the page's, from its language's JSON): each text's forms by
// context and source, `translationKey(context, msgid)`.
class TextCatalogue final : public Catalogue {
  public:
    using Texts = std::map<std::string, std::vector<std::string>, std::less<>>;
    TextCatalogue(PluralRule rule, Texts texts);

    std::optional<std::string> find(std::string_view context, std::string_view msgid,
                                    std::string_view plural,
                                    std::optional<unsigned long> count) const override;

  private:
    PluralRule rule_;
    Texts texts_;
};

// "context\x04msgid", as gettext joins them.
std::string translationKey(std::string_view context, std::string_view msgid);

}  // namespace zelvar
