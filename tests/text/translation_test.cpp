#include <gtest/gtest.h>

#include "config/config_image.h"
#include "config/shown_texts.h"
#include "geo/position_calculation.h"
#include "marked_catalogue.h"
#include "text/language_choice.h"
#include "text/translation.h"
#include "transfer/send_preview.h"

namespace zelvar {
namespace {

using testing_support::MarkedCatalogue;

TEST(Translation, ACatalogueTranslatesByContextTheCoresMessagesTooAndKeepsEarlierTextsValid) {
    std::string_view first;
    {
        const MarkedCatalogue one("1[", "]");
        first = translated("ctx", "Message");
        EXPECT_EQ(first, "1[Message]");
        EXPECT_EQ(translated("unknown", "Message"), "Message");
        EXPECT_EQ(translatedPlural("ctx", "%1 hint", "%1 hints", 2), "1[%1 hints]");
        const MarkedCatalogue two("2[", "]");
        EXPECT_EQ(translated("ctx", "Message"), "2[Message]");
        // The core's messages go through it too.
        DeviceSettings settings = defaultSettings();
        settings.myCall.clear();
        ConfigImage image{};
        EXPECT_EQ(reasonOf(buildConfigImage(settings, image)),
                  "2[2[MY CALLSIGN]: 2[empty callsign]]");
        // A coordinate's reason is joined to the coordinate in the catalogue's words too (French
        // puts a no-break space before the colon, Japanese a full-width one).
        PositionRequest request;
        request.latitude = "95";
        EXPECT_EQ(reasonOf(calculatePosition(request)),
                  "2[2[invalid 2[latitude] \"95\"]: 2[more than 90 degrees]]");
        // And so is the preview's note on a hidden character.
        settings = defaultSettings();
        settings.myCall =
            "NOC\xAD"
            "ALL-9";
        const std::vector<NormalisationNote> notes = previewSend(settings).notes;
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].text,
                  "2[2[2[MY CALLSIGN] \"NOC\\u00ADALL-9\" -> 2[sent as \"NOC\\u00ADAL-9\"]]: "
                  "2[the field holds 2[an invisible 2[soft hyphen] (U+00AD)]]]");
    }
    EXPECT_EQ(first, "1[Message]");  // a view handed out outlives its catalogue
    EXPECT_EQ(translated("ctx", "Message"), "Message");
}

TEST(Translation, ArgumentsAreReplacedInOnePass) {
    EXPECT_EQ(withArguments("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(withArguments("%1 and %3", {"%2", "x"}), "%2 and %3");
    EXPECT_EQ(withArguments("100% of %1%", {"it"}), "100% of it%");
}

// A reason shown on its own line, in any of the catalogue's languages.
TEST(Translation, AReasonBecomesASentence) {
    EXPECT_EQ(asSentence("invalid latitude \"x\""), "Invalid latitude \"x\".");
    EXPECT_EQ(asSentence(std::string("\xC3\xA9") + "cart"), std::string("\xC3\x89") + "cart.");
    EXPECT_EQ(asSentence("\xE7\xB7\xAF\xE5\xBA\xA6"), "\xE7\xB7\xAF\xE5\xBA\xA6.");  // 緯度
    // The full stop is the catalogue's: Japanese writes "。".
    const MarkedCatalogue catalogue("1[", "]");
    EXPECT_EQ(asSentence("x"), "1[X.]");
}

// As the real program chooses, with LC_ALL=C and --lang in every form: tests/cli/languages.sh.
TEST(LanguageChoice, FollowsGettextsOrderOfTheVariables) {
    EXPECT_EQ(wantedLanguages({"fr:de", "", "", "it_IT.UTF-8"}),
              (std::vector<std::string>{"fr", "de", "it_IT"}));
    EXPECT_EQ(wantedLanguages({"", "de_DE.UTF-8@euro", "es_ES", "it_IT"}),
              std::vector<std::string>{"de_DE"});
    EXPECT_EQ(wantedLanguages({"", "", "es_ES.UTF-8", "it_IT"}), std::vector<std::string>{"es_ES"});
    // The C locale asks for the program's own texts, whatever LANGUAGE says.
    EXPECT_TRUE(wantedLanguages({"de", "", "", ""}).empty());
    EXPECT_TRUE(wantedLanguages({"de", "POSIX", "", "de_DE.UTF-8"}).empty());
    // C.UTF-8, many a system's and container's locale, is not C: there LANGUAGE is heard.
    EXPECT_EQ(wantedLanguages({"de", "", "", "C.UTF-8"}), (std::vector<std::string>{"de", "C"}));
}

TEST(LanguageChoice, TakesTheFirstLanguageWithACatalogue) {
    const std::vector<std::string> available = {"de", "pt_BR", "en_XA"};
    EXPECT_EQ(chosenLanguage({"fr", "de_AT"}, available), "de");
    EXPECT_EQ(chosenLanguage({"pt_BR"}, available), "pt_BR");
    EXPECT_EQ(chosenLanguage({"pt_PT"}, available), std::nullopt);
    EXPECT_EQ(chosenLanguage({"en_GB", "de"}, available), std::nullopt);
    // As a command line may write them.
    EXPECT_EQ(chosenLanguage({"DE"}, available), "de");
    EXPECT_EQ(chosenLanguage({"pt_br"}, available), "pt_BR");
    EXPECT_EQ(chosenLanguage({"EN_xa"}, available), "en_XA");
    EXPECT_EQ(chosenLanguage({"C", "de"}, available), std::nullopt);
    EXPECT_EQ(chosenLanguage({"POSIX"}, available), std::nullopt);
}

TEST(LanguageChoice, ReadsLangFromACommandLine) {
    EXPECT_EQ(askedLanguage({"--lang", "de", "send"}), "de");
    EXPECT_EQ(askedLanguage({"send", "--lang=ja"}), "ja");
    EXPECT_EQ(askedLanguage({"send", "--", "--lang", "de"}), std::nullopt);
    EXPECT_EQ(askedLanguage({"--lang"}), std::nullopt);
}

}  // namespace
}  // namespace zelvar
