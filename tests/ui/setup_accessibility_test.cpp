// What a screen reader hears of the main window's and the calculator's fields, lists and boxes.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QSet>

#include "setup_window_support.h"
#include "ui/calculator_window.h"

namespace zelvar {
namespace {

class SetupAccessibility : public testing::SetupWindowTest {
  protected:
    static QString spoken(QWidget* control, QAccessible::Text part) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        if (!accessible)
            return {};
        // A list's name is its current entry; its label comes as a relation.
        if (part == QAccessible::Name && qobject_cast<QComboBox*>(control)) {
            const auto labels = accessible->relations(QAccessible::Label);
            return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
        }
        return accessible->text(part);
    }

    QWidget* calculator() { return control<CalculatorWindow>("frmLatLon"); }
};

TEST_F(SetupAccessibility, EveryFieldListAndBoxHasANameOfItsOwn) {
    for (QWidget* shown : {static_cast<QWidget*>(window.get()), calculator()}) {
        QSet<QString> names;
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            const bool named = qobject_cast<QLineEdit*>(control) ||
                               qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QCheckBox*>(control);
            // A list's own edit speaks for the list.
            if (!named || control->window() != shown ||
                qobject_cast<QComboBox*>(control->parentWidget())) {
                continue;
            }
            const QString name = spoken(control, QAccessible::Name);
            EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
            EXPECT_FALSE(names.contains(name)) << name.toStdString();
            names.insert(name);
        }
        EXPECT_GE(names.size(), shown == window.get() ? 27 : 5);
    }
}

struct Spoken {
    const char* control;
    const char* name;
    const char* description;
};

void PrintTo(const Spoken& s, std::ostream* out) {
    *out << s.control;
}

class SetupSpokenControls : public SetupAccessibility,
                            public ::testing::WithParamInterface<Spoken> {};

TEST_P(SetupSpokenControls, CarryTheirLabelAndUnit) {
    const Spoken& expected = GetParam();
    QWidget* found = window->findChild<QWidget*>(expected.control);
    ASSERT_NE(found, nullptr) << expected.control;
    EXPECT_EQ(spoken(found, QAccessible::Name), expected.name);
    EXPECT_EQ(spoken(found, QAccessible::Description), expected.description);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, SetupSpokenControls,
    ::testing::Values(Spoken{"edNumFlagsAuto", "TX DELAY", "milliseconds"},
                      Spoken{"edMyCall", "MY CALLSIGN", "at most 9 characters"},
                      Spoken{"edBcnEvery", "Comment every", "transmissions"},
                      Spoken{"edBeacon", "COMMENT", "at most 35 characters"},
                      Spoken{"edManualTime", "Manual Timing, every", "seconds"},
                      Spoken{"edGpsCheckTime", "Acquisition interval, every", "seconds"},
                      Spoken{"esSpeedTable(6)", "Speed > 125 Km/h", "seconds"},
                      Spoken{"cbMicEMsg", "Mic-E msg", ""},
                      Spoken{"cboBaud", "Baud:", "serial line speed"},
                      Spoken{"chk300Baud", "300 Baud Modem Speed", ""},
                      Spoken{"txtAlt", "Altitude", "meters"},
                      Spoken{"chkAlt", "Altitude in the beacon", ""}));

TEST_F(SetupAccessibility, TheBeaconIsNamedAsItsLabelReads) {
    typeInto("edGpsAcqTime", "0");
    EXPECT_EQ(spoken(field("edBeacon"), QAccessible::Name), "BEACON");
    typeInto("edGpsAcqTime", "5");
    EXPECT_EQ(spoken(field("edBeacon"), QAccessible::Name), "COMMENT");
}

}  // namespace
}  // namespace zelvar
