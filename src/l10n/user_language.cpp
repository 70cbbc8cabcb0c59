#include "l10n/user_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "common/ascii.h"
#include "l10n/parser_words.h"
#include "l10n/qt_catalogue.h"
#include "text/language_choice.h"

namespace zelvar {
namespace {

const QString kPrefix = QStringLiteral("zelvar_");
const QString kSuffix = QStringLiteral(".qm");

std::string variable(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

QString cataloguePath(const std::string& language) {
    for (const QString& folder : catalogueFolders()) {
        QString path = QDir(folder).filePath(kPrefix + QString::fromStdString(language) + kSuffix);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

// Qt's own words (the buttons of its dialogs) from Debian's translations of Qt, where the
// application object is there to take them; the command line's from the catalogue.
void installQtWords(const std::string& language) {
    auto* application = QCoreApplication::instance();
    if (!application)
        return;
    QCoreApplication::installTranslator(new ParserWords(application));
    auto* words = new QTranslator(application);
    if (words->load(QLocale(QString::fromStdString(language)), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(words);
    else
        delete words;
}

}  // namespace

QStringList catalogueFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    // The build's tools and tests lie one folder below its programs.
    return {QDir::cleanPath(programFolder + QStringLiteral("/translations")),
            QDir::cleanPath(programFolder + QStringLiteral("/../translations")),
            QDir::cleanPath(programFolder +
                            QStringLiteral("/" ZELVAR_DATA_DIR_FROM_PROGRAM "/translations"))};
}

std::vector<std::string> catalogueLanguages() {
    std::vector<std::string> languages;
    for (const QString& folder : catalogueFolders()) {
        for (const QString& name :
             QDir(folder).entryList({kPrefix + QStringLiteral("*") + kSuffix}, QDir::Files)) {
            languages.push_back(
                name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size())
                    .toStdString());
        }
    }
    return languages;
}

std::optional<std::string> installUserLanguage(const std::optional<std::string>& asked) {
    const std::vector<std::string> wanted =
        asked ? std::vector<std::string>{languageCode(*asked)}
              : wantedLanguages({variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"),
                                 variable("LANG")});
    std::optional<std::string> language = chosenLanguage(wanted, catalogueLanguages());
    auto catalogue = std::make_unique<QtCatalogue>();
    if (!language || !catalogue->load(cataloguePath(*language))) {
        installCatalogue(nullptr);
        return std::nullopt;
    }
    installCatalogue(std::move(catalogue));
    installQtWords(*language);
    return language;
}

void installAskedLanguage(const std::optional<std::string>& asked, std::string_view program,
                          std::ostream& errors) {
    if (!installUserLanguage(asked) && asked && !asksForOwnTexts(*asked))
        errors << program << ": no catalogue for the language \"" << escapedControls(*asked)
               << "\": the program's own texts follow\n";
}

}  // namespace zelvar
