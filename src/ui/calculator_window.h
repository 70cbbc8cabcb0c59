#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "config/device_settings.h"
#include "config/input_rules.h"
#include "geo/position_calculation.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelvar {

class FieldEdit;
class ScreenFitArea;
class SpokenLine;

// What the calculator reads from and writes to the main window.
struct CalculatorHost {
    FieldEdit* beacon = nullptr;           // receives the position text, as the program's write
    std::function<QString()> symbol;       // the symbol field's current text
    std::function<bool()> alternateTable;  // the "Alternate Table" box
};

// The GPSless position calculator: turns a typed latitude, longitude and altitude into the
// APRS position text of the beacon field. The main window creates it hidden and owns it; it
// lives, shown or not, until the main window goes.
class CalculatorWindow : public QWidget {
    Q_OBJECT

  public:
    CalculatorWindow(QWidget* owner, CalculatorHost host);

    // Shows the window in front of its owner, or brings it forward with its contents unchanged.
    void showCalculator();

    // The six values a .cfg carries; the display follows the inputs set.
    CalculatorInputs inputs() const;
    void setInputs(const CalculatorInputs& inputs);

  protected:
    // The title bar's close only hides; the program's close is not refused.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window follows its content's size, which the notation and altitude captions change.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void arrangeControls();
    // The content's size where the screen has the room, else the screen's, the content scrolling.
    void fitToScreen();
    // The frame's caption and SEND's check follow the notation box.
    void showNotation();
    // The altitude and the normal form's caption follow the altitude box.
    void showAltitudeChoice();
    // Write is on exactly while the coordinates, or a locator, name a position; when it is off,
    // the reason shows below it, and beside it the locator of what Write would write.
    void revalidate();
    // Why the coordinates cannot be written; empty when they can.
    QString coordinatesProblem() const;
    void showReason(const QString& reason);
    void writeBeacon();
    void closeCalculator();
    PositionRequest request() const;

    CalculatorHost host_;
    QWidget* content_;
    ScreenFitArea* area_;
    QGroupBox* coordinatesFrame_;
    QLabel* latitudeLabel_;
    QLineEdit* latitude_;
    QLabel* longitudeLabel_;
    QLineEdit* longitude_;
    QCheckBox* hundredths_;
    QCheckBox* altitudeIncluded_;
    QLineEdit* altitude_;
    QLabel* altitudeUnit_;
    QGroupBox* formFrame_;
    QRadioButton* normalForm_;
    QRadioButton* compressedForm_;
    QPushButton* writeButton_;
    QLabel* reason_;
    QLabel* notations_;
    QLabel* locator_;
    QPushButton* closeButton_;
    // The reason, else the locator, for a screen reader in the fields, where the keyboard stays.
    SpokenLine* spoken_ = nullptr;
};

}  // namespace zelvar
