// The window in the pseudo-locale en_XA, where every text of the catalogue is accented, 40 %
// longer and in brackets, under de_DE.UTF-8: each text comes from the catalogue and fits its
// widget (the test runs at scale 1 and 2), and what is saved and sent is what English gives.
#include <QAbstractButton>
#include <QCommandLineParser>
#include <QGroupBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <clocale>
#include <optional>

#include "cfg/cfg_writer.h"
#include "l10n/qt_catalogue.h"
#include "l10n/user_language.h"
#include "setup_window_support.h"
#include "transfer/send_preview.h"
#include "ui/calculator_window.h"
#include "ui/core_text.h"
#include "ui/instructions_viewer.h"

namespace zelvar {
namespace {

void installPseudoLocale() {
    auto catalogue = std::make_unique<QtCatalogue>();
    ASSERT_TRUE(catalogue->load(QStringLiteral(ZELVAR_BUILD_DIR "/translations/zelvar_en_XA.qm")));
    installCatalogue(std::move(catalogue));
}

// A text from the catalogue has an accent or a bracket; data has none: the Mic-E messages, which
// every language keeps as the radios show them, numbers, the factory defaults.
bool fromCatalogue(const QString& text) {
    const bool kept = std::ranges::find(kMicEMessages, text.toStdString()) != kMicEMessages.end();
    const bool letters = std::ranges::any_of(text, [](QChar c) { return c.isLetter(); });
    return kept || !letters || text.contains(u'[') ||
           std::ranges::any_of(text, [](QChar c) { return c.unicode() > 0x7F; });
}

// What stands outside the catalogue's brackets in `text`; nothing when they do not match (a
// bracket of data, the symbol "]", is not judged).
std::optional<QString> outsideBrackets(const QString& text) {
    QString outside;
    int depth = 0;
    for (const QChar c : text) {
        depth += c == u'[' ? 1 : 0;
        if (depth == 0)
            outside += c;
        depth -= c == u']' ? 1 : 0;
        if (depth < 0)
            return std::nullopt;
    }
    return depth == 0 ? std::optional(outside) : std::nullopt;
}

// Texts of the catalogue joined by punctuation of the program's own ("[Adapter]:"), not the
// language's.
bool joinedOutside(const QString& text) {
    const std::optional<QString> outside = outsideBrackets(text);
    return outside && text.contains(u'[') && std::ranges::any_of(*outside, [](QChar c) {
               return QStringLiteral(":;,.!?").contains(c);
           });
}

QString shownText(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// What is wrong with each visible text of `window`: not from the catalogue, or cut.
std::vector<std::string> textProblems(QWidget* window) {
    std::vector<std::string> problems;
    const auto check = [&](QWidget* widget, const QString& text, bool fits) {
        const std::string where =
            widget->objectName().toStdString() + " \"" + text.toStdString() + "\"";
        if (!fromCatalogue(text))
            problems.push_back("not from the catalogue: " + where);
        if (joinedOutside(text))
            problems.push_back("joined outside the catalogue: " + where);
        if (!fits)
            problems.push_back("cut: " + where + " in " + std::to_string(widget->width()) +
                               " px of " + std::to_string(window->width()));
    };
    check(window, window->windowTitle(), true);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
            const QRect room = label->contentsRect();
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(room.width()) <= room.height()
                                  : label->fontMetrics().horizontalAdvance(
                                        shownText(label->text())) <= room.width();
            check(label, label->text(), fits);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
                   button && !button->text().isEmpty()) {
            check(button, button->text(), button->sizeHint().width() <= button->width());
        } else if (auto* box = qobject_cast<QGroupBox*>(widget); box && !box->title().isEmpty()) {
            const int title = box->fontMetrics().horizontalAdvance(shownText(box->title()));
            check(box, box->title(), title + box->fontMetrics().averageCharWidth() <= box->width());
        } else if (auto* entries = qobject_cast<QListWidget*>(widget)) {
            const int room = entries->viewport()->width();
            for (int i = 0; i < entries->count(); ++i) {
                const QString entry = entries->item(i)->text();
                check(
                    entries, entry,
                    entries->wordWrap() || entries->fontMetrics().horizontalAdvance(entry) <= room);
            }
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const int room = list->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option,
                                                  QStyle::SC_ComboBoxEditField, list)
                                 .width();
            for (int i = 0; i < list->count(); ++i) {
                const QString entry = list->itemText(i);
                check(list, entry, list->fontMetrics().horizontalAdvance(entry) <= room);
            }
        }
    }
    return problems;
}

class PseudoLocale : public testing::SetupWindowTest {
  public:
    static void SetUpTestSuite() {
        installPseudoLocale();
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    static void TearDownTestSuite() {
        installCatalogue(nullptr);
        std::setlocale(LC_ALL, "C");
    }

  protected:
    // Each control the Tab key reaches from the focus, around to it again, is scrolled whole
    // into view.
    void expectEveryTabStopWholeInView() const {
        QWidget* first = QApplication::focusWidget();
        ASSERT_NE(first, nullptr);
        int steps = 0;
        do {
            QWidget* focus = QApplication::focusWidget();
            EXPECT_EQ(focus->visibleRegion().boundingRect(), focus->rect())
                << focusedName().toStdString() << " is not whole in view";
            QTest::keyClick(focus, Qt::Key_Tab);
        } while (QApplication::focusWidget() != first && ++steps < 100);
        EXPECT_LT(steps, 100) << "Tab comes back to the first control";
    }
};

TEST_F(PseudoLocale, EveryTextOfTheWindowsComesFromTheCatalogueAndFits) {
    ASSERT_NE(std::setlocale(LC_ALL, nullptr), std::string("C")) << "de_DE.UTF-8 is missing";
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->calculator()->show();
    click("cmdPreview");
    click("cmdSymbols");
    for (QWidget* shown : QApplication::topLevelWidgets())
        if (shown->isVisible())
            for (const std::string& problem : textProblems(shown))
                ADD_FAILURE() << problem;
    // A byte's tip, MY CALLSIGN's first: each line is one text of the catalogue, its colon too.
    const QString tip = control<QTableView>("tblWireBytes")
                            ->model()
                            ->index(1, 2)
                            .data(Qt::AccessibleDescriptionRole)
                            .toString();
    ASSERT_TRUE(tip.contains(u'\n')) << tip.toStdString();
    for (const QString& line : tip.split(u'\n'))
        EXPECT_TRUE(line.startsWith(u'[') && line.endsWith(u']')) << line.toStdString();
    // What a screen reader says of ICON Symbol: its own description and the symbol's name.
    const QString symbol = field(QStringLiteral("edSymbol"))->accessibleDescription();
    EXPECT_FALSE(joinedOutside(symbol)) << symbol.toStdString();
}

// The longer words take room in both displays; the calculator's button, which stands over two
// lines in the GPSless one, leaves the symbol picker's button beside it whole.
TEST_F(PseudoLocale, NoControlCoversAnotherInEitherDisplay) {
    for (const char* timeout : {"025", "0"}) {
        typeInto("edGpsAcqTime", timeout);
        EXPECT_EQ(testing::overlappingControls(window.get()), std::vector<std::string>{})
            << timeout;
    }
}

// A screen smaller than the window (a laptop at 150 %, 1080 lines at 200 %, the test's at scale
// 2): the window, and the calculator, wider than a small screen in a long language, stay within
// it, and each control the Tab key reaches in them is scrolled whole into view.
TEST_F(PseudoLocale, NoControlIsOutOfReachOnTheScreen) {
    window->show();
    CalculatorWindow* calculator = window->calculator();
    for (QWidget* shown :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(calculator)}) {
        if (shown == calculator)
            calculator->showCalculator();
        ASSERT_TRUE(testing::activate(shown));
        EXPECT_TRUE(shown->screen()->availableGeometry().contains(shown->frameGeometry()));
        expectEveryTabStopWholeInView();
    }
}

// Load's and Save's dialogs stay within a screen smaller than their natural size, where the file
// type and Cancel were below the screen's edge.
TEST_F(PseudoLocale, NoControlOfLoadOrSaveIsOffTheScreen) {
    click("cmdLoad");
    click("cmdSave");
    ASSERT_EQ(modals.fileDialogs.size(), 2u);
    for (const testing::SeenFileDialog& dialog : modals.fileDialogs)
        EXPECT_TRUE(dialog.screen.contains(dialog.frame)) << dialog.title.toStdString();
}

// The window's program's --help, Qt's own lines for -h, --help-all and -v included, once the
// language is installed as the program installs it.
TEST_F(PseudoLocale, HelpsOnTheCommandLineInTheLanguage) {
    ASSERT_EQ(installUserLanguage(std::string("en_XA")), "en_XA");
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QString& line : parser.helpText().split(u'\n')) {
        if (line.trimmed().startsWith(u'-')) {
            EXPECT_TRUE(line.contains(u'[')) << line.toStdString();
        }
    }
}

// The tip of a port the system does not list is the catalogue's sentences, their full stops
// too: nothing stands outside its brackets.
TEST_F(PseudoLocale, TellsOfAPortNotListedInTheLanguage) {
    auto* chooser = control<QPushButton>("cmdPortDevice");
    const QString looking = fromUtf8(translated("port chooser", "Looking for serial ports"));
    typeInto("edComm", "99");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !chooser->accessibleDescription().contains(looking); }));
    const QString tip = chooser->accessibleDescription();
    EXPECT_EQ(outsideBrackets(tip).value_or(tip).trimmed().toStdString(), "") << tip.toStdString();
}

// A manual the viewer cannot read: each line of the message says why in the language, the
// reader's reason too.
TEST_F(PseudoLocale, TheManualViewerSaysWhyInTheLanguage) {
    const testing::FreshCurrentFolder folder;
    for (const char* content : {"just text", "{\\rtf1 {\\b cut"}) {
        testing::writeFile(QStringLiteral("Broken.rtf"), content);
        const QPointer<InstructionsViewer> viewer =
            InstructionsViewer::open(QStringLiteral("Broken.rtf"), QStringLiteral("Manual"));
        auto* box = viewer->findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr) << content;
        for (const QString& line : box->text().split(u'\n'))
            EXPECT_TRUE(fromCatalogue(line)) << line.toStdString();
        box->button(QMessageBox::Ok)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Save and SEND under de_DE.UTF-8 in another language: the bytes of English.
TEST_F(PseudoLocale, SavesAndSendsWhatEnglishDoes) {
    const CalculatorInputs calculator{"45.30.15", "-009.10.30", 0, "120.5", 1, true};
    window->calculator()->setInputs(calculator);
    typeInto("edNumFlagsAuto", "310");
    const DeviceSettings shown = window->settings();
    QTemporaryDir folder;
    modals.choose(folder.filePath("pseudo.cfg"));
    click("cmdSave");
    const SendPreview pseudo = previewSend(shown);

    installCatalogue(nullptr);
    std::setlocale(LC_ALL, "C");
    QFile saved(folder.filePath("pseudo.cfg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), writeConfigText(shown, calculator).value());
    EXPECT_EQ(previewSend(shown).wire, pseudo.wire);
    ASSERT_FALSE(modals.fileDialogs.empty());
    EXPECT_TRUE(modals.fileDialogs.front().filter.endsWith(QStringLiteral("] (*.cfg)")))
        << "the dialog lists the files English does: "
        << modals.fileDialogs.front().filter.toStdString();
    SetUpTestSuite();
}

}  // namespace
}  // namespace zelvar
