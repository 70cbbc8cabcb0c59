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
        // A list's name is its current entry; its label comes as a relation.
        if (part == QAccessible::Name && qobject_cast<QComboBox*>(control)) {
            const auto labels = accessible->relations(QAccessible::Label);
            return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
        }
        return accessible->text(part);
    }
};

TEST_F(SetupAccessibility, EveryFieldListAndBoxHasANameOfItsOwn) {
    for (QWidget* shown : {static_cast<QWidget*>(window.get()), control<QWidget>("frmLatLon")}) {
        QSet<QString> names;
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            // A list's own edit speaks for the list.
            if ((qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                 qobject_cast<QCheckBox*>(control)) &&
                control->window() == shown && !qobject_cast<QComboBox*>(control->parentWidget())) {
                const QString name = spoken(control, QAccessible::Name);
                EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
                EXPECT_FALSE(names.contains(name)) << name.toStdString();
                names.insert(name);
            }
        }
        EXPECT_GE(names.size(), shown == window.get() ? 27 : 5);
    }
}

// The beacon is named as its label reads at the moment.
TEST_F(SetupAccessibility, TheBeaconIsNamedAsItsLabelReads) {
    typeInto("edGpsAcqTime", "0");
    EXPECT_EQ(spoken(field("edBeacon"), QAccessible::Name), "BEACON");
    typeInto("edGpsAcqTime", "5");
    EXPECT_EQ(spoken(field("edBeacon"), QAccessible::Name), "COMMENT");
}

}  // namespace
}  // namespace zelvar
