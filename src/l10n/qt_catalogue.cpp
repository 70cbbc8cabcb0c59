#include "l10n/qt_catalogue.h"

#include <climits>

namespace zelvar {

bool QtCatalogue::load(const QString& path) {
    return translator_.load(path);
}

std::optional<std::string> QtCatalogue::find(std::string_view context, std::string_view msgid,
                                             std::string_view /*plural*/,
                                             std::optional<unsigned long> count) const {
    const std::string source(msgid);
    const std::string disambiguation(context);
    const int n = count ? static_cast<int>(std::min<unsigned long>(*count, INT_MAX)) : -1;
    const QString text = translator_.translate("", source.c_str(), disambiguation.c_str(), n);
    if (text.isNull())
        return std::nullopt;
    return text.toStdString();
}

}  // namespace zelvar
