#include "rtf/keywords.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace zelvar::rtf {
namespace {

using Entry = std::pair<std::string_view, Keyword>;

// Destinations whose content is not part of the text: document information, headers and
// footers, style and list definitions, fields' instructions, objects, annotations.
constexpr auto kSkipped = std::to_array<std::string_view>({
    "atnauthor",  "atndate",      "atnicn",
    "atnid",      "atnparent",    "atnref",
    "atntime",    "atrfend",      "atrfstart",
    "author",     "bkmkend",      "bkmkstart",
    "buptim",     "category",     "colorschememapping",
    "comment",    "company",      "creatim",
    "datafield",  "datastore",    "doccomm",
    "docvar",     "falt",         "fldinst",
    "footer",     "footerf",      "footerl",
    "footerr",    "footnote",     "ftncn",
    "ftnsep",     "ftnsepc",      "generator",
    "header",     "headerf",      "headerl",
    "headerr",    "hlinkbase",    "info",
    "keywords",   "latentstyles", "listoverridetable",
    "listtable",  "manager",      "nonshppict",
    "objclass",   "objdata",      "object",
    "operator",   "panose",       "pgdsctbl",
    "pn",         "pnseclvl",     "pntxta",
    "pntxtb",     "printim",      "private",
    "revtbl",     "revtim",       "rsidtbl",
    "shpinst",    "sn",           "sp",
    "stylesheet", "subject",      "sv",
    "template",   "themedata",    "title",
    "txe",        "upr",          "userprops",
    "xe",         "xmlnstbl",
});

constexpr auto kKeywords = std::to_array<Entry>({
    {"ansi", Keyword::Ansi},
    {"ansicpg", Keyword::AnsiCodePage},
    {"b", Keyword::Bold},
    {"blue", Keyword::Blue},
    {"bullet", Keyword::Bullet},
    {"cb", Keyword::Background},
    {"cell", Keyword::Tab},
    {"cf", Keyword::Foreground},
    {"colortbl", Keyword::ColorTable},
    {"cpg", Keyword::FontCodePage},
    {"deff", Keyword::DefaultFont},
    {"emdash", Keyword::EmDash},
    {"endash", Keyword::EnDash},
    {"f", Keyword::Font},
    {"fcharset", Keyword::Charset},
    {"fi", Keyword::FirstIndent},
    {"fonttbl", Keyword::FontTable},
    {"fs", Keyword::FontSize},
    {"green", Keyword::Green},
    {"highlight", Keyword::Highlight},
    {"i", Keyword::Italic},
    {"jpegblip", Keyword::JpegBlip},
    {"ldblquote", Keyword::LeftDoubleQuote},
    {"li", Keyword::LeftIndent},
    {"line", Keyword::Line},
    {"lquote", Keyword::LeftQuote},
    {"mac", Keyword::Mac},
    {"page", Keyword::Par},
    {"par", Keyword::Par},
    {"pard", Keyword::Pard},
    {"pc", Keyword::Pc},
    {"pca", Keyword::Pca},
    {"pichgoal", Keyword::PictureGoalHeight},
    {"picscalex", Keyword::PictureScaleX},
    {"picscaley", Keyword::PictureScaleY},
    {"pict", Keyword::Picture},
    {"picwgoal", Keyword::PictureGoalWidth},
    {"plain", Keyword::Plain},
    {"pngblip", Keyword::PngBlip},
    {"qc", Keyword::AlignCenter},
    {"qj", Keyword::AlignJustify},
    {"ql", Keyword::AlignLeft},
    {"qr", Keyword::AlignRight},
    {"rdblquote", Keyword::RightDoubleQuote},
    {"red", Keyword::Red},
    {"ri", Keyword::RightIndent},
    {"row", Keyword::Par},
    {"rquote", Keyword::RightQuote},
    {"sa", Keyword::SpaceAfter},
    {"sb", Keyword::SpaceBefore},
    {"sect", Keyword::Par},
    {"shppict", Keyword::ShapePicture},
    {"strike", Keyword::Strike},
    {"striked", Keyword::Strike},
    {"tab", Keyword::Tab},
    {"u", Keyword::Unicode},
    {"uc", Keyword::UnicodeSkip},
    {"ul", Keyword::Underline},
    {"uld", Keyword::Underline},
    {"uldash", Keyword::Underline},
    {"uldb", Keyword::Underline},
    {"ulnone", Keyword::UnderlineNone},
    {"ulth", Keyword::Underline},
    {"ulw", Keyword::Underline},
    {"ulwave", Keyword::Underline},
});

constexpr bool byName(const Entry& a, const Entry& b) {
    return a.first < b.first;
}
static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(), byName));
static_assert(std::is_sorted(kSkipped.begin(), kSkipped.end()));

}  // namespace

Keyword keywordFor(std::string_view word) {
    const auto found =
        std::lower_bound(kKeywords.begin(), kKeywords.end(), Entry{word, Keyword::Unknown}, byName);
    if (found != kKeywords.end() && found->first == word) {
        return found->second;
    }
    if (std::binary_search(kSkipped.begin(), kSkipped.end(), word)) {
        return Keyword::SkippedDestination;
    }
    return Keyword::Unknown;
}

}  // namespace zelvar::rtf
