#include "ui/calculator_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include "ui/field_edit.h"

namespace zelvar {
namespace {

const QColor kPaleYellow(255, 255, 128);

class Calculator : public ::testing::Test {
  protected:
    Calculator() {
        beacon = new FieldEdit(&owner);
        beacon->setText("Zelvar, version 4.0 - by QX9ABC Pim");
        beacon->setObjectName("edBeacon");
        beacon->setMaxLength(35);
        window = new CalculatorWindow(
            &owner, {beacon, [this] { return symbol; }, [this] { return alternate; }});
    }

    template <typename T>
    T* control(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
    QPushButton* writeButton() { return control<QPushButton>("cmdCalc"); }
    QCheckBox* box(const char* name) { return control<QCheckBox>(name); }
    QString frameCaption() { return control<QGroupBox>("zFrame2")->title(); }
    QString normalCaption() { return control<QRadioButton>("optLLtoNorm")->text(); }
    QColor beaconBase() const { return beacon->palette().color(QPalette::Base); }
    QColor systemBase() const { return QApplication::palette(beacon).color(QPalette::Base); }

    // Typed into a field as the user does it: focus, caret at the end, then the keys.
    void type(const char* name, const QString& keys) {
        QLineEdit* f = field(name);
        f->setFocus();
        f->end(false);
        QTest::keyClicks(f, keys);
    }

    void write() { writeButton()->click(); }

    // The window system's close request from the title bar, not the program's close().
    void closeBoxClicked() {
        ASSERT_NE(window->windowHandle(), nullptr);
        QCloseEvent event;
        QApplication::sendEvent(window->windowHandle(), &event);
        QApplication::processEvents();
    }

    QWidget owner;
    FieldEdit* beacon;
    CalculatorWindow* window;
    QString symbol = ">";
    bool alternate = false;
};

TEST_F(Calculator, StartsHiddenWithTheInitialControls) {
    EXPECT_EQ(window->objectName(), "frmLatLon");
    EXPECT_EQ(window->windowTitle(), "Calculate APRS Coordinates for GPSless Mode");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), &owner);
    EXPECT_TRUE(window->isWindow());

    EXPECT_EQ(frameCaption(), "Lat / Lon  coordinates [+/-Grad.Min.Cent]");
    EXPECT_EQ(control<QLabel>("zLabel02")->text(), "La&titude:");
    EXPECT_EQ(control<QLabel>("zLabel02")->buddy(), field("txtLat"));
    EXPECT_EQ(control<QLabel>("zLabel01")->text(), "Lo&ngitude:");
    EXPECT_EQ(control<QLabel>("zLabel01")->buddy(), field("txtLng"));
    for (const char* name : {"txtLat", "txtLng"}) {
        EXPECT_EQ(field(name)->text(), "00.00.00") << name;
        EXPECT_TRUE(field(name)->font().bold()) << name;
    }
    EXPECT_EQ(box("chkCent")->text(), "Cent.");
    EXPECT_EQ(box("chkCent")->toolTip(), "Lat/Lon in gradi.minuti.centesimi");
    EXPECT_TRUE(box("chkCent")->isChecked());
    EXPECT_LT(box("chkCent")->font().pointSizeF(), box("chkAlt")->font().pointSizeF());
    EXPECT_EQ(box("chkAlt")->text(), "Altitude:");
    EXPECT_FALSE(box("chkAlt")->isChecked());
    EXPECT_EQ(field("txtAlt")->text(), "0");
    EXPECT_EQ(field("txtAlt")->maxLength(), 5);
    EXPECT_TRUE(field("txtAlt")->font().bold());
    EXPECT_FALSE(field("txtAlt")->isEnabled());
    EXPECT_EQ(control<QLabel>("Label3")->text(), "meters");
    EXPECT_FALSE(control<QLabel>("Label3")->isEnabled());
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), " Beacon Type ");
    EXPECT_EQ(normalCaption(), "Normal     (20 chars)");
    EXPECT_FALSE(control<QRadioButton>("optLLtoNorm")->isChecked());
    EXPECT_EQ(control<QRadioButton>("optLLtoComp")->text(), "Compressed (14 chars)");
    EXPECT_TRUE(control<QRadioButton>("optLLtoComp")->isChecked());
    EXPECT_EQ(writeButton()->text(), "Write coords in GPSless Bcn");
    EXPECT_TRUE(writeButton()->isEnabled());
    EXPECT_EQ(control<QPushButton>("OKButton")->text(), "Close");
    EXPECT_EQ(window->inputs(), CalculatorInputs{});
}

TEST_F(Calculator, FocusOrder) {
    QList<QWidget*> expected = {field("txtLat"),
                                field("txtLng"),
                                writeButton(),
                                box("chkCent"),
                                control<QPushButton>("OKButton"),
                                box("chkAlt"),
                                field("txtAlt"),
                                control<QRadioButton>("optLLtoComp"),
                                control<QRadioButton>("optLLtoNorm")};
    QList<QWidget*> chain;
    QWidget* w = expected.front();
    do {
        if (expected.contains(w)) {
            chain.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != expected.front() && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
}

TEST_F(Calculator, WritingAtOnceGivesTheZeroPosition) {
    window->showCalculator();
    field("txtAlt")->setText("-10");
    write();  // compressed: negative feet become 0, and the field shows it though not included
    EXPECT_EQ(beacon->text(), "=/NN!!NN!!>  _");
    EXPECT_EQ(field("txtAlt")->text(), "0");
    EXPECT_EQ(beaconBase(), kPaleYellow);
    EXPECT_TRUE(window->isVisible()) << "stays open for the next correction";

    control<QRadioButton>("optLLtoNorm")->click();
    field("txtAlt")->setText("12abc");
    write();
    EXPECT_EQ(beacon->text(), "=0000.00N/00000.00E>");
    EXPECT_EQ(field("txtAlt")->text(), "12");
}

// Typed fields, form, altitude box and main-window symbol settings reach the calculation (whose
// texts are tabled with it) and come back as the beacon text and the altitude shown.
struct Calculation {
    const char* latitude;
    const char* longitude;
    bool cent;
    bool normal;
    bool withAltitude;
    const char* altitude;
    QString symbol;
    bool alternate;
    const char* beacon;
    const char* altitudeShown;
};

class CalculatorWrites : public Calculator, public ::testing::WithParamInterface<Calculation> {};

TEST_P(CalculatorWrites, WhatTheFieldsSay) {
    const Calculation& c = GetParam();
    window->showCalculator();
    field("txtLat")->clear();
    field("txtLng")->clear();
    field("txtAlt")->clear();
    box("chkAlt")->setChecked(c.withAltitude);
    box("chkCent")->setChecked(c.cent);
    type("txtLat", c.latitude);
    type("txtLng", c.longitude);
    if (c.withAltitude) {
        type("txtAlt", c.altitude);
    }
    control<QRadioButton>(c.normal ? "optLLtoNorm" : "optLLtoComp")->click();
    symbol = c.symbol;
    alternate = c.alternate;
    ASSERT_TRUE(writeButton()->isEnabled());
    write();
    EXPECT_EQ(beacon->text(), c.beacon);
    EXPECT_EQ(field("txtAlt")->text(), c.altitudeShown);
}

INSTANTIATE_TEST_SUITE_P(Forms, CalculatorWrites,
                         ::testing::Values(Calculation{"49.30.00", "-72.45.00", false, true, true,
                                                       "300", ">", false,
                                                       "=4930.00N/07245.00W>/A=000984", "300"},
                                           Calculation{"45.30.15", "-11.05.50", true, false, false,
                                                       "", "[", true, "=\\7MqRK_r.[  _", "0"},
                                           Calculation{"0.00.00", "0.00.00", true, false, true,
                                                       "-10", ">", false, "=/NN!!NN!!>!!Q", "0"}));

TEST_F(Calculator, KeyFiltersDropCharactersTheFieldsCannotHold) {
    window->showCalculator();
    for (const char* name : {"txtLat", "txtLng", "txtAlt"}) {
        field(name)->setEnabled(true);
        const QString before = field(name)->text();
        type(name, "aZ,%+ N");
        EXPECT_EQ(field(name)->text(), before) << name;
    }
    type("txtAlt", ".");
    EXPECT_EQ(field("txtAlt")->text(), "0");
    type("txtAlt", "-5");
    EXPECT_EQ(field("txtAlt")->text(), "0-5");
    type("txtLat", ".");
    EXPECT_EQ(field("txtLat")->text(), "00.00.00.");
    type("txtLng", "-9");
    EXPECT_EQ(field("txtLng")->text(), "00.00.00-9");
}

TEST_F(Calculator, EditingKeysKeepWorking) {
    window->showCalculator();
    QLineEdit* lat = field("txtLat");
    lat->setFocus();
    lat->home(false);
    // As X11 sends it, with its control code as the text.
    QTest::sendKeyEvent(QTest::Click, lat, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
    EXPECT_EQ(lat->text(), "0.00.00");
    QTest::keyClick(lat, Qt::Key_Right);
    QTest::keyClick(lat, Qt::Key_Backspace);
    EXPECT_EQ(lat->text(), ".00.00");
}

TEST_F(Calculator, KeyReleaseRevalidates) {
    window->showCalculator();
    field("txtLat")->setText("45.30.15");
    type("txtLat", "");
    QTest::keyClick(field("txtLat"), Qt::Key_Backspace);
    EXPECT_EQ(field("txtLat")->text(), "45.30.1");
    EXPECT_FALSE(writeButton()->isEnabled());
    type("txtLat", "5");
    EXPECT_TRUE(writeButton()->isEnabled());
    type("txtLng", "0");
    EXPECT_FALSE(writeButton()->isEnabled());
    QTest::keyClick(field("txtLng"), Qt::Key_Backspace);
    EXPECT_TRUE(writeButton()->isEnabled());
}

TEST_F(Calculator, ChangingTheNotationRevalidates) {
    window->showCalculator();
    field("txtLat")->setText("45.30.99");
    type("txtLat", "");
    EXPECT_TRUE(writeButton()->isEnabled());
    box("chkCent")->click();
    EXPECT_FALSE(writeButton()->isEnabled()) << "99 seconds";
    EXPECT_EQ(frameCaption(), "Lat / Lon coordinates [+/-Grad.Min.Sec]");
    EXPECT_EQ(field("txtLat")->text(), "45.30.99");
    box("chkCent")->click();
    EXPECT_TRUE(writeButton()->isEnabled());
    EXPECT_EQ(frameCaption(), "Lat / Lon coordinates [+/-Grad.Min.Cent]");
}

TEST_F(Calculator, AltitudeBoxChangesOnlyTheNormalCaption) {
    box("chkAlt")->click();
    EXPECT_EQ(normalCaption(), "Normal     (*29* chars)");
    EXPECT_EQ(control<QRadioButton>("optLLtoComp")->text(), "Compressed (14 chars)");
    EXPECT_TRUE(field("txtAlt")->isEnabled());
    EXPECT_TRUE(control<QLabel>("Label3")->isEnabled());
    field("txtAlt")->setText("300");
    write();
    EXPECT_EQ(beacon->text(), "=/NN!!NN!!>FsQ");
    box("chkAlt")->click();
    EXPECT_EQ(normalCaption(), "Normal     (20 chars)");
    EXPECT_FALSE(field("txtAlt")->isEnabled());
    EXPECT_FALSE(control<QLabel>("Label3")->isEnabled());
}

// Text that arrives without a key release (pasted, dropped, loaded) or a symbol that cannot be
// one: the write button writes nothing.
struct Refused {
    const char* latitude;
    const char* longitude;
    QString symbol;
};

class CalculatorRefuses : public Calculator, public ::testing::WithParamInterface<Refused> {};

TEST_P(CalculatorRefuses, WritesNothing) {
    const Refused& r = GetParam();
    window->showCalculator();
    const QString before = beacon->text();
    field("txtLat")->setText(r.latitude);
    field("txtLng")->setText(r.longitude);
    field("txtAlt")->setText("-10");
    symbol = r.symbol;
    write();
    EXPECT_EQ(beacon->text(), before);
    EXPECT_EQ(beaconBase(), systemBase());
    EXPECT_EQ(field("txtAlt")->text(), "-10") << "the altitude is not rewritten either";
}

INSTANTIATE_TEST_SUITE_P(Pasted, CalculatorRefuses,
                         ::testing::Values(Refused{"pasted", "0.00.00", ">"},
                                           Refused{"0.00.00", "181.00.00", ">"},
                                           Refused{"0.00.00", "0.00.00", ""},
                                           Refused{"0.00.00", "0.00.00", QString(QChar(0x20AC))}));

TEST_F(Calculator, RefusedWriteAlsoDisablesTheButton) {
    field("txtLat")->setText("pasted");
    write();
    EXPECT_FALSE(writeButton()->isEnabled());
}

// Close, or the title bar's close box: hidden, the beacon's colour back, the contents kept.
TEST_F(Calculator, ClosingHidesAndRestoresTheBeacon) {
    for (bool titleBar : {false, true}) {
        window->showCalculator();
        field("txtLat")->setText(titleBar ? "12.34.56" : "0.00.00");
        write();
        ASSERT_EQ(beaconBase(), kPaleYellow);
        const QString written = beacon->text();
        if (titleBar)
            closeBoxClicked();
        else
            control<QPushButton>("OKButton")->click();
        EXPECT_FALSE(window->isVisible()) << titleBar;
        EXPECT_EQ(beaconBase(), systemBase()) << titleBar;
        EXPECT_EQ(beacon->text(), written) << titleBar;
        window->showCalculator();
        EXPECT_EQ(field("txtLat")->text(), titleBar ? "12.34.56" : "0.00.00");
    }
}

TEST_F(Calculator, ProgramsCloseIsNotRefused) {
    window->showCalculator();
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Calculator, SecondOpeningBringsTheSameWindowForward) {
    owner.show();
    window->showCalculator();
    field("txtLng")->setText("1.00.00");
    window->showCalculator();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(owner.findChildren<CalculatorWindow*>().size(), 1);
    EXPECT_EQ(field("txtLng")->text(), "1.00.00");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window stays usable";
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(Calculator, LoadedValuesWhileHidden) {
    window->setInputs({"45.30.15", "-11.05.50", 0, "300", 1, true});
    window->chkCentClick();
    window->chkAltClick();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(frameCaption(), "Lat / Lon coordinates [+/-Grad.Min.Sec]");
    EXPECT_TRUE(writeButton()->isEnabled());
    EXPECT_TRUE(field("txtAlt")->isEnabled());
    EXPECT_EQ(normalCaption(), "Normal     (*29* chars)");
    EXPECT_TRUE(control<QRadioButton>("optLLtoNorm")->isChecked());
    EXPECT_EQ(window->inputs(), (CalculatorInputs{"45.30.15", "-11.05.50", 0, "300", 1, true}));

    window->setInputs({"45.30.99", "0.00.00", 0, "0", 0, false});
    for (int twice = 0; twice < 2; ++twice) {
        window->chkCentClick();
        window->chkAltClick();
        EXPECT_EQ(frameCaption(), "Lat / Lon coordinates [+/-Grad.Min.Sec]");
        EXPECT_FALSE(writeButton()->isEnabled());
        EXPECT_FALSE(field("txtAlt")->isEnabled());
        EXPECT_EQ(normalCaption(), "Normal     (20 chars)");
        EXPECT_TRUE(control<QRadioButton>("optLLtoComp")->isChecked());
    }
}

TEST_F(Calculator, GreyedCheckStatesFromAFileSurviveASave) {
    const CalculatorInputs greyed{"1.00.00", "2.00.00", 2, "5", 2, false};
    window->setInputs(greyed);
    window->chkCentClick();
    window->chkAltClick();
    EXPECT_EQ(window->inputs(), greyed);
    EXPECT_EQ(frameCaption(), "Lat / Lon coordinates [+/-Grad.Min.Sec]");
    EXPECT_FALSE(field("txtAlt")->isEnabled());
    box("chkCent")->click();  // the user's click leaves the greyed state for good
    EXPECT_EQ(window->inputs().centChecked, 1);
    box("chkCent")->click();
    box("chkCent")->click();
    EXPECT_NE(window->inputs().centChecked, 2);
}

TEST_F(Calculator, LatinOneTextsTravelUnchanged) {
    const CalculatorInputs odd{"\xe9\xb0", "x", 1, "\xff", 0, false};
    window->setInputs(odd);
    EXPECT_EQ(window->inputs(), odd);
}

}  // namespace
}  // namespace zelvar
