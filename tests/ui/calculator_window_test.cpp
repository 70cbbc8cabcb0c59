// The position calculator as the main window opens it, writing into the window's beacon with the
// window's symbol and table.
#include "ui/calculator_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QRadioButton>
#include <QWindow>
#include <algorithm>
#include <map>

#include "geo/position_calculation.h"
#include "setup_window_support.h"

namespace zelvar {
namespace {

class Calculator : public testing::SetupWindowTest {
  protected:
    Calculator() { calculator->showCalculator(); }

    QPushButton* writeButton() { return control<QPushButton>("cmdCalc"); }
    QString frameCaption() { return control<QGroupBox>("zFrame2")->title(); }
    bool beaconMarked() {
        return beacon->palette().color(QPalette::Base) !=
               QApplication::palette(beacon).color(QPalette::Base);
    }
    void useSymbol(const QString& symbol, bool alternate = false) {
        field("edSymbol")->setText(symbol);
        control<QCheckBox>("chkTable")->setChecked(alternate);
    }

    CalculatorWindow* calculator = window->calculator();
    QLineEdit* beacon = field("edBeacon");
};

// The calculator's fields and the main window's symbol and table make the core's request: the
// beacon and the altitude shown back are what the core calculates (its tests pin the texts).
TEST_F(Calculator, WritesWhatTheCoreCalculatesAndClosingUnmarksTheBeacon) {
    using enum PositionForm;
    const PositionRequest requests[] = {
        {"45.30.15", "-11.05.50", Notation::GradMinCent, "", false, Compressed, "[", true, {}},
        {"0.00.00", "0.00.00", Notation::GradMinCent, "-10", true, Compressed, ">", false, {}},
        {"49.30.00", "-72.45.00", Notation::GradMinSec, "300", true, Normal, ">", false, {}},
        // A typed altitude keeps its decimals, as a loaded one does: 300.4 m, not 3004 m.
        {"49.30.00", "-72.45.00", Notation::GradMinSec, "300.4", true, Normal, ">", false, {}}};
    for (const PositionRequest& request : requests) {
        SCOPED_TRACE(request.latitude + " " + request.altitude);
        control<QCheckBox>("chkAlt")->setChecked(request.includeAltitude);
        control<QCheckBox>("chkCent")->setChecked(request.notation == Notation::GradMinCent);
        typeInto("txtLat", QString::fromStdString(request.latitude));
        typeInto("txtLng", QString::fromStdString(request.longitude));
        typeInto("txtAlt", QString::fromStdString(request.altitude));
        control<QRadioButton>(request.form == Normal ? "optLLtoNorm" : "optLLtoComp")->click();
        useSymbol(QString::fromStdString(request.symbol), request.alternateTable);
        writeButton()->click();
        const Result<CalculatedPosition> expected = calculatePosition(request);
        ASSERT_TRUE(expected);
        EXPECT_EQ(beacon->text().toStdString(), expected->text);
        EXPECT_EQ(textOf("txtAlt").toStdString(), expected->altitude);
        EXPECT_TRUE(beaconMarked());
        EXPECT_TRUE(calculator->isVisible()) << "stays open for the next correction";
    }
    // Closed by its button or the title bar, it hides, the beacon unmarked and its fields kept.
    for (bool titleBar : {false, true}) {
        field("txtLat")->setText(titleBar ? "12.34.56" : "0.00.00");
        writeButton()->click();
        ASSERT_TRUE(beaconMarked());
        QCloseEvent event;
        if (titleBar)
            QApplication::sendEvent(calculator->windowHandle(), &event);
        else
            calculator->findChild<QPushButton*>("OKButton")->click();
        EXPECT_FALSE(calculator->isVisible());
        EXPECT_FALSE(beaconMarked());
        calculator->showCalculator();
        EXPECT_EQ(field("txtLat")->text(), titleBar ? "12.34.56" : "0.00.00");
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window stays usable";
    EXPECT_TRUE(calculator->close());
}

// Degrees and minutes with marks write what the dotted notation does (every notation:
// ReadCoordinate.EveryNotationReachesTheSameBeacon); a locator in Latitude stands for both
// coordinates, and the locator of what Write writes shows beside it.
TEST_F(Calculator, TakesEveryNotationAndShowsTheLocator) {
    const auto written = [this](const QString& latitude, const QString& longitude) {
        typeInto("txtLat", latitude);
        typeInto("txtLng", longitude);
        EXPECT_TRUE(writeButton()->isEnabled()) << latitude.toStdString();
        writeButton()->click();
        return beacon->text();
    };
    EXPECT_EQ(control<QLabel>("lblLocator")->text(), "Locator: JJ00aa") << "before any typing";
    control<QRadioButton>("optLLtoNorm")->click();
    const QString dotted = written("45.30.15", "-9.10.50");
    EXPECT_EQ(dotted, "=4530.15N/00910.50W>");
    EXPECT_EQ(control<QLabel>("lblLocator")->text(), "Locator: IN55jm");
    EXPECT_EQ(written(QString::fromUtf8("45°30.15'N"), QString::fromUtf8("W009°10.50'")), dotted);
    typeInto("txtLat", "jn45ll");
    EXPECT_EQ(textOf("txtLat"), "JN45LL");
    EXPECT_FALSE(field("txtLng")->isEnabled());
    writeButton()->click();
    EXPECT_EQ(beacon->text(), "=4528.75N/00857.50E>");
    EXPECT_EQ(control<QLabel>("lblLocator")->text(), "Locator: JN45ll");
    // What the .cfg keeps is the text as typed.
    EXPECT_EQ(calculator->inputs().latitude, "JN45LL");
}

TEST_F(Calculator, KeysAreFilteredAndEveryChangeRevalidates) {
    // A sign, blanks, the axis' hemisphere letters and, in Latitude, a locator's letters A-X,
    // raised.
    for (const auto& [name, kept] :
         {std::pair{"txtLat", "A+ NSEW."}, std::pair{"txtLng", "+ EW."}}) {
        appendTo(name, "aZ;%+ nSeW.");
        EXPECT_EQ(textOf(name), QStringLiteral("00.00.00") + kept) << name;
    }
    field("txtAlt")->setEnabled(true);
    appendTo("txtAlt", "a%.-5");
    EXPECT_EQ(field("txtAlt")->text(), "0.-5");
    // A decimal comma, as a German keypad types it, is the point: not 3004 m, not 45 degrees.
    typeInto("txtAlt", "300,4");
    EXPECT_EQ(field("txtAlt")->text(), "300.4");
    typeInto("txtLat", "4,5");
    EXPECT_EQ(textOf("txtLat"), "4.5");
    // The O of ovest, ouest and oeste (west) or of Ost (east) goes in and is refused by name:
    // dropped, it left a western longitude east without a word.
    typeInto("txtLng", "1 33,2 o");
    EXPECT_EQ(textOf("txtLng"), "1 33.2 O");
    EXPECT_FALSE(writeButton()->isEnabled());
    EXPECT_TRUE(control<QLabel>("lblWriteReason")->text().contains("\"O\" is not a hemisphere"));
    field("txtLng")->setText("0.00.00");
    QLineEdit* lat = field("txtLat");
    lat->setText("45.30.159");
    lat->home(false);
    // As X11 sends it, with its control code as the text.
    QTest::sendKeyEvent(QTest::Click, lat, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
    EXPECT_FALSE(writeButton()->isEnabled());
    lat->end(false);
    QTest::keyClick(lat, Qt::Key_Backspace);
    EXPECT_EQ(lat->text(), "5.30.15");
    EXPECT_TRUE(writeButton()->isEnabled());
    appendTo("txtLng", "-9");
    EXPECT_FALSE(writeButton()->isEnabled());
    lat->setText("45.30.99");
    for (int key = 0; key < 2; ++key)
        QTest::keyClick(field("txtLng"), Qt::Key_Backspace);
    EXPECT_TRUE(writeButton()->isEnabled());
    control<QCheckBox>("chkCent")->click();
    EXPECT_FALSE(writeButton()->isEnabled()) << "99 seconds";
    EXPECT_EQ(frameCaption(), "Lat / Lon coordinates [+/-Grad.Min.Sec]");
}

// Whichever way text reaches a coordinate, typed, pasted with the mouse, dropped or composed by
// an input method, it passes the field's rule and Write follows it, saying why when it is off.
TEST_F(Calculator, WriteFollowsEveryWayTextArrivesAndEveryRefusalSaysWhy) {
    QLineEdit* latitude = field("txtLat");
    const QLabel* reason = control<QLabel>("lblWriteReason");
    const std::pair<const char*, std::function<void(const QString&)>> ways[] = {
        {"typed", [&](const QString& text) { typeInto("txtLat", text); }},
        {"pasted",
         [&](const QString& text) {
             QGuiApplication::clipboard()->setText(text);
             latitude->selectAll();
             latitude->paste();
         }},
        {"dropped",
         [&](const QString& text) {
             latitude->clear();
             testing::dropText(latitude, text);
         }},
        {"composed", [&](const QString& text) {
             latitude->selectAll();
             testing::compose(latitude, text);
         }}};
    for (const auto& [way, enter] : ways) {
        enter("4;5.30.15n");
        EXPECT_EQ(latitude->text(), "45.30.15N") << way;
        EXPECT_FALSE(writeButton()->isEnabled()) << way;
        EXPECT_TRUE(reason->text().contains("goes in front: N45.30.15"))
            << reason->text().toStdString();
        EXPECT_EQ(writeButton()->toolTip(), reason->text()) << way;
        enter("n45.30.15");
        EXPECT_TRUE(writeButton()->isEnabled()) << way;
        EXPECT_EQ(reason->text(), "") << way;
    }
    // A long text is cut in the middle; the reason keeps to the room below the buttons, and the
    // window keeps its size.
    const QSize size = calculator->size();
    typeInto("txtLat", QString(300, '4'));
    QCoreApplication::processEvents();
    EXPECT_LE(reason->text().size(), 110);
    EXPECT_GE(reason->height(), reason->heightForWidth(reason->width()));
    EXPECT_TRUE(calculator->rect().contains(reason->geometry()));
    EXPECT_EQ(calculator->size(), size);
    // Text the program writes (a load) turns Write off too when it is no coordinate; an impossible
    // symbol writes nothing and says why.
    const std::tuple<const char*, QString, bool, const char*> refused[] = {
        {"loaded text", ">", false, "Invalid locator \"LOADED TEXT\""},
        {"0.00.00", "", true, "Nothing written: the symbol must be one character"},
        {"0.00.00", QString(QChar(0x20AC)), true, "Nothing written: the symbol"}};
    const QString before = beacon->text();
    for (const auto& [loaded, badSymbol, writable, why] : refused) {
        field("txtLat")->setText(loaded);
        field("txtAlt")->setText("-10");
        useSymbol(badSymbol);
        EXPECT_EQ(writeButton()->isEnabled(), writable) << loaded;
        writeButton()->click();
        EXPECT_EQ(beacon->text(), before) << loaded;
        EXPECT_FALSE(beaconMarked());
        EXPECT_EQ(field("txtAlt")->text(), "-10");
        EXPECT_TRUE(reason->text().startsWith(why)) << reason->text().toStdString();
    }
}

// Values from a file, hidden; greyed boxes and Latin-1 texts come back out unchanged until the
// user clicks a box. The display follows, also when the boxes keep their state (the last).
TEST_F(Calculator, LoadedValuesTravelUnchangedAndSetTheDisplay) {
    calculator->hide();
    const CalculatorInputs loaded[] = {{"45.30.15", "-11.05.50", 0, "300", 1, true},
                                       {"1.00.00", "2.00.00", 2, "5", 2, false},
                                       {"\xe9\xb0", "x", 1, "\xff", 0, false},
                                       {"45.30.15", "11.05.50", 1, "0", 0, false}};
    for (const CalculatorInputs& inputs : loaded) {
        calculator->setInputs(inputs);
        EXPECT_EQ(calculator->inputs(), inputs);
        EXPECT_FALSE(calculator->isVisible());
        EXPECT_EQ(writeButton()->isEnabled(), inputs.longitude != "x") << inputs.longitude;
        EXPECT_EQ(field("txtAlt")->isEnabled(), inputs.altitudeChecked == 1);
        EXPECT_EQ(frameCaption().endsWith("Sec]"), inputs.centChecked != 1);
    }
    // Why Write is off quotes a file's soft hyphen, which shows nothing, by its code.
    calculator->setInputs({"N45.30.15\xAD", "E9.10.30", 1, "0", 0, false});
    EXPECT_TRUE(control<QLabel>("lblWriteReason")
                    ->text()
                    .startsWith("Invalid latitude \"N45.30.15\\u00AD\""))
        << control<QLabel>("lblWriteReason")->text().toStdString();
    // A click leaves the greyed state for good: the third is not back to it.
    calculator->setInputs(loaded[1]);
    for (int click = 0; click < 3; ++click)
        control<QCheckBox>("chkCent")->click();
    EXPECT_EQ(calculator->inputs().centChecked, 1);
}

// Write greys while the coordinates make no position, and the keyboard stays in the field typed
// into: a screen reader there hears why (and once there is a position, its locator) with the
// field, once the typing pauses, as the page says it.
TEST_F(Calculator, AScreenReaderInAFieldHearsWhyWriteIsGreyOrTheLocator) {
    const char* const fields[] = {"txtLat", "txtLng", "txtAlt"};
    std::map<std::string, std::string> own;
    for (const char* name : fields)
        own[name] = field(name)->accessibleDescription().toStdString();
    const auto heardEverywhere = [&](const QString& line) {
        return QTest::qWaitFor([&] {
            return std::ranges::all_of(fields, [&](const char* name) {
                return field(name)->accessibleDescription().toStdString() ==
                       line.toStdString() + "\n\n" + own[name];
            });
        });
    };
    typeInto("txtLat", "45.30.15N");
    const QString reason = control<QLabel>("lblWriteReason")->text();
    ASSERT_FALSE(reason.isEmpty());
    EXPECT_EQ(field("txtLat")->accessibleDescription().toStdString(), own["txtLat"])
        << "heard at every key";
    EXPECT_TRUE(heardEverywhere(reason));
    typeInto("txtLat", "45.30.15");
    const QString locator = control<QLabel>("lblLocator")->text();
    ASSERT_TRUE(locator.startsWith("Locator: "));
    EXPECT_TRUE(heardEverywhere(locator));
}

}  // namespace
}  // namespace zelvar
