#pragma once

#include <QString>
#include <QTranslator>

#include "text/translation.h"

namespace zelvar {

// A language's catalogue as Qt's .qm, made from its .po: a text's msgctxt is its disambiguation.
class QtCatalogue final : public Catalogue {
  public:
    // False when the file cannot be read as a catalogue.
    bool load(const QString& path);

    std::optional<std::string> find(std::string_view context, std::string_view msgid,
                                    std::string_view plural,
                                    std::optional<unsigned long> count) const override;

  private:
    QTranslator translator_;
};

}  // namespace zelvar
