#include "l10n/parser_words.h"

#include <array>
#include <string_view>

#include "text/translation.h"

namespace zelvar {
namespace {

// Word for word as Qt says them: they are what Qt looks up.
constexpr std::array kParserTexts{
    marked("command line", "Displays help on commandline options."),
    marked("command line", "Displays help including Qt specific options."),
    marked("command line", "Displays version information."),
};

}  // namespace

QString ParserWords::translate(const char* context, const char* sourceText,
                               const char* /*disambiguation*/, int /*n*/) const {
    if (context == nullptr || sourceText == nullptr ||
        std::string_view(context) != "QCommandLineParser")
        return {};
    for (const std::string_view text : kParserTexts) {
        if (text == sourceText) {
            const std::string_view shown = translated("command line", text);
            return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
        }
    }
    return {};
}

}  // namespace zelvar
