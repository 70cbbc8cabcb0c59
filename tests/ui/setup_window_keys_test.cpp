// The main window as the user types into it: key filters, masks, counters, the GPSless display,
// select-all on entry and the keyboard order.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <map>

#include "setup_window_support.h"
#include "ui/calculator_window.h"
#include "ui/field_edit.h"
#include "ui/instructions_viewer.h"

namespace zelvar {
namespace {

const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

class SetupKeys : public testing::SetupWindowTest {
  protected:
    QLabel* label(const char* name) { return control<QLabel>(name); }
    QColor textColour(const QWidget* widget) const {
        return widget->palette().color(widget->foregroundRole());
    }
    QColor systemButtonText() const { return QApplication::palette().color(QPalette::ButtonText); }
    bool shown(const char* name) { return control<QWidget>(name)->isVisible(); }
    void pressTab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
};

TEST_F(SetupKeys, StartsOnTheDelayWithItsTextSelectedInTheGpsDisplay) {
    EXPECT_EQ(window->objectName(), "Setup");
    EXPECT_EQ(window->windowTitle(), "Zelvar Config v4.0 by QX9ABC");
    EXPECT_EQ(focusedName(), "edNumFlagsAuto");
    EXPECT_EQ(field("edNumFlagsAuto")->selectedText(), "200");
    EXPECT_EQ(field("edNumFlagsAuto")->cursorPosition(), 0);
    for (const char* counter : {"Label34", "Label13", "Label38"})
        EXPECT_EQ(label(counter)->text(), "[0]") << counter;
    for (const char* gpsOnly : {"Label12", "cbMicEMsg", "Label30", "edBcnEvery", "Label32"})
        EXPECT_TRUE(shown(gpsOnly)) << gpsOnly;
    EXPECT_FALSE(shown("cmdLatLon"));
    EXPECT_EQ(label("Label6")->text(), "COMMENT");
    EXPECT_EQ(label("Label33")->text(), "(0=GPSless Mode)");
    EXPECT_EQ(textOf("edGpsAcqTime"), "025");
    auto* baud = control<QComboBox>("cboBaud");
    ASSERT_EQ(baud->count(), 3);
    EXPECT_EQ(baud->itemText(0), "4800");
    EXPECT_EQ(baud->itemText(1), "9600");
    EXPECT_EQ(baud->itemText(2), "38400");
    EXPECT_EQ(baud->currentText(), "4800");
    EXPECT_FALSE(baud->isEditable());
    EXPECT_EQ(window->settings(), defaultSettings());
}

TEST_F(SetupKeys, IsAFixedWindowWithHintsOnTheTextFields) {
    EXPECT_EQ(window->minimumSize(), QSize(289, 504));
    EXPECT_EQ(window->maximumSize(), QSize(289, 504));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    const std::pair<const char*, const char*> hints[] = {
        {"edAprsPath", "Max 2 digipeater addresses"},
        {"edBeacon", "Max 35 chars. Enter aprs Lat/Lon in GPSless Mode."},
        {"edAprsMsg", "Max 38 chars."},
        {"edAutoReplyMsg", "Max 30 chars."}};
    for (const auto& [name, hint] : hints)
        EXPECT_EQ(field(name)->toolTip(), hint) << name;
}

struct Typing {
    const char* field;
    QString keys;
    QString expected;
    bool gpsless = false;
};

void PrintTo(const Typing& t, std::ostream* out) {
    *out << t.field << " \"" << t.keys.toStdString() << "\"" << (t.gpsless ? " GPSless" : "");
}

class SetupKeyFilters : public SetupKeys, public ::testing::WithParamInterface<Typing> {};

TEST_P(SetupKeyFilters, KeepOnlyWhatTheFieldTakes) {
    const Typing& typing = GetParam();
    if (typing.gpsless)
        typeInto("edGpsAcqTime", "0");
    typeInto(typing.field, typing.keys);
    EXPECT_EQ(textOf(typing.field), typing.expected);
}

const QString kAllRefusedByMessages = QStringLiteral("a{b|c~d}e");
const QString kQuotesAndBraces = QStringLiteral("a'b`c{d|e~f}g");

INSTANTIATE_TEST_SUITE_P(
    Fields, SetupKeyFilters,
    ::testing::Values(
        // Callsigns: letters raised, hyphen and digits kept, everything else dropped.
        Typing{"edMyCall", "ab-1/ c", "AB-1C"}, Typing{"edMyCall", "q,x", "QX"},
        Typing{"edDestCall", "ab-1/ c,d", "AB-1CD"}, Typing{"edMyCall", "qx9abc-123", "QX9ABC-12"},
        Typing{"edMyCall", QString::fromLatin1("\xe9Z\xc9"), "Z"},
        // The path takes the comma between its two addresses as well.
        Typing{"edAprsPath", "wide1-1,wide2-2", "WIDE1-1,WIDE2-2"},
        Typing{"edAprsPath", "a/b c.d", "ABCD"},
        Typing{"edAprsPath", "wide1-1,wide2-2,wide3", "WIDE1-1,WIDE2-2,WID"},
        // Messages refuse "{", "|" and everything from "~" on; the auto answer takes all.
        Typing{"edAprsMsg", kAllRefusedByMessages, "abcd}e"},
        Typing{"edAprsMsg", QString::fromLatin1("a\xe9\xff"), "a"},
        Typing{"edAutoReplyMsg", kAllRefusedByMessages + QString::fromLatin1("\xe9"),
               kAllRefusedByMessages + QString::fromLatin1("\xe9")},
        Typing{"edAutoReplyMsg", QString(31, 'x'), QString(30, 'x')},
        Typing{"edAutoReplyMsg", QStringLiteral("o\u20ack"), "ok"},  // beyond Latin-1: never
        Typing{"edAprsMsg", QString(39, 'm'), QString(38, 'm')},
        // The beacon: quotes and "{" only in the GPSless display, "|" and above never.
        Typing{"edBeacon", kQuotesAndBraces, "abcdefg"},
        Typing{"edBeacon", kQuotesAndBraces, "a'b`c{defg", true},
        Typing{"edBeacon", QString::fromLatin1("x\xe9"), "x", true},
        Typing{"edBeacon", "!4903.50N/07201.75W>", "!4903.50N/07201.75W>"},
        Typing{"edBeacon", QString(36, 'b'), QString(35, 'b')},
        // The symbol: one character, "_" and the upper half of Latin-1 included.
        Typing{"edSymbol", "_", "_"}, Typing{"edSymbol", "ab", "a"},
        Typing{"edSymbol", QString::fromLatin1("\xe9"), QString::fromLatin1("\xe9")}));

TEST_F(SetupKeys, BeaconFilterFollowsTheTimeoutAsTypedCharacterByCharacter) {
    typeInto("edBeacon", "{");
    typeInto("edGpsAcqTime", "0");
    appendTo("edBeacon", "{");
    typeInto("edGpsAcqTime", "5");
    appendTo("edBeacon", "{'");
    EXPECT_EQ(textOf("edBeacon"), "{");
}

TEST_F(SetupKeys, PastedTextPassesTheFilterToo) {
    QGuiApplication::clipboard()->setText("ab/c d,e");
    QLineEdit* call = field("edMyCall");
    call->setFocus();
    call->clear();
    QTest::keyClick(call, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(call->text(), "ABCDE");
}

TEST_F(SetupKeys, TextWrittenByTheProgramIsNotFiltered) {
    DeviceSettings s = window->settings();
    s.myCall = "nocall/x";
    s.aprsMsg = "a{b|c~";
    s.beacon = "it's {x}";
    window->applySettings(s);
    EXPECT_EQ(textOf("edMyCall"), "nocall/x");
    EXPECT_EQ(textOf("edAprsMsg"), "a{b|c~");
    EXPECT_EQ(textOf("edBeacon"), "it's {x}");
    EXPECT_EQ(label("Label34")->text(), "[27]");
}

struct MaskTyping {
    const char* field;
    const char* keys;
    const char* text;
    const char* display;
};

void PrintTo(const MaskTyping& t, std::ostream* out) {
    *out << t.field << " \"" << t.keys << "\"";
}

class SetupMasks : public SetupKeys, public ::testing::WithParamInterface<MaskTyping> {};

TEST_P(SetupMasks, TakeDigitsUpToTheirPositionsAndShowBlanks) {
    const MaskTyping& typing = GetParam();
    auto* edit = control<FieldEdit>(typing.field);
    edit->setFocus();
    edit->clear();
    testing::typeKeys(edit, typing.keys);
    EXPECT_EQ(edit->text(), typing.text);
    EXPECT_EQ(edit->shownText(), typing.display);
}

INSTANTIATE_TEST_SUITE_P(Fields, SetupMasks,
                         ::testing::Values(MaskTyping{"edNumFlagsAuto", "1a2-3 4", "123", "123"},
                                           MaskTyping{"edNumFlagsAuto", "7", "7", "7__"},
                                           MaskTyping{"edNumFlagsAuto", "", "", "___"},
                                           MaskTyping{"edBcnEvery", "12a", "12", "12_"},
                                           MaskTyping{"edManualTime", "98765", "9876", "9876"},
                                           MaskTyping{"esSpeedTable(0)", "12345", "1234", "1234"},
                                           MaskTyping{"esSpeedTable(1)", "x9", "9", "9___"},
                                           MaskTyping{"esSpeedTable(2)", "1234", "123", "123"},
                                           MaskTyping{"esSpeedTable(6)", "+5", "5", "5__"},
                                           MaskTyping{"edGpsCheckTime", "045", "045", "045"},
                                           MaskTyping{"edGpsAcqTime", "3", "3", "3__"},
                                           MaskTyping{"edMsgRepeat", "123", "12", "12"},
                                           MaskTyping{"edComm", "-+5", "5", "5"},
                                           MaskTyping{"edComm", "x", "", "_"}));

struct Counter {
    const char* field;
    const char* label;
    int maximum;
};

class SetupCounters : public SetupKeys, public ::testing::WithParamInterface<Counter> {};

TEST_P(SetupCounters, ShowTheCharactersLeft) {
    const Counter& counter = GetParam();
    QLabel* shown = label(counter.label);
    typeInto(counter.field, "abcde");
    EXPECT_EQ(shown->text(), QStringLiteral("[%1]").arg(counter.maximum - 5));

    QLineEdit* edit = field(counter.field);
    edit->setText(QString(counter.maximum, 'x'));
    EXPECT_EQ(shown->text(), "[0]");
    edit->end(false);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(shown->text(), "[3]");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(shown->text(), QStringLiteral("[%1]").arg(counter.maximum));
}

INSTANTIATE_TEST_SUITE_P(Fields, SetupCounters,
                         ::testing::Values(Counter{"edBeacon", "Label34", 35},
                                           Counter{"edAprsMsg", "Label13", 38},
                                           Counter{"edAutoReplyMsg", "Label38", 30}));

struct Timeout {
    const char* typed;
    bool gpsless;
};

class SetupDisplaySwitch : public SetupKeys, public ::testing::WithParamInterface<Timeout> {};

TEST_P(SetupDisplaySwitch, FollowsTheNumberInTheTimeout) {
    const Timeout& timeout = GetParam();
    typeInto("edGpsAcqTime", timeout.typed);
    const bool gpsless = timeout.gpsless;
    for (const char* gpsOnly : {"Label12", "cbMicEMsg", "Label30", "edBcnEvery", "Label32"})
        EXPECT_EQ(shown(gpsOnly), !gpsless) << gpsOnly;
    EXPECT_EQ(shown("cmdLatLon"), gpsless);
    for (const char* name : {"Label6", "Label33"}) {
        EXPECT_EQ(label(name)->font().bold(), gpsless) << name;
        EXPECT_EQ(textColour(label(name)), gpsless ? kGreen : systemButtonText()) << name;
    }
    EXPECT_EQ(label("Label6")->text(), gpsless ? "BEACON" : "COMMENT");
    EXPECT_EQ(label("Label33")->text(), gpsless ? "GPSless Mode" : "(0=GPSless Mode)");
}

INSTANTIATE_TEST_SUITE_P(Contents, SetupDisplaySwitch,
                         ::testing::Values(Timeout{"0", true}, Timeout{"", true},
                                           Timeout{"000", true}, Timeout{"010", false},
                                           Timeout{"255", false}));

TEST_F(SetupKeys, DisplaySwitchKeepsTheHiddenValuesAndComesBack) {
    typeInto("edBcnEvery", "5");
    control<QComboBox>("cbMicEMsg")->setCurrentIndex(3);
    typeInto("edGpsAcqTime", "0");
    ASSERT_FALSE(shown("edBcnEvery"));
    EXPECT_EQ(window->settings().bcnEvery, "5");
    EXPECT_EQ(window->settings().micEMsg, 3);

    DeviceSettings written = window->settings();
    written.gpsAcqTime = "012";
    window->applySettings(written);
    EXPECT_TRUE(shown("edBcnEvery"));
    EXPECT_TRUE(shown("cbMicEMsg"));
    EXPECT_FALSE(shown("cmdLatLon"));
    EXPECT_EQ(label("Label6")->text(), "COMMENT");
}

TEST_F(SetupKeys, ClickIntoAListedFieldSelectsItAndTypingReplaces) {
    typeInto("edMyCall", "x");
    QLineEdit* interval = field("edManualTime");
    QTest::mouseClick(interval, Qt::LeftButton, {}, interval->rect().center());
    EXPECT_EQ(interval->selectedText(), "0600");
    testing::typeKeys(interval, "12");
    EXPECT_EQ(interval->text(), "12");
}

// Entering a field by the keyboard selects its whole content only in the listed fields.
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
    const QStringList selecting = {"edNumFlagsAuto",  "edBcnEvery",      "edSymbol",
                                   "edManualTime",    "esSpeedTable(0)", "esSpeedTable(1)",
                                   "esSpeedTable(2)", "esSpeedTable(3)", "esSpeedTable(4)",
                                   "esSpeedTable(5)", "esSpeedTable(6)", "edGpsCheckTime",
                                   "edMsgRepeat",     "edComm"};
    ASSERT_EQ(focusedName(), order.front());
    for (qsizetype step = 1; step < order.size(); ++step) {
        pressTab();
        const QString name = order[step];
        ASSERT_EQ(focusedName(), name) << "after " << order[step - 1].toStdString();
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            edit && edit->objectName() == name) {
            EXPECT_EQ(edit->hasSelectedText(), selecting.contains(name)) << name.toStdString();
        }
    }
}

TEST_F(SetupKeys, ModemSpeedCaptionTurnsBlueWhenTickedAndBack) {
    auto* modem = control<QCheckBox>("chk300Baud");
    EXPECT_TRUE(modem->font().bold());
    QTest::mouseClick(modem, Qt::LeftButton, {}, QPoint(6, modem->height() / 2));
    ASSERT_TRUE(modem->isChecked());
    EXPECT_EQ(textColour(modem), kBlue);
    QTest::keyClick(modem, Qt::Key_Space);
    ASSERT_FALSE(modem->isChecked());
    EXPECT_EQ(textColour(modem), systemButtonText());
}

TEST_F(SetupKeys, AutoAnswerBoxChangesNothingElse) {
    const DeviceSettings before = window->settings();
    auto* autoReply = control<QCheckBox>("chkAutoReply");
    for (int click = 0; click < 2; ++click) {
        QTest::keyClick(autoReply, Qt::Key_Space);
        EXPECT_TRUE(field("edAutoReplyMsg")->isEnabled());
        EXPECT_FALSE(field("edAutoReplyMsg")->isReadOnly());
    }
    DeviceSettings after = window->settings();
    EXPECT_EQ(after, before);
}

struct HelpKey {
    const char* focus;
    Qt::KeyboardModifiers modifiers;
};

class SetupHelpKey : public SetupKeys, public ::testing::WithParamInterface<HelpKey> {};

TEST_P(SetupHelpKey, F1AnywhereAsksForTheManualAndLeavesTheField) {
    const HelpKey& key = GetParam();
    QWidget* focus = control<QWidget>(key.focus);
    focus->setFocus();
    const DeviceSettings before = window->settings();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, key.modifiers);
    // No manual lies beside the tests, so the request ends in the missing-file message.
    const bool asked = InstructionsViewer::instance() != nullptr ||
                       QTest::qWaitFor([this] { return !modals.boxes.empty(); }, 2000);
    EXPECT_TRUE(asked);
    if (!modals.boxes.empty()) {
        EXPECT_TRUE(modals.boxes.front().text.startsWith(kMissingManualMessage));
    }
    EXPECT_EQ(window->settings(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Places, SetupHelpKey,
    ::testing::Values(HelpKey{"edMyCall", Qt::NoModifier}, HelpKey{"edComm", Qt::ShiftModifier},
                      HelpKey{"cbMicEMsg", Qt::ControlModifier},
                      HelpKey{"chkTable", Qt::AltModifier},
                      HelpKey{"cmdSend", Qt::ControlModifier | Qt::ShiftModifier}));

// Editing keys as X11 sends them keep their usual effect in every field; only typed characters
// meet the field's rule.
class SetupEditingKeys : public SetupKeys, public ::testing::WithParamInterface<const char*> {};

TEST_P(SetupEditingKeys, KeepTheirUsualEffect) {
    const testing::X11Key home{Qt::Key_Home, Qt::NoModifier, {}};
    const testing::X11Key end{Qt::Key_End, Qt::NoModifier, {}};
    const testing::X11Key left{Qt::Key_Left, Qt::NoModifier, {}};
    const testing::X11Key del{Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")};
    const testing::X11Key selectAll{Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01")};
    const testing::X11Key cut{Qt::Key_X, Qt::ControlModifier, QStringLiteral("\x18")};
    const testing::X11Key paste{Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16")};
    const testing::X11Key undo{Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a")};
    QLineEdit* edit = field(GetParam());
    edit->setFocus();
    const QString original = edit->text();
    ASSERT_FALSE(original.isEmpty());

    testing::pressKeys(edit, {home, del});
    EXPECT_EQ(edit->text(), original.mid(1));
    testing::pressKeys(edit, {undo});
    EXPECT_EQ(edit->text(), original);
    testing::pressKeys(edit, {selectAll, cut});
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), original);
    testing::pressKeys(edit, {paste});
    EXPECT_EQ(edit->text(), original);
    testing::pressKeys(edit, {end, left, del});
    EXPECT_EQ(edit->text(), original.chopped(1));
}

INSTANTIATE_TEST_SUITE_P(Fields, SetupEditingKeys,
                         ::testing::Values("edMyCall", "edDestCall", "edAprsPath", "edBeacon",
                                           "edAprsMsg", "edSymbol", "edAutoReplyMsg",
                                           "edNumFlagsAuto", "edManualTime"));

struct Refusal {
    const char* field;
    QString key;
};

void PrintTo(const Refusal& r, std::ostream* out) {
    *out << r.field;
}

class SetupRefusedKey : public SetupKeys, public ::testing::WithParamInterface<Refusal> {};

// Entered as the keyboard enters it, with its whole content selected.
TEST_P(SetupRefusedKey, LeavesTheContentAndItsSelection) {
    const Refusal& refusal = GetParam();
    QLineEdit* edit = field(refusal.field);
    const QString before = edit->text();
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    testing::typeKeys(edit, refusal.key);
    EXPECT_EQ(edit->text(), before);
    EXPECT_EQ(edit->selectedText(), before);
}

INSTANTIATE_TEST_SUITE_P(Fields, SetupRefusedKey,
                         ::testing::Values(Refusal{"edNumFlagsAuto", "x"},
                                           Refusal{"edManualTime", "x"}, Refusal{"edComm", " "},
                                           Refusal{"esSpeedTable(6)", "-"},
                                           Refusal{"edMsgRepeat", "."},
                                           Refusal{"edSymbol", QStringLiteral("\u20ac")},
                                           Refusal{"edMyCall", "/"}, Refusal{"edAprsPath", " "},
                                           Refusal{"edAprsMsg", "|"}, Refusal{"edBeacon", "~"}));

TEST_F(SetupKeys, ARefusedKeyInThePortNumberKeepsItsDevice) {
    QPushButton* device = control<QPushButton>("cmdPortDevice");
    ASSERT_TRUE(QTest::qWaitFor([&] { return device->accessibleName().startsWith("Port 1:"); }));
    const QString shown = device->accessibleName();
    QLineEdit* port = field("edComm");
    port->setFocus(Qt::TabFocusReason);
    testing::typeKeys(port, "x");
    EXPECT_EQ(port->text(), "1");
    EXPECT_EQ(device->accessibleName(), shown);
}

TEST_F(SetupKeys, ProgramsTextStaysAsWrittenWhileTheUserEditsAroundIt) {
    DeviceSettings s = window->settings();
    s.myCall = "no/c";
    window->applySettings(s);
    appendTo("edMyCall", "a/-");
    EXPECT_EQ(textOf("edMyCall"), "no/cA-");
}

// The GPSless display swaps controls at the right of two rows; nothing else moves.
TEST_F(SetupKeys, DisplaySwitchMovesNoRow) {
    const QStringList swapped = {"Label12",    "cbMicEMsg", "Label30",
                                 "edBcnEvery", "Label32",   "cmdLatLon"};
    auto positions = [&] {
        QApplication::processEvents();
        std::map<QWidget*, QRect> found;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->isVisible() && !swapped.contains(widget->objectName()) &&
                !swapped.contains(widget->parentWidget()->objectName())) {
                found[widget] = QRect(widget->mapTo(window.get(), QPoint()), widget->size());
            }
        }
        return found;
    };
    const auto gps = positions();
    typeInto("edGpsAcqTime", "0");
    const auto gpsless = positions();
    for (const auto& [widget, place] : gps) {
        if (gpsless.contains(widget)) {
            EXPECT_EQ(gpsless.at(widget).topLeft(), place.topLeft())
                << widget->objectName().toStdString() << " " << widget->metaObject()->className();
        }
    }
}

TEST_F(SetupKeys, EnterPressesTheFocusedButton) {
    typeInto("edMyCall", "qx9abc");
    typeInto("edGpsAcqTime", "0");
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* calculator = control<CalculatorWindow>("frmLatLon");
        calculator->hide();
        control<QPushButton>("cmdLatLon")->setFocus();
        testing::pressKeys(QApplication::focusWidget(), {{enter, Qt::NoModifier, "\r"}});
        EXPECT_TRUE(calculator->isVisible());
        QWidget* close = calculator->findChild<QWidget*>("OKButton");
        close->setFocus();
        testing::pressKeys(close, {{enter, Qt::NoModifier, "\r"}});
        EXPECT_FALSE(calculator->isVisible());
    }
    control<QPushButton>("cmdDefault")->setFocus();
    testing::pressKeys(QApplication::focusWidget(), {{Qt::Key_Return, Qt::NoModifier, "\r"}});
    EXPECT_EQ(window->settings(), defaultSettings());
}

}  // namespace
}  // namespace zelvar
