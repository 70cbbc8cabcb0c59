#include "text/text_catalogue.h"

#include <algorithm>
#include <utility>

namespace zelvar {

std::string translationKey(std::string_view context, std::string_view msgid) {
    std::string key(context);
    key += '\x04';
    key += msgid;
    return key;
}

TextCatalogue::TextCatalogue(PluralRule rule, Texts texts)
    : rule_(rule), texts_(std::move(texts)) {}

std::optional<std::string> TextCatalogue::find(std::string_view context, std::string_view msgid,
                                               std::string_view /*plural*/,
                                               std::optional<unsigned long> count) const {
    const auto found = texts_.find(translationKey(context, msgid));
    if (found == texts_.end() || found->second.empty())
        return std::nullopt;
    std::size_t form = 0;
    if (count) {
        form = rule_ == PluralRule::NotOne        ? (*count != 1 ? 1 : 0)
               : rule_ == PluralRule::MoreThanOne ? (*count > 1 ? 1 : 0)
                                                  : 0;
    }
    return found->second[std::min(form, found->second.size() - 1)];
}

}  // namespace zelvar
