// APRS know-how in the window: the advice listed in the preview and marked on the fields agrees
// with zelvar-cli check --json on generated records, a note takes the user to its field, and the
// symbol picker sets the symbol and its table by name from the keyboard.
#include <QAccessible>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <random>

#include "cfg/cfg_writer.h"
#include "common/ascii.h"
#include "setup_window_support.h"
#include "ui/advice_marks.h"
#include "ui/latin1_text.h"

namespace zelvar {
namespace {

class AdviceWindowTest : public testing::SetupWindowTest {
  protected:
    // The symbol picker opened from ICON Symbol with Alt+Y; its search, once it has the focus,
    // else null.
    QLineEdit* openSymbolSearch() {
        field("edSymbol")->setFocus();
        QTest::keyClick(window.get(), Qt::Key_Y, Qt::AltModifier);
        QLineEdit* search = nullptr;
        const bool focused = QTest::qWaitFor([&] {
            search = window->findChild<QLineEdit*>("edSymbolSearch");
            return search && search->hasFocus();
        });
        return focused ? search : nullptr;
    }

    QListWidget* openAdvice() {
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        return control<QListWidget>("lstAdvice");
    }
};

// Settings that reach every rule's firing and non-firing side, seeded.
DeviceSettings generated(std::mt19937& next) {
    const auto pick = [&next](std::initializer_list<const char*> from) {
        return std::string(*(from.begin() + next() % from.size()));
    };
    DeviceSettings s = defaultSettings();
    s.myCall = pick({"NOCALL-9", "QX9ABC-9", "NOCALLX", "QX9ABC"});
    // Hidden characters, as a file brings them: a soft hyphen and a C1 control.
    s.path = pick({"WIDE1-1,WIDE2-1", "WIDE2-1,WIDE1-1", "RELAY,WIDE", "WIDE3-3", "WIDE2-5",
                   "WIDE2-2", "", "TRACE2-2,WIDE1-1", "WIDE1-1,W\xADIDE2-1"});
    s.fixedInterval = pick({"0030", "0300", "0600", "1800"});
    s.acquisitionTimeout = pick({"000", "025"});
    for (std::string& band : s.speedIntervals)
        band = pick({"045", "090", "180", "600"});
    s.modem300 = static_cast<int>(next() % 2);
    s.messageTo = pick({"NOCALL", "QX9ABC", "QX9AB\x9B"});
    s.messageRetries = pick({"00", "08"});
    s.autoAnswerOn = static_cast<int>(next() % 2);
    return s;
}

TEST_F(AdviceWindowTest, ListAndMarksAgreeWithCheckOnGeneratedRecordsAndANoteGoesToItsField) {
    QListWidget* list = openAdvice();
    const auto* marks = window->findChild<AdviceMarks*>("adviceMarks");
    ASSERT_NE(marks, nullptr);
    testing::FreshCurrentFolder folder;
    std::mt19937 next(36);
    for (int record = 0; record < 12; ++record) {
        window->applySettings(generated(next));
        QCoreApplication::processEvents();
        const Result<std::string> text = writeConfigText(window->settings(), CalculatorInputs{});
        ASSERT_TRUE(text);
        testing::writeFile(QStringLiteral("record.cfg"), QByteArray::fromStdString(*text));
        QProcess cli;
        cli.start(ZELVAR_CLI, {"check", "record.cfg", "--json"});
        ASSERT_TRUE(cli.waitForFinished());
        const QJsonArray notes =
            QJsonDocument::fromJson(cli.readAllStandardOutput()).object()["notes"].toArray();
        QStringList expected;
        std::map<QString, QString> levels;
        std::map<QString, QStringList> fieldLines;
        for (const QJsonValue& note : notes) {
            const QJsonObject n = note.toObject();
            // Shown as check prints it: a hidden character by its code, never invisibly.
            expected << QString::fromStdString(escapedControls(
                (n["level"].toString() + ": " + n["label"].toString() + ": " + n["text"].toString())
                    .toStdString()));
            fieldLines[n["field"].toString()] << expected.back();
            QString& level = levels[n["field"].toString()];
            if (level != "warning")
                level = n["level"].toString();
        }
        QStringList listed;
        for (int row = 0; row < list->count(); ++row)
            listed << list->item(row)->text();
        EXPECT_EQ(listed.join('\n').toStdString(), expected.join('\n').toStdString())
            << "record " << record;
        for (const FieldRow& row : fieldRows()) {
            const std::optional<AdviceLevel> level = marks->levelOf(row.field);
            const auto found = levels.find(QString::fromLatin1(row.name));
            EXPECT_EQ(level ? QString::fromLatin1(adviceLevelName(*level)) : QString(),
                      found == levels.end() ? QString() : found->second)
                << "record " << record << " " << row.name;
            // The tip holds the field's notes of this record, and no earlier one.
            QStringList tipped;
            for (const QString& line : window->findChild<QWidget*>(fromLatin1(row.window.control))
                                           ->toolTip()
                                           .split('\n')) {
                if (line.startsWith("warning: ") || line.startsWith("hint: "))
                    tipped << line;
            }
            EXPECT_EQ(tipped.join('\n').toStdString(),
                      fieldLines[QString::fromLatin1(row.name)].join('\n').toStdString())
                << "record " << record << " " << row.name;
        }
    }
    window->applySettings(defaultSettings());
    QCoreApplication::processEvents();
    ASSERT_GT(list->count(), 0);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(window->focusWidget(), field("edMyCall"));
    // The tip and the description a screen reader gives follow the edits: the note goes with its
    // cause.
    EXPECT_TRUE(field("edMyCall")->accessibleDescription().contains("NOCALL-9"));
    typeInto("edMyCall", "QX9ABC-9");
    QCoreApplication::processEvents();
    EXPECT_FALSE(field("edMyCall")->accessibleDescription().contains("NOCALL"));
    EXPECT_FALSE(field("edMyCall")->toolTip().contains("NOCALL"));
    EXPECT_FALSE(marks->levelOf(Field::MyCall));
}

TEST_F(AdviceWindowTest, SymbolPickerSetsSymbolAndTableByNameFromTheKeyboard) {
    QLineEdit* search = openSymbolSearch();
    ASSERT_NE(search, nullptr);
    auto* list = window->findChild<QListWidget*>("lstSymbols");
    testing::typeKeys(search, "digipeaterX");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(window->findChild<QLabel*>("lblNoSymbol")->text(),
              "No symbol is named \"digipeaterX\".");
    // A pasted search that turns its line around is quoted by its codes.
    search->setText(QString::fromUtf8("\u202Ecar\u200B"));
    EXPECT_EQ(window->findChild<QLabel*>("lblNoSymbol")->text(),
              "No symbol is named \"\\u202Ecar\\u200B\".");
    // A pasted page of text, or one long word, leaves the picker as wide as it was, its buttons
    // on the screen.
    auto* picker = window->findChild<QWidget*>("frmSymbols");
    const QSize least = picker->minimumSizeHint();
    for (const QString& pasted :
         {QString("nothing here at all ").repeated(2000), QString(5000, 'x')}) {
        search->setText(pasted);
        EXPECT_LE(picker->minimumSizeHint().width(), least.width());
        EXPECT_LE(picker->minimumSizeHint().height(), least.height() + 3 * search->height());
    }
    search->clear();
    testing::typeKeys(search, "balloon");
    ASSERT_EQ(list->count(), 2);
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_FALSE(search->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(textOf("edSymbol"), "O");
    EXPECT_TRUE(control<QCheckBox>("chkTable")->isChecked());
    const QString name = QString::fromUtf8("O \u2014 rocket, balloon, alternate table");
    EXPECT_EQ(field("edSymbol")->toolTip(), name);
    EXPECT_TRUE(field("edSymbol")->accessibleDescription().endsWith(name));
    ASSERT_TRUE(testing::activate(window.get()));
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(control<QLabel>("lblPreviewSymbol")->text(), "Symbol: " + name);
}

// A screen reader names the list by the heading above it, the count of notes with it.
TEST_F(AdviceWindowTest, TheListIsNamedByItsHeadingCountAndAll) {
    QListWidget* list = openAdvice();
    const auto named = [list] {
        return QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name).toStdString();
    };
    EXPECT_EQ(named(), "Advice: 1 warning, 2 hints");
    typeInto("edMyCall", "QX9ABC-9");
    QCoreApplication::processEvents();
    EXPECT_EQ(named(), "Advice: 0 warnings, 2 hints");
    EXPECT_EQ(named(), control<QLabel>("lblAdvice")->text().toStdString());
}

// The focus stays in the search while Up and Down choose: a screen reader there hears the chosen
// symbol with the search at once, and what typing found (the first symbol, or that none is) once
// the keys pause.
TEST_F(AdviceWindowTest, AScreenReaderInThePickersSearchHearsTheChosenSymbol) {
    QLineEdit* search = openSymbolSearch();
    ASSERT_NE(search, nullptr);
    const auto heard = [search] { return search->accessibleDescription().toStdString(); };
    const std::string hint =
        "a name such as car, balloon, house or digi, or the symbol's character";
    EXPECT_EQ(heard(), "> \u2014 car, primary table\n\n" + hint);
    testing::typeKeys(search, "balloon");
    const std::string balloon = "O \u2014 balloon, primary table\n\n" + hint;
    EXPECT_NE(heard(), balloon) << "heard at every key";
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard() == balloon; }));
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(heard(), "O \u2014 rocket, balloon, alternate table\n\n" + hint);
    testing::typeKeys(search, "X");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return heard() == "No symbol is named \"balloonX\".\n\n" + hint; }));
}

}  // namespace
}  // namespace zelvar
