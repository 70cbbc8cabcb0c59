// The main window opening the position calculator and the manual.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "geo/position_calculation.h"
#include "ui/calculator_window.h"
#include "ui/instructions_viewer.h"
#include "ui/setup_window.h"

namespace zelvar {
namespace {

class SetupCompanions : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        window_.show();
    }
    void TearDown() override {
        window_.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previousFolder_);
    }

    template <typename T>
    T* control(const char* name) {
        T* found = window_.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
    CalculatorWindow* calculator() { return control<CalculatorWindow>("frmLatLon"); }

    void writeManual() {
        QFile manual(folder_.filePath("Zelvar_Config.rtf"));
        ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
        manual.write("{\\rtf1\\ansi Zelvar manual\\par}");
    }

    void pressF1In(const char* name) {
        QLineEdit* edit = field(name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
    }

    QTemporaryDir folder_;
    QString previousFolder_;
    SetupWindow window_;
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
    EXPECT_EQ(window_.settings().beacon, expected->text);

    open->click();
    EXPECT_EQ(calculator(), shown) << "a second press brings the same window";
    EXPECT_EQ(window_.findChildren<CalculatorWindow*>().size(), 1);
}

TEST_F(SetupCompanions, CalculatorInputsAreTheCalculatorsFields) {
    calculator()->findChild<QLineEdit*>("txtLat")->setText("12.34.56");
    calculator()->findChild<QCheckBox*>("chkAlt")->setChecked(true);
    const CalculatorInputs inputs = window_.calculatorInputs();
    EXPECT_EQ(inputs.latitude, "12.34.56");
    EXPECT_EQ(inputs.altitudeChecked, 1);
}

TEST_F(SetupCompanions, F1AndHelpOpenOneViewerOnTheManual) {
    writeManual();
    pressF1In("edMyCall");
    InstructionsViewer* viewer = InstructionsViewer::instance();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), " Zelvar Config - Istruzioni");
    EXPECT_EQ(viewer->fileName(), "Zelvar_Config.rtf");

    window_.activateWindow();
    control<QPushButton>("cmdHelp")->click();
    EXPECT_EQ(InstructionsViewer::instance(), viewer);

    window_.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(InstructionsViewer::instance(), nullptr) << "closing the main window ends the viewer";
}

TEST_F(SetupCompanions, F1WithoutAManualSaysSoAndLeavesNoViewer) {
    QString shownMessage;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownMessage = box->text();
            box->accept();
        }
    });
    // The program folder of the tests has no manual beside it, the data folder none either.
    pressF1In("edAprsPath");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shownMessage.isEmpty(); }));
    EXPECT_EQ(shownMessage, "Manca il file di help Zelvar_Config.rtf");
    EXPECT_TRUE(QTest::qWaitFor([] { return InstructionsViewer::instance() == nullptr; }));
}

}  // namespace
}  // namespace zelvar
