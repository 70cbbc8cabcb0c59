// Writes the pictures of the README and the manual: the main window as it starts, with a USB
// adapter plugged in, its list of serial devices opened, the position calculator with a typed
// example, the main window in GPSless display once the calculator has written that position
// into the comment, and the preview of SEND for that window with a TX delay the build raises
// and the beacon's bytes marked. Each once in the style's own light palette and once, named
// "-dark", in a dark one, as a desktop with a dark theme gives it.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include "config/fields.h"
#include "l10n/user_language.h"
#include "text/translation.h"
#include "ui/calculator_window.h"
#include "ui/preview_window.h"
#include "ui/setup_window.h"

namespace {

template <typename T>
T* control(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        QTextStream(stderr) << "no control " << name << " in " << window.objectName() << "\n";
    return found;
}

void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// The pictures' names end in this ("-dark"), before ".png".
QString gSuffix;

QString pictureName(const char* name) {
    QString picture = QString::fromLatin1(name);
    return picture.insert(picture.lastIndexOf(QLatin1Char('.')), gSuffix);
}

// Lays out and paints the window before taking its picture.
bool save(QWidget& window, const QDir& folder, const char* name) {
    QTest::qWait(100);
    const QString path = folder.filePath(pictureName(name));
    if (!window.grab().save(path)) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

// A dark palette of the kind dark desktop themes give Qt programs.
QPalette darkPalette() {
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    QPalette dark(text, window, window.lighter(150), window.darker(200), window.darker(150), text,
                  Qt::white, base, window);
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Link, QColor(90, 160, 240));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    }
    return dark;
}

// The ports of a machine with a CH340 adapter plugged in, whatever this one has.
std::vector<zelvar::NumberedPort> examplePorts() {
    return {{1,
             {"ttyUSB0", "/dev/ttyUSB0", "USB2.0-Serial", "QinHeng Electronics", "1a86:7523", "",
              "/dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0"}},
            {2, {"ttyS0", "/dev/ttyS0", {}}}};
}

// The port rows of the window with the device list opened below them, from the screen.
bool savePortList(QWidget& window, const QDir& folder) {
    auto* chooser = control<QPushButton>(window, "cmdPortDevice");
    auto* send = control<QPushButton>(window, "cmdSend");
    if (!chooser || !chooser->menu() || !send)
        return false;
    QMenu* menu = chooser->menu();
    bool saved = false;
    QTimer::singleShot(300, menu, [&] {
        const QRect shown =
            QRect(window.mapToGlobal(QPoint(0, send->mapTo(&window, QPoint()).y() - 3)),
                  window.geometry().bottomRight())
                .united(menu->geometry())
                .adjusted(0, 0, 4, 4);
        const QString path = folder.filePath(pictureName("port-list.png"));
        saved = window.screen()
                    ->grabWindow(0, shown.x(), shown.y(), shown.width(), shown.height())
                    .save(path);
        menu->close();
    });
    chooser->showMenu();
    if (!saved)
        QTextStream(stderr) << "cannot take the picture of the device list\n";
    return saved;
}

int takePreview(zelvar::SetupWindow& setup, const QDir& folder) {
    auto* txDelay = control<QLineEdit>(setup, "edNumFlagsAuto");
    auto* openPreview = control<QAbstractButton>(setup, "cmdPreview");
    if (!txDelay || !openPreview)
        return 1;
    type(txDelay, QStringLiteral("10"));
    QTest::mouseClick(openPreview, Qt::LeftButton);
    auto* preview = control<zelvar::PreviewWindow>(setup, "frmPreview");
    if (!preview)
        return 1;
    auto* ranges = control<QTableView>(*preview, "tblWireRanges");
    if (!ranges || !QTest::qWaitForWindowExposed(preview))
        return 1;
    // The beacon's row, so that its bytes show marked; its name in the pictures' language.
    const QString beaconName = QString::fromUtf8(
        zelvar::translated("field label", zelvar::fieldRow(zelvar::Field::Beacon).described));
    const QModelIndexList beacon = ranges->model()->match(
        ranges->model()->index(0, 1), Qt::DisplayRole, beaconName, 1, Qt::MatchExactly);
    if (beacon.isEmpty()) {
        QTextStream(stderr) << "the preview shows no beacon\n";
        return 1;
    }
    ranges->selectRow(beacon.front().row());
    return save(*preview, folder, "preview.png") ? 0 : 1;
}

int takeSymbolPicker(zelvar::SetupWindow& setup, const QDir& folder) {
    auto* open = control<QAbstractButton>(setup, "cmdSymbols");
    if (!open)
        return 1;
    QTest::mouseClick(open, Qt::LeftButton);
    auto* picker = control<QWidget>(setup, "frmSymbols");
    auto* search = picker ? control<QLineEdit>(*picker, "edSymbolSearch") : nullptr;
    if (!search || !QTest::qWaitForWindowExposed(picker))
        return 1;
    type(search, QStringLiteral("car"));
    const bool saved = save(*picker, folder, "symbol-picker.png");
    picker->close();
    return saved ? 0 : 1;
}

int takePictures(const QDir& folder) {
    zelvar::SetupWindow setup(nullptr, examplePorts);
    setup.show();
    if (!QTest::qWaitForWindowExposed(&setup) || !save(setup, folder, "main-window.png") ||
        !savePortList(setup, folder) || takeSymbolPicker(setup, folder) != 0)
        return 1;

    auto* acquisitionTime = control<QLineEdit>(setup, "edGpsAcqTime");
    auto* openCalculator = control<QAbstractButton>(setup, "cmdLatLon");
    zelvar::CalculatorWindow* calculator = setup.calculator();
    if (!acquisitionTime || !openCalculator)
        return 1;
    type(acquisitionTime, QStringLiteral("0"));
    QTest::mouseClick(openCalculator, Qt::LeftButton);

    auto* latitude = control<QLineEdit>(*calculator, "txtLat");
    auto* longitude = control<QLineEdit>(*calculator, "txtLng");
    auto* altitudeIncluded = control<QAbstractButton>(*calculator, "chkAlt");
    auto* altitude = control<QLineEdit>(*calculator, "txtAlt");
    auto* normalForm = control<QAbstractButton>(*calculator, "optLLtoNorm");
    auto* write = control<QAbstractButton>(*calculator, "cmdCalc");
    if (!latitude || !longitude || !altitudeIncluded || !altitude || !normalForm || !write)
        return 1;
    if (!QTest::qWaitForWindowExposed(calculator))
        return 1;
    // Two of the notations: degrees and minutes with their marks, and with blanks.
    type(latitude, QStringLiteral("45\u00b030.15'N"));
    type(longitude, QStringLiteral("9 10.30 E"));
    QTest::mouseClick(altitudeIncluded, Qt::LeftButton);
    type(altitude, QStringLiteral("120"));
    QTest::mouseClick(normalForm, Qt::LeftButton);
    if (!write->isEnabled()) {
        QTextStream(stderr) << "the calculator does not take the example position\n";
        return 1;
    }
    if (!save(*calculator, folder, "calculator.png"))
        return 1;

    QTest::mouseClick(write, Qt::LeftButton);
    if (!save(setup, folder, "main-window-gpsless.png"))
        return 1;
    return takePreview(setup, folder);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2 && arguments.size() != 3) {
        QTextStream(stderr) << "usage: zelvar-screenshots OUTPUT-FOLDER [LANGUAGE]\n";
        return 2;
    }
    // In another language the pictures are named after it: main-window-de.png.
    if (arguments.size() == 3) {
        if (!zelvar::installUserLanguage(arguments.at(2).toStdString())) {
            QTextStream(stderr) << "no catalogue for " << arguments.at(2) << "\n";
            return 2;
        }
        gSuffix = QLatin1Char('-') + arguments.at(2);
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "cannot create " << folder.path() << "\n";
        return 1;
    }
    if (const int failed = takePictures(folder))
        return failed;
    gSuffix += QStringLiteral("-dark");
    QApplication::setPalette(darkPalette());
    return takePictures(folder);
}
