// The main window opening the position calculator and the manual.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "geo/position_calculation.h"
#include "setup_window_support.h"
#include "ui/calculator_window.h"
#include "ui/instructions_viewer.h"

namespace zelvar {
namespace {

class SetupCompanions : public testing::SetupWindowTest {
  protected:
    CalculatorWindow* calculator() { return control<CalculatorWindow>("frmLatLon"); }
};

TEST_F(SetupCompanions, CalculatorWritesTheBeaconWithTheWindowsSymbol) {
    typeInto("edGpsAcqTime", "0");
    field("edSymbol")->setText("[");
    control<QCheckBox>("chkTable")->setChecked(true);
    click("cmdLatLon");
    CalculatorWindow* shown = calculator();
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
TEST_F(SetupCompanions, F1AndHelpOpenOneViewerOnTheManual) {
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
