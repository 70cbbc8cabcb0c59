// The windows the main window opens: the position calculator and the instructions viewer.
#include <QCheckBox>
#include <QPushButton>

#include "ui/calculator_window.h"
#include "ui/field_edit.h"
#include "ui/instructions_viewer.h"
#include "ui/setup_window.h"

namespace zelvar {

void SetupWindow::createCalculator() {
    calculator_ = new CalculatorWindow(this, CalculatorHost{
                                                 edBeacon_,
                                                 [this] { return edSymbol_->text(); },
                                                 [this] { return chkTable_->isChecked(); },
                                             });
    connect(cmdLatLon_, &QPushButton::clicked, calculator_, &CalculatorWindow::showCalculator);
}

CalculatorInputs SetupWindow::calculatorInputs() const {
    return calculator_->inputs();
}

void SetupWindow::applyCalculatorInputs(const CalculatorInputs& inputs) {
    calculator_->setInputs(inputs);
    calculator_->chkCentClick();
    calculator_->chkAltClick();
}

void SetupWindow::showInstructions() {
    InstructionsViewer::apri(QStringLiteral("Zelvar_Config.rtf"),
                             QStringLiteral("Zelvar Config - Istruzioni"));
}

void SetupWindow::closeInstructions() {
    if (InstructionsViewer* viewer = InstructionsViewer::instance())
        viewer->close();
}

}  // namespace zelvar
