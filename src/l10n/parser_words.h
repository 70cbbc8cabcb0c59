#pragma once

#include <QTranslator>

namespace zelvar {

// Qt's command line parser's lines for -h, --help-all and -v from the catalogue: Debian's
// translations of Qt lack them for several languages (Spanish, French, Italian, Japanese), and
// the window's program's --help showed them in English below translated words.
class ParserWords final : public QTranslator {
  public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

}  // namespace zelvar
