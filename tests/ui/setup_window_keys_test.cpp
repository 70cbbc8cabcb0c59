// The main window as the user types into it: key filters, masks, counters, the GPSless display,
// the keyboard order, and the calculator and manual it opens.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "geo/position_calculation.h"
#include "setup_window_support.h"
#include "ui/calculator_window.h"
#include "ui/field_edit.h"
#include "ui/instructions_viewer.h"

namespace zelvar {
namespace {

const char* const kGpsOnly[] = {"Label12", "cbMicEMsg", "Label30", "edBcnEvery", "Label32"};

class SetupKeys : public testing::SetupWindowTest {
  protected:
    QString labelText(const char* name) { return control<QLabel>(name)->text(); }
    bool shown(const char* name) { return control<QWidget>(name)->isVisible(); }
};

TEST_F(SetupKeys, StartsOnTheDelayWithItsTextSelected) {
    EXPECT_EQ(window->windowTitle(), "Zelvar Config v4.0 by QX9ABC");
    EXPECT_EQ(focusedName(), "edNumFlagsAuto");
    EXPECT_EQ(field("edNumFlagsAuto")->selectedText(), "200");
    EXPECT_EQ(window->settings(), defaultSettings());
}

struct Typing {
    const char* field;
    QString keys;
    QString expected;
    bool gpsless = false;
};

TEST_F(SetupKeys, FiltersKeepOnlyWhatTheFieldTakes) {
    const QString allRefusedByMessages = QStringLiteral("a{b|c~d}e");
    const QString quotesAndBraces = QStringLiteral("a'b`c{d|e~f}g");
    const QString eAcute = QString::fromLatin1("\xe9");
    const Typing rows[] = {
        // Callsigns: letters raised, hyphen and digits kept, the rest dropped; the path takes
        // the comma between its two addresses.
        {"edMyCall", "ab-1/ c,q" + eAcute, "AB-1CQ"},
        {"edDestCall", "ab-1/ c,d", "AB-1CD"},
        {"edMyCall", "qx9abc-123", "QX9ABC-12"},
        {"edAprsPath", "wide1-1,wide2-2,wide3 a/b.", "WIDE1-1,WIDE2-2,WID"},
        // Messages refuse "{", "|" and everything from "~" on; the auto answer takes all.
        {"edAprsMsg", allRefusedByMessages + eAcute, "abcd}e"},
        {"edAutoReplyMsg", allRefusedByMessages + eAcute, allRefusedByMessages + eAcute},
        {"edAutoReplyMsg", QString(31, 'x'), QString(30, 'x')},
        {"edAutoReplyMsg", QStringLiteral("o\u20ack"), "ok"},
        {"edAprsMsg", QString(39, 'm'), QString(38, 'm')},
        // The beacon: quotes and "{" only in the GPSless display, "|" and above never.
        {"edBeacon", quotesAndBraces, "abcdefg"},
        {"edBeacon", "!4903.50N/07201.75W>", "!4903.50N/07201.75W>"},
        {"edBeacon", QString(36, 'b'), QString(35, 'b')},
        {"edSymbol", "_b", "_"},
        {"edSymbol", eAcute, eAcute},
        {"edBeacon", quotesAndBraces, "a'b`c{defg", true},
        {"edBeacon", "x" + eAcute, "x", true}};
    for (const Typing& row : rows) {
        if (row.gpsless)
            typeInto("edGpsAcqTime", "0");
        typeInto(row.field, row.keys);
        EXPECT_EQ(textOf(row.field), row.expected) << row.field << " " << row.keys.toStdString();
    }
    // The beacon follows the timeout as it was when each character was typed.
    typeInto("edBeacon", "{");
    typeInto("edGpsAcqTime", "5");
    appendTo("edBeacon", "{'");
    EXPECT_EQ(textOf("edBeacon"), "{");
}

// Pasted text meets the filter; text the program writes does not, nor while the user edits it.
TEST_F(SetupKeys, PastedTextIsFilteredTheProgramsIsNot) {
    QGuiApplication::clipboard()->setText("ab/c d,e");
    field("edMyCall")->setFocus();
    field("edMyCall")->clear();
    QTest::keyClick(field("edMyCall"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(textOf("edMyCall"), "ABCDE");

    DeviceSettings s = window->settings();
    s.myCall = "no/c";
    s.aprsMsg = "a{b|c~";
    s.beacon = "it's {x}";
    window->applySettings(s);
    EXPECT_EQ(textOf("edAprsMsg"), "a{b|c~");
    EXPECT_EQ(textOf("edBeacon"), "it's {x}");
    EXPECT_EQ(labelText("Label34"), "[27]");
    appendTo("edMyCall", "a/-");
    EXPECT_EQ(textOf("edMyCall"), "no/cA-");
}

TEST_F(SetupKeys, MasksTakeDigitsUpToTheirPositionsAndShowBlanks) {
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"edNumFlagsAuto", "1a2-3 4", "123", "123"}, {"edNumFlagsAuto", "7", "7", "7__"},
        {"edNumFlagsAuto", "", "", "___"},           {"edBcnEvery", "12a", "12", "12_"},
        {"edManualTime", "98765", "9876", "9876"},   {"esSpeedTable(0)", "12345", "1234", "1234"},
        {"esSpeedTable(1)", "x9", "9", "9___"},      {"esSpeedTable(2)", "1234", "123", "123"},
        {"esSpeedTable(6)", "+5", "5", "5__"},       {"edGpsAcqTime", "3", "3", "3__"},
        {"edMsgRepeat", "123", "12", "12"},          {"edComm", "-+x", "", "_"}};
    for (const auto& [name, keys, text, display] : rows) {
        typeInto(name, keys);
        EXPECT_EQ(textOf(name), text) << name << " " << keys;
        EXPECT_EQ(control<FieldEdit>(name)->shownText(), display) << name << " " << keys;
    }
}

TEST_F(SetupKeys, CountersShowTheCharactersLeft) {
    const std::tuple<const char*, const char*, int> counters[] = {
        {"edBeacon", "Label34", 35},
        {"edAprsMsg", "Label13", 38},
        {"edAutoReplyMsg", "Label38", 30}};
    for (const auto& [name, counter, maximum] : counters) {
        EXPECT_EQ(labelText(counter), "[0]");
        typeInto(name, "abcde");
        EXPECT_EQ(labelText(counter), QStringLiteral("[%1]").arg(maximum - 5));
        field(name)->setText(QString(maximum, 'x'));
        field(name)->end(false);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(field(name), Qt::Key_Backspace);
        EXPECT_EQ(labelText(counter), "[3]");
        field(name)->selectAll();
        QTest::keyClick(field(name), Qt::Key_Delete);
        EXPECT_EQ(labelText(counter), QStringLiteral("[%1]").arg(maximum));
    }
}

// The GPSless display swaps controls at the right of two rows, keeps the hidden values and
// moves nothing else.
TEST_F(SetupKeys, DisplayFollowsTheTimeout) {
    const auto positions = [&] {
        QApplication::processEvents();
        std::map<QWidget*, QPoint> found;
        for (QWidget* widget : window->findChildren<QWidget*>())
            if (widget->isVisible())
                found[widget] = widget->mapTo(window.get(), QPoint());
        return found;
    };
    const auto gpsPlaces = positions();
    typeInto("edBcnEvery", "5");
    control<QComboBox>("cbMicEMsg")->setCurrentIndex(3);
    for (const char* timeout : {"0", "", "000", "010", "255", "0"}) {
        typeInto("edGpsAcqTime", timeout);
        const bool gpsless = QString(timeout).toInt() == 0;
        for (const char* gpsOnly : kGpsOnly)
            EXPECT_EQ(shown(gpsOnly), !gpsless) << gpsOnly << " " << timeout;
        EXPECT_EQ(shown("cmdLatLon"), gpsless);
        EXPECT_EQ(labelText("Label6"), gpsless ? "BEACON" : "COMMENT");
        EXPECT_EQ(labelText("Label33"), gpsless ? "GPSless Mode" : "(0=GPSless Mode)");
    }
    EXPECT_EQ(window->settings().bcnEvery, "5");
    EXPECT_EQ(window->settings().micEMsg, 3);
    for (const auto& [widget, place] : positions())
        EXPECT_EQ(gpsPlaces.contains(widget) ? gpsPlaces.at(widget) : place, place)
            << widget->objectName().toStdString();

    DeviceSettings written = window->settings();
    written.gpsAcqTime = "012";
    window->applySettings(written);
    EXPECT_TRUE(shown("cbMicEMsg"));
    EXPECT_FALSE(shown("cmdLatLon"));
}

// Entering a listed field by the keyboard or a click selects its content; typing replaces it.
TEST_F(SetupKeys, TabWalksTheKeyboardOrderSelectingWhereListed) {
    const QStringList order = {
        "edNumFlagsAuto",  "cbMicEMsg",       "edSymbol",        "chkTable",
        "edMyCall",        "edBcnEvery",      "edAprsPath",      "edBeacon",
        "edManualTime",    "esSpeedTable(0)", "esSpeedTable(1)", "esSpeedTable(2)",
        "esSpeedTable(3)", "esSpeedTable(4)", "esSpeedTable(5)", "esSpeedTable(6)",
        "edGpsCheckTime",  "edGpsAcqTime",    "edMsgRepeat",     "edDestCall",
        "edAprsMsg",       "edComm",          "cmdSend",         "cmdLoad",
        "cmdSave",         "cmdDefault",      "cmdHelp",         "chkRxPosition",
        "chkAutoReply",    "edAutoReplyMsg",  "chk300Baud",      "cboBaud",
        "cmdPortDevice",   "cmdPreview",      "edNumFlagsAuto"};
    const QStringList notSelecting = {"edMyCall",   "edAprsPath", "edBeacon",      "edGpsAcqTime",
                                      "edDestCall", "edAprsMsg",  "edAutoReplyMsg"};
    for (qsizetype step = 1; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(focusedName(), order[step]) << "after " << order[step - 1].toStdString();
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            edit && edit->objectName() == order[step]) {
            EXPECT_NE(edit->hasSelectedText(), notSelecting.contains(order[step])) << step;
        }
    }
    QLineEdit* interval = field("edManualTime");
    QTest::mouseClick(interval, Qt::LeftButton, {}, interval->rect().center());
    EXPECT_EQ(interval->selectedText(), "0600");
    testing::typeKeys(interval, "12");
    EXPECT_EQ(interval->text(), "12");
}

// Editing keys as X11 sends them keep their effect in every field; only typed characters meet
// the field's rule, and a refused one leaves the content and its selection.
TEST_F(SetupKeys, EditingKeysWorkAndRefusedKeysChangeNothing) {
    const testing::X11Key home{Qt::Key_Home, {}, {}}, end{Qt::Key_End, {}, {}};
    const testing::X11Key left{Qt::Key_Left, {}, {}};
    const testing::X11Key del{Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")};
    const testing::X11Key selectAll{Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")};
    const testing::X11Key cut{Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18")};
    const testing::X11Key paste{Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16")};
    const testing::X11Key undo{Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a")};
    for (const char* name : {"edMyCall", "edDestCall", "edAprsPath", "edBeacon", "edAprsMsg",
                             "edSymbol", "edAutoReplyMsg", "edNumFlagsAuto", "edManualTime"}) {
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
    QPushButton* device = control<QPushButton>("cmdPortDevice");
    ASSERT_TRUE(QTest::qWaitFor([&] { return device->accessibleName().startsWith("Port 1:"); }));
    const std::pair<const char*, QString> refusals[] = {{"edNumFlagsAuto", "x"},
                                                        {"edManualTime", "x"},
                                                        {"edComm", " "},
                                                        {"edComm", "x"},
                                                        {"esSpeedTable(6)", "-"},
                                                        {"edMsgRepeat", "."},
                                                        {"edSymbol", QStringLiteral("\u20ac")},
                                                        {"edMyCall", "/"},
                                                        {"edAprsPath", " "},
                                                        {"edAprsMsg", "|"},
                                                        {"edBeacon", "~"}};
    for (const auto& [name, key] : refusals) {
        QLineEdit* edit = field(name);
        const QString before = edit->text();
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        testing::typeKeys(edit, key);
        EXPECT_EQ(edit->text(), before) << name;
        EXPECT_EQ(edit->selectedText(), before) << name;
    }
    EXPECT_TRUE(device->accessibleName().startsWith("Port 1:"));
}

TEST_F(SetupKeys, EnterPressesTheFocusedButton) {
    typeInto("edMyCall", "qx9abc");
    typeInto("edGpsAcqTime", "0");
    auto* calculator = control<CalculatorWindow>("frmLatLon");
    control<QPushButton>("cmdLatLon")->setFocus();
    testing::pressKeys(QApplication::focusWidget(), {{Qt::Key_Enter, Qt::NoModifier, "\r"}});
    EXPECT_TRUE(calculator->isVisible());
    QWidget* close = calculator->findChild<QWidget*>("OKButton");
    close->setFocus();
    testing::pressKeys(close, {{Qt::Key_Return, Qt::NoModifier, "\r"}});
    EXPECT_FALSE(calculator->isVisible());
    control<QPushButton>("cmdDefault")->setFocus();
    testing::pressKeys(QApplication::focusWidget(), {{Qt::Key_Return, Qt::NoModifier, "\r"}});
    EXPECT_EQ(window->settings(), defaultSettings());
}

TEST_F(SetupKeys, CalculatorWritesTheBeaconWithTheWindowsSymbol) {
    typeInto("edGpsAcqTime", "0");
    field("edSymbol")->setText("[");
    control<QCheckBox>("chkTable")->setChecked(true);
    click("cmdLatLon");
    CalculatorWindow* shown = control<CalculatorWindow>("frmLatLon");
    ASSERT_TRUE(shown->isVisible());
    shown->findChild<QLineEdit*>("txtLat")->setText("45.30.15");
    shown->findChild<QLineEdit*>("txtLng")->setText("-009.10.30");
    shown->findChild<QPushButton*>("cmdCalc")->click();
    const auto expected = calculatePosition(
        {.latitude = "45.30.15", .longitude = "-009.10.30", .symbol = "[", .alternateTable = true});
    ASSERT_TRUE(expected);
    EXPECT_EQ(window->settings().beacon, expected->text);
    click("cmdLatLon");
    EXPECT_EQ(window->findChildren<CalculatorWindow*>().size(), 1);
}

// With the manual in the current folder, F1 and Help open one viewer; it ends with the window.
TEST_F(SetupKeys, F1AndHelpOpenOneViewerOnTheManual) {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QFile manual("Zelvar_Config.rtf");
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.write("{\\rtf1\\ansi Zelvar manual\\par}");
    manual.close();
    field("edMyCall")->setFocus();
    QTest::keyClick(field("edMyCall"), Qt::Key_F1);
    InstructionsViewer* viewer = InstructionsViewer::instance();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), " Zelvar Config - Istruzioni");
    EXPECT_EQ(viewer->fileName(), "Zelvar_Config.rtf");
    window->activateWindow();
    click("cmdHelp");
    EXPECT_EQ(InstructionsViewer::instance(), viewer);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(InstructionsViewer::instance(), nullptr);
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace zelvar
