// The main window as the user types into it and as a screen reader hears it: key filters, masks,
// counters, the GPSless display, and the calculator and manual it opens.
#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>
#include <QRegularExpression>
#include <QSet>

#include "config/input_rules.h"
#include "setup_window_support.h"
#include "ui/calculator_window.h"
#include "ui/field_edit.h"
#include "ui/instructions_viewer.h"
#include "ui/settings_form.h"

namespace zelvar {
namespace {

class SetupKeys : public testing::SetupWindowTest {
  protected:
    QString labelText(const char* name) { return control<QLabel>(name)->text(); }
    bool shown(const char* name) { return control<QWidget>(name)->isVisible(); }
    static QAccessibleInterface* heard(QWidget* control) {
        return QAccessible::queryAccessibleInterface(control);
    }
    static QString spokenName(QWidget* control) { return heard(control)->text(QAccessible::Name); }
};

// SEND puts the focus on a failing field's control: each field has its own, showing that field.
TEST_F(SetupKeys, EveryFieldHasItsOwnControl) {
    const auto* form = window->findChild<SettingsForm*>();
    const DeviceSettings defaults = defaultSettings();
    QSet<QWidget*> controls;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        QWidget* shown = form->control(field);
        controls.insert(shown);
        const std::string* text = fieldText(defaults, field);
        const auto* edit = qobject_cast<QLineEdit*>(shown);
        EXPECT_TRUE(text ? edit && edit->text().toStdString() == *text
                         : qobject_cast<QCheckBox*>(shown) || qobject_cast<QComboBox*>(shown))
            << fieldName(field);
    }
    EXPECT_EQ(controls.size(), qsizetype(kFieldCount));
}

// Each text field takes, one typed character at a time, what the shared input rules take (as
// the web page does), in both displays, up to its length.
TEST_F(SetupKeys, FiltersAgreeWithTheInputRules) {
    using enum Field;
    const auto* form = window->findChild<SettingsForm*>();
    // Printable Latin-1 (Qt itself refuses control codes), a character beyond it, and an input
    // method's full-width forms: a comma, a digit, the letters and what follows them, and a
    // Japanese one's long-vowel mark, its minus.
    std::vector<int> codes;
    for (int code = ' '; code <= 0xff; ++code) {
        if (code < 0x7f || code >= 0xa0)
            codes.push_back(code);
    }
    codes.insert(codes.end(), {0x20ac, 0x3000, 0x3001, 0x3002, 0x30fc, 0xff0c, 0xff10, 0xff21,
                               0xff41, 0xff5f, 0xff70});
    for (const bool gpsless : {false, true}) {
        typeInto("edGpsAcqTime", gpsless ? "0" : "5");
        for (const Field name : {MyCall, MessageTo, Path, Beacon, Message, AutoAnswer, Symbol}) {
            auto* edit = qobject_cast<QLineEdit*>(form->control(name));
            const InputRule& rule = inputRule(name);
            edit->setFocus();
            for (const int code : codes) {
                edit->clear();
                testing::typeKeys(edit, QString(QChar(code)));
                const int kept = acceptedCode(rule, code, gpsless);
                EXPECT_EQ(edit->text(), kept == kDroppedKey ? QString() : QString(QChar(kept)))
                    << fieldName(name) << " " << code << " " << gpsless;
            }
            edit->clear();
            testing::typeKeys(edit, QString(int(rule.maxLength) + 1, '1'));
            EXPECT_EQ(edit->text(), QString(int(rule.maxLength), '1')) << fieldName(name);
        }
    }
    // The beacon follows the timeout as it was when each character was typed.
    typeInto("edBeacon", "{");
    typeInto("edGpsAcqTime", "5");
    appendTo("edBeacon", "{'");
    EXPECT_EQ(textOf("edBeacon"), "{");
}

// Pasted text meets the filter before the field's length cuts it, and the caret ends after it;
// text the program writes does not meet it, nor while the user edits it.
TEST_F(SetupKeys, PastedTextIsFilteredTheProgramsIsNot) {
    QGuiApplication::clipboard()->setText("ab c/d e.f g h");
    field("edMyCall")->setFocus();
    field("edMyCall")->clear();
    QTest::keyClick(field("edMyCall"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(textOf("edMyCall"), "ABCDEFGH");
    EXPECT_EQ(field("edMyCall")->cursorPosition(), 8);
    field("edMyCall")->clear();
    testing::dropText(field("edMyCall"), "qx/9 a.b c-12");
    EXPECT_EQ(textOf("edMyCall"), "QX9ABC-12");

    DeviceSettings s = window->settings();
    s.myCall = "no/c";
    s.beacon = "it's {x}";
    window->applySettings(s);
    EXPECT_EQ(textOf("edBeacon"), "it's {x}");
    EXPECT_EQ(labelText("Label34"), "[27]");
    appendTo("edMyCall", "a/-");
    EXPECT_EQ(textOf("edMyCall"), "no/cA-");
}

// A pasted or dropped book is judged only until the field is full, each character once: the
// rule is asked a few times, not once for every character, whatever stands before the kept ones.
TEST_F(SetupKeys, APastedOrDroppedBookIsJudgedNoFurtherThanTheFieldTakes) {
    FieldEdit edit(nullptr);
    edit.setLengthLimit(9);
    int asked = 0;
    edit.setCharacterRule([&asked](int code) {
        ++asked;
        return code == ' ' ? kDroppedKey : code;
    });
    const qsizetype pages = 200000;
    const std::pair<QString, QString> books[] = {
        {QString(pages, u'A'), "AAAAAAAAA"},
        {QString(pages, u' ') + "QX9ABC-12" + QString(pages, u'B'), "QX9ABC-12"}};
    for (const auto& [book, kept] : books) {
        for (const bool dropped : {false, true}) {
            edit.clear();
            asked = 0;
            if (dropped) {
                testing::dropText(&edit, book);
            } else {
                QGuiApplication::clipboard()->setText(book);
                QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
            }
            EXPECT_EQ(edit.text(), kept) << dropped;
            EXPECT_LT(asked, 40) << dropped;
        }
    }
}

// A click selects a field's content as entering it does; a digit typed or pasted at the caret
// replaces the one there, even in a full field. The acquisition timeout is not selected.
TEST_F(SetupKeys, MasksTakeDigitsUpToTheirPositionsOvertypeAndShowTheirPrompt) {
    EXPECT_EQ(focusedName(), "edNumFlagsAuto");
    EXPECT_EQ(field("edNumFlagsAuto")->selectedText(), "200");
    QLineEdit* interval = field("edManualTime");
    QTest::mouseClick(interval, Qt::LeftButton, {}, interval->rect().center());
    EXPECT_EQ(interval->selectedText(), "0600");
    testing::typeKeys(interval, "12");
    EXPECT_EQ(interval->text(), "12");
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"edNumFlagsAuto", "", "", "___"},
        {"edBcnEvery", "12a", "12", "12_"},
        {"edManualTime", "98765", "9876", "9876"},
        {"esSpeedTable(0)", "x9", "9", "9___"},
        {"edComm", "-+x", "", "_"}};
    for (const auto& [name, keys, text, display] : rows) {
        typeInto(name, keys);
        EXPECT_EQ(textOf(name), text) << name << " " << keys;
        EXPECT_EQ(control<FieldEdit>(name)->shownText(), display) << name << " " << keys;
    }

    const testing::X11Key tab{Qt::Key_Tab, {}, QStringLiteral("\t")};
    field("edGpsCheckTime")->setFocus(Qt::TabFocusReason);
    testing::pressKeys(field("edGpsCheckTime"), {tab});
    ASSERT_EQ(focusedName(), "edGpsAcqTime");
    testing::typeKeys(field("edGpsAcqTime"), "000");
    EXPECT_EQ(textOf("edGpsAcqTime"), "000");
    QLineEdit* band = field("esSpeedTable(2)");
    band->setFocus();
    band->setCursorPosition(1);
    testing::typeKeys(band, "x");
    EXPECT_EQ(band->text(), "250");
    QGuiApplication::clipboard()->setText("7x8");
    QTest::keyClick(band, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(band->text(), "278");
    EXPECT_EQ(band->cursorPosition(), 3);
    testing::typeKeys(band, "9");
    EXPECT_EQ(band->text(), "278") << "no position left after the caret";
    // A composed character overtypes as a typed one: an input method's full-width digit, a dead
    // key's accent and a blank.
    band->setCursorPosition(0);
    testing::compose(band, QStringLiteral("\uFF11"));
    EXPECT_EQ(band->text(), "178");
    EXPECT_EQ(band->cursorPosition(), 1);
    testing::compose(band, QStringLiteral("\u00E9"));
    EXPECT_EQ(band->text(), "178");
    EXPECT_EQ(band->cursorPosition(), 1);
    field("edSymbol")->setFocus();
    field("edSymbol")->setCursorPosition(0);
    testing::typeKeys(field("edSymbol"), "_");
    EXPECT_EQ(textOf("edSymbol"), "_");
    field("edSymbol")->setCursorPosition(0);
    testing::compose(field("edSymbol"), "^");
    EXPECT_EQ(textOf("edSymbol"), "^");

    // An empty position shows its prompt where the "_" stands, but lighter: the darkest grey
    // inside the frame, where the character is drawn.
    field("edMyCall")->setFocus();
    auto darkest = [symbol = field("edSymbol")](const QString& content) {
        symbol->setText(content);
        const QImage drawn = symbol->grab().toImage();
        int found = 255;
        for (int y = 2; y < drawn.height() - 2; ++y)
            for (int x = 2; x < drawn.width() - 2; ++x)
                found = std::min(found, qGray(drawn.pixel(x, y)));
        return found;
    };
    EXPECT_LT(darkest(""), 200) << "the prompt is shown, not cut off";
    EXPECT_LT(darkest("_") + 40, darkest(""));
}

// From where the focus starts, Tab goes through the controls in the order the tracker's users
// know (the speed bands from the slowest), the window's own buttons last, as the manual's
// sentence on Tab names them; its list of Alt keys has every letter the window, the calculator
// and the symbol picker underline.
TEST_F(SetupKeys, TheManualTellsTheTabOrderAndTheAltKeysAsTheyAre) {
    QFile file(ZELVAR_SOURCE_DIR "/docs/Zelvar_Config.rtf");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString manual = QString::fromLatin1(file.readAll());
    const auto plain = [](QString text) {
        return text.remove('&').remove(QRegularExpression(":$")).replace(QChar(0x2026), "...");
    };
    const QString before = "which is not quite the reading order: ";
    const qsizetype start = manual.indexOf(before) + before.size();
    const QStringList told = manual.mid(start, manual.indexOf(". Shift+Tab", start) - start)
                                 .replace("; then ", ", ")
                                 .replace(" and ", ", ")
                                 .split(", ");
    QStringList reached, bands, slowestFirst;
    for (int band = 0; band < 7; ++band)
        slowestFirst << QStringLiteral("esSpeedTable(%1)").arg(band);
    QWidget* first = QApplication::focusWidget();
    QWidget* at = first;
    do {
        const bool own = at->window() == window.get() && (at->focusPolicy() & Qt::TabFocus) &&
                         !qobject_cast<QComboBox*>(at->parentWidget());
        if (own && at->objectName().startsWith("esSpeedTable"))
            bands << at->objectName();
        const auto* button = qobject_cast<QAbstractButton*>(at);
        const QString name = at->objectName().startsWith("esSpeedTable")
                                 ? "the seven speed bands from the slowest"
                             : at->objectName() == "cmdPortDevice" ? "the port button"
                             : button                              ? plain(button->text())
                             : own ? spokenName(at).section(", ", 0, 0)
                                   : QString();
        if (own && (reached.isEmpty() || reached.back() != name))
            reached << name;
        at = at->nextInFocusChain();
    } while (at != first);
    EXPECT_EQ(reached.join(", ").toStdString(), told.join(", ").toStdString());
    EXPECT_EQ(bands, slowestFirst);
    // The picker is made at its first opening, as the window's child.
    control<QAbstractButton>("cmdSymbols")->click();
    ASSERT_TRUE(window->findChild<QWidget*>("frmSymbols"));
    for (QWidget* shown :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->calculator())}) {
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(control);
            const auto* button = qobject_cast<QAbstractButton*>(control);
            const QString text = label ? label->text() : button ? button->text() : QString();
            const QString key = QKeySequence::mnemonic(text).toString();
            if (!key.isEmpty()) {
                EXPECT_TRUE(manual.contains(key + ' ' + plain(text))) << text.toStdString();
            }
        }
    }
}

TEST_F(SetupKeys, DisplayFollowsTheTimeout) {
    typeInto("edBcnEvery", "5");
    control<QComboBox>("cbMicEMsg")->setCurrentIndex(3);
    for (const char* timeout : {"0", "", "000", "010", "255", "0"}) {
        typeInto("edGpsAcqTime", timeout);
        const bool gpsless = QString(timeout).toInt() == 0;
        for (const char* gpsOnly : {"Label12", "cbMicEMsg", "Label30", "edBcnEvery", "Label32"})
            EXPECT_EQ(shown(gpsOnly), !gpsless) << gpsOnly << " " << timeout;
        EXPECT_EQ(shown("cmdLatLon"), gpsless);
        EXPECT_EQ(labelText("Label6"), gpsless ? "BEACON" : "COMMENT");
        EXPECT_EQ(spokenName(field("edBeacon")), labelText("Label6"));
        EXPECT_EQ(labelText("Label33"), gpsless ? "GPSless Mode" : "(0=GPSless Mode)");
        EXPECT_EQ(testing::overlappingControls(window.get()), std::vector<std::string>{})
            << timeout;
    }
    EXPECT_EQ(window->settings().commentEvery, "5");
    EXPECT_EQ(window->settings().micEMessage, 3);
}

// A screen reader hears each control by its own label; each button has a letter of its own.
TEST_F(SetupKeys, AScreenReaderHearsEachControlByItsLabelAndButtonsHaveMnemonics) {
    click("cmdPreview");
    for (QWidget* shown :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->calculator()),
          control<QWidget>("frmPreview")}) {
        EXPECT_EQ(heard(shown)->role(),
                  shown->objectName() == "frmLatLon" ? QAccessible::Dialog : QAccessible::Window);
        QSet<QString> names, letters;
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            if (control->window() != shown)
                continue;
            // The device's caption changes with the device.
            if (auto* button = qobject_cast<QPushButton*>(control);
                button && button->objectName() != "cmdPortDevice") {
                const QString letter = QKeySequence::mnemonic(button->text()).toString();
                EXPECT_FALSE(letter.isEmpty()) << button->objectName().toStdString();
                EXPECT_FALSE(letters.contains(letter)) << letter.toStdString();
                letters.insert(letter);
            }
            // A list's own edit speaks for the list.
            if ((qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                 qobject_cast<QCheckBox*>(control) || qobject_cast<QGroupBox*>(control)) &&
                !qobject_cast<QComboBox*>(control->parentWidget())) {
                const QString name = spokenName(control);
                EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
                EXPECT_FALSE(names.contains(name)) << name.toStdString();
                names.insert(name);
            }
        }
        EXPECT_GE(names.size(), shown == window.get()                ? 34
                                : shown->objectName() == "frmLatLon" ? 7
                                                                     : 0);
    }
    auto* micE = control<QComboBox>("cbMicEMsg");
    micE->setCurrentIndex(2);
    EXPECT_EQ(spokenName(micE), "Mic-E msg");
    EXPECT_EQ(heard(micE)->text(QAccessible::Value), "In Service");
    EXPECT_FALSE(heard(micE)->text(QAccessible::Description).isEmpty());
    QAccessibleInterface* baud = heard(control<QComboBox>("cboBaud"));
    EXPECT_EQ(baud->text(QAccessible::Name), "Baud");
    control<QComboBox>("cboBaud")->setCurrentIndex(1);
    EXPECT_EQ(baud->textInterface()->text(0, baud->textInterface()->characterCount()), "9600");
    const std::tuple<const char*, const char*, int> counters[] = {
        {"edBeacon", "Label34", 35},
        {"edAprsMsg", "Label13", 38},
        {"edAutoReplyMsg", "Label38", 30}};
    for (const auto& [name, counter, maximum] : counters) {
        typeInto(name, "abcde");
        EXPECT_EQ(labelText(counter), QStringLiteral("[%1]").arg(maximum - 5));
        EXPECT_EQ(heard(field(name))->text(QAccessible::Description),
                  QStringLiteral("at most %1 characters, %2 characters left")
                      .arg(maximum)
                      .arg(maximum - 5));
    }
}

TEST_F(SetupKeys, EditingKeysWorkAndRefusedKeysChangeNothing) {
    const testing::X11Key home{Qt::Key_Home, {}, {}}, end{Qt::Key_End, {}, {}};
    const testing::X11Key left{Qt::Key_Left, {}, {}};
    const testing::X11Key del{Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")};
    const testing::X11Key selectAll{Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")};
    const testing::X11Key cut{Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18")};
    const testing::X11Key paste{Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16")};
    const testing::X11Key undo{Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a")};
    for (const char* name : {"edMyCall", "edBeacon", "edSymbol", "edNumFlagsAuto"}) {
        QLineEdit* edit = field(name);
        edit->setFocus();
        const QString original = edit->text();
        testing::pressKeys(edit, {home, del});
        EXPECT_EQ(edit->text(), original.mid(1)) << name;
        testing::pressKeys(edit, {undo, selectAll, cut});
        EXPECT_EQ(QGuiApplication::clipboard()->text(), original) << name;
        testing::pressKeys(edit, {paste, end, left, del});
        EXPECT_EQ(edit->text(), original.chopped(1)) << name;
    }
    const std::pair<const char*, const char*> refusals[] = {
        {"edNumFlagsAuto", "x"}, {"edComm", "x"}, {"edSymbol", "\u20ac"}, {"edBeacon", "~"}};
    for (const auto& [name, key] : refusals) {
        QLineEdit* edit = field(name);
        const QString before = edit->text();
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        testing::typeKeys(edit, QString::fromUtf8(key));
        EXPECT_EQ(edit->text(), before) << name;
        EXPECT_EQ(edit->selectedText(), before) << name;
    }
}

// Enter presses the focused button (on SEND: SetupSend). The calculator is one window, and it
// and the viewer go with the main window.
TEST_F(SetupKeys, F1OpensTheManualAndEnterTheCalculatorWhichTakesTheWindowsKeys) {
    const testing::FreshCurrentFolder folder;
    testing::writeFile("Zelvar_Config.rtf", "{\\rtf1\\ansi Zelvar manual\\par}");
    field("edMyCall")->setFocus();
    QTest::keyClick(field("edMyCall"), Qt::Key_F1);
    InstructionsViewer* viewer = InstructionsViewer::instance();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), " Zelvar Config - Istruzioni");
    EXPECT_EQ(viewer->fileName(), "Zelvar_Config.rtf");
    window->activateWindow();
    click("cmdHelp");
    EXPECT_EQ(InstructionsViewer::instance(), viewer);
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    typeInto("edGpsAcqTime", "0");
    control<QPushButton>("cmdLatLon")->setFocus();
    testing::pressKeys(QApplication::focusWidget(), {{Qt::Key_Enter, Qt::NoModifier, "\r"}});
    auto* calculator = control<CalculatorWindow>("frmLatLon");
    ASSERT_TRUE(calculator->isVisible());
    QLineEdit* latitude = calculator->findChild<QLineEdit*>("txtLat");
    ASSERT_TRUE(testing::activate(calculator));
    latitude->setFocus();
    QTest::keyClick(latitude, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_NE(InstructionsViewer::instance(), nullptr);
    ASSERT_TRUE(testing::activate(calculator));
    QTest::keyClick(latitude, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(control<QWidget>("frmPreview")->isVisible());
    ASSERT_TRUE(testing::activate(calculator));
    QTest::keyClick(latitude, Qt::Key_Escape);
    EXPECT_FALSE(calculator->isVisible());
    click("cmdLatLon");
    QWidget* close = calculator->findChild<QWidget*>("OKButton");
    close->setFocus();
    testing::pressKeys(close, {testing::kEnter});
    EXPECT_FALSE(calculator->isVisible());
    click("cmdLatLon");
    EXPECT_EQ(window->findChildren<CalculatorWindow*>().size(), 1);
    window->close();
    EXPECT_FALSE(calculator->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(InstructionsViewer::instance(), nullptr);
}

}  // namespace
}  // namespace zelvar
