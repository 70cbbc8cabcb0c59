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

// In a current folder of its own, where the manual is looked for first.
class SetupCompanions : public testing::SetupWindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
    }
    void TearDown() override { QDir::setCurrent(previousFolder_); }

    CalculatorWindow* calculator() { return control<CalculatorWindow>("frmLatLon"); }

    void writeManual() {
        QFile manual(folder_.filePath("Zelvar_Config.rtf"));
        ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
        manual.write("{\\rtf1\\ansi Zelvar manual\\par}");
    }

    QTemporaryDir folder_;
    QString previousFolder_;
};

TEST_F(SetupCompanions, CalculatorWritesTheBeaconWithTheWindowsSymbol) {
    field("edGpsAcqTime")->setText("0");
    field("edSymbol")->setText("[");
    control<QCheckBox>("chkTable")->setChecked(true);
    QPushButton* open = control<QPushButton>("cmdLatLon");
    ASSERT_TRUE(open->isVisible());
    open->click();
    CalculatorWindow* shown = calculator();
    ASSERT_TRUE(shown->isVisible());

    shown->findChild<QLineEdit*>("txtLat")->setText("45.30.15");
    shown->findChild<QLineEdit*>("txtLng")->setText("-009.10.30");
    shown->findChild<QPushButton*>("cmdCalc")->click();

    PositionRequest request;
    request.latitude = "45.30.15";
    request.longitude = "-009.10.30";
    request.symbol = "[";
    request.alternateTable = true;
    const auto expected = calculatePosition(request);
    ASSERT_TRUE(expected);
    EXPECT_EQ(window->settings().beacon, expected->text);

    open->click();
    EXPECT_EQ(calculator(), shown) << "a second press brings the same window";
    EXPECT_EQ(window->findChildren<CalculatorWindow*>().size(), 1);
}

TEST_F(SetupCompanions, F1AndHelpOpenOneViewerOnTheManual) {
    writeManual();
    field("edMyCall")->setFocus();
    QTest::keyClick(field("edMyCall"), Qt::Key_F1);
    InstructionsViewer* viewer = InstructionsViewer::instance();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), " Zelvar Config - Istruzioni");
    EXPECT_EQ(viewer->fileName(), "Zelvar_Config.rtf");

    window->activateWindow();
    control<QPushButton>("cmdHelp")->click();
    EXPECT_EQ(InstructionsViewer::instance(), viewer);

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(InstructionsViewer::instance(), nullptr) << "closing the main window ends the viewer";
}

}  // namespace
}  // namespace zelvar
