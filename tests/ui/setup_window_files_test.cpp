// Default, Save and Load of the main window, through the real file dialog and real files.
#include <sys/stat.h>

#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include "../config/settings_support.h"
#include "../files/cfg_test_support.h"
#include "cfg/cfg_writer.h"
#include "config/aprs_symbols.h"
#include "geo/calculator_request.h"
#include "setup_window_support.h"
#include "ui/calculator_window.h"
#include "ui/config_file_dialog.h"
#include "ui/field_edit.h"

namespace zelvar {
namespace {

// The factory file, whose bytes the writer's own tests pin.
const std::string kFactoryFile = writeConfigText(defaultSettings(), {}).value();
const CalculatorInputs kCalculator{"45.30.15", "-009.10.30", 0, "120", 1, true};

class SetupFiles : public testing::SetupWindowTest {
  protected:
    QString path(const char* name) const { return folder.filePath(name); }
    bool folderIsCurrent() const {
        return QDir::current().canonicalPath() == QDir(folder.path()).canonicalPath();
    }
    void saveAs(const QString& file) {
        modals.choose(file);
        click("cmdSave");
    }
    void load(const QString& file) {
        modals.choose(file);
        click("cmdLoad");
    }
    void setCalculator(const CalculatorInputs& inputs) { window->calculator()->setInputs(inputs); }

    testing::FreshCurrentFolder startIn;  // another folder, given back after Save and Load
    QTemporaryDir folder;
};

// Cancelled dialogs say nothing. A save that fails (text typed into the Mic-E list, no entry of
// it) keeps the old file and its folder as they were.
TEST_F(SetupFiles, CancelledDialogsChangeNothingAFailedSaveKeepsTheFileThenSaveWrites) {
    const QString current = QDir::currentPath();
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_O}) {
        ASSERT_TRUE(testing::activate(window.get()));
        modals.choose({});
        QTest::keyClick(field("edMyCall"), key, Qt::ControlModifier);
    }
    EXPECT_EQ(QDir::currentPath(), current);
    EXPECT_TRUE(modals.boxes.empty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    testing::writeFile(path("Zelvar.cfg"), "old settings\r\n");
    auto* micE = control<QComboBox>("cbMicEMsg");
    testing::typeKeys(micE->lineEdit(), "Busy");
    const DeviceSettings typed = window->settings();
    saveAs(path("Zelvar.cfg"));
    ASSERT_EQ(modals.boxes.size(), 2u) << "the overwrite question, then the failure";
    EXPECT_EQ(modals.boxes[1].title, "Zelwar");
    EXPECT_EQ(modals.boxes[1].buttons, QMessageBox::Ok);
    EXPECT_TRUE(modals.boxes[1].text.contains("Mic-E msg: choose a Mic-E message from the list"))
        << modals.boxes[1].text.toStdString();
    EXPECT_EQ(testing_support::readAll(path("Zelvar.cfg").toStdString()), "old settings\r\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Zelvar.cfg"});
    EXPECT_EQ(window->settings(), typed);

    micE->setCurrentIndex(defaultSettings().micEMessage);
    saveAs(path("Zelvar.cfg"));
    EXPECT_EQ(testing_support::readAll(path("Zelvar.cfg").toStdString()), kFactoryFile);
    EXPECT_TRUE(folderIsCurrent());
    ASSERT_EQ(modals.boxes.size(), 3u);
    EXPECT_EQ(modals.boxes[0].title, "Salva File");
    ASSERT_EQ(modals.fileDialogs.size(), 4u);
    EXPECT_EQ(modals.fileDialogs[1].title, "Apertura File");
    EXPECT_EQ(modals.fileDialogs[1].mode, QFileDialog::AcceptOpen);
    const testing::SeenFileDialog& dialog = modals.fileDialogs.front();
    EXPECT_EQ(dialog.title, "Salva File");
    EXPECT_EQ(dialog.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.filter, "File di configurazione (*.cfg)");
    EXPECT_EQ(dialog.folder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
    EXPECT_EQ(dialog.fileName, "Zelvar.cfg");

    // A name without an extension is saved as a .cfg, one with an extension as typed.
    saveAs(path("tracker"));
    saveAs(path("tracker.txt"));
    EXPECT_TRUE(QFileInfo::exists(path("tracker.cfg")));
    EXPECT_TRUE(QFileInfo::exists(path("tracker.txt")));
    EXPECT_FALSE(QFileInfo::exists(path("tracker")));
}

// Default in between restores the factory settings but leaves the calculator.
TEST_F(SetupFiles, SaveThenLoadBringsBackEveryFieldButTheAcquisitionInterval) {
    using enum Field;
    const testing_support::Changes changes = {{MyCall, "QX9ABC-7"},    {Path, "WIDE2-2"},
                                              {Symbol, "["},           {AlternateTable, "2"},
                                              {TxDelay, "350"},        {MicEMessage, "5"},
                                              {CommentEvery, "005"},   {HideReceivedPositions, "1"},
                                              {FixedInterval, "1200"}, {AcquisitionTimeout, "000"},
                                              {Modem300, "1"},         {MessageTo, "QX9XYZ"},
                                              {MessageRetries, "03"},  {AutoAnswerOn, "1"},
                                              {PortNumber, "4"},       {BaudRate, "2"}};
    DeviceSettings saved = testing_support::changed(defaultSettings(), changes);
    saved.speedIntervals = {"0100", "0200", "300", "400", "500", "600", "700"};
    saved.beacon = "=/7I\"PPjw<>  _ \"on foot\", slowly";
    saved.message = "}all, {\"\"well|\"";  // braces and bars the keys refuse
    saved.autoAnswer = "busy {now} | later~";
    window->applySettings(saved);
    setCalculator(kCalculator);
    saveAs(path("round.cfg"));
    click("cmdDefault");
    EXPECT_EQ(window->settings(), defaultSettings());
    EXPECT_EQ(window->calculator()->inputs(), kCalculator) << "Default leaves the calculator";
    EXPECT_FALSE(control<QWidget>("cmdLatLon")->isVisible());
    setCalculator(CalculatorInputs{});
    typeInto("edGpsCheckTime", "077");

    QDir::setCurrent(QCoreApplication::applicationDirPath());
    load(path("round.cfg"));
    EXPECT_TRUE(folderIsCurrent());
    EXPECT_TRUE(modals.boxes.empty());
    ASSERT_EQ(modals.fileDialogs.size(), 2u);
    EXPECT_EQ(modals.fileDialogs[1].folder, QDir(folder.path()).absolutePath())
        << "where the file was saved, whatever the current folder";
    saved.acquisitionInterval = "077";
    EXPECT_EQ(window->settings(), saved);
    EXPECT_EQ(window->calculator()->inputs(), kCalculator);
    EXPECT_TRUE(control<QWidget>("cmdLatLon")->isVisible()) << "the loaded timeout 000 is GPSless";
    // The greyed box came back; a click leaves that state for good: the third is not back to it.
    for (int click = 0; click < 3; ++click)
        control<QCheckBox>("chkTable")->click();
    EXPECT_EQ(window->settings().alternateTable, 1);
}

// An item longer than its field goes in whole, as zelvar-cli and the page read it: cut to the
// field, "00600" would send 60 s, "0250" 2.5 s and "DL1ABCD-15" the SSID 1. The build judges it,
// the counter shows it over, and typing keeps to the field's length again after the next load.
TEST_F(SetupFiles, ItemsLongerThanTheirFieldsLoadWhole) {
    using enum Field;
    const DeviceSettings loaded =
        testing_support::changed(defaultSettings(), {{FixedInterval, "00600"},
                                                     {AcquisitionTimeout, "0250"},
                                                     {MyCall, "DL1ABCD-15"},
                                                     {Beacon, std::string(36, 'X')}});
    CalculatorInputs calculator = kCalculator;
    calculator.altitude = "001200";
    testing::writeFile(path("long.cfg"), writeConfigText(loaded, calculator).value());
    load(path("long.cfg"));
    ASSERT_TRUE(modals.boxes.empty());
    EXPECT_EQ(window->settings(), loaded);
    EXPECT_EQ(window->calculator()->inputs(), calculator);
    EXPECT_EQ(control<QLabel>("Label34")->text(), "[-1]");

    testing::writeFile(path("factory.cfg"), kFactoryFile);
    load(path("factory.cfg"));
    EXPECT_EQ(window->settings(), defaultSettings());
    typeInto("edMyCall", "DL1ABCD-15");
    typeInto("edManualTime", "00600");
    EXPECT_EQ(textOf("edMyCall"), "DL1ABCD-1");
    EXPECT_EQ(textOf("edManualTime"), "0060");
}

// A greyed Alternate Table, which only a file brings, sends the primary table: the symbol's tip
// and the calculator's beacon say so, as the preview and zelvar-cli do.
TEST_F(SetupFiles, AGreyedTableIsThePrimaryOneEverywhere) {
    window->applySettings(testing_support::changed(
        defaultSettings(), {{Field::AlternateTable, "2"}, {Field::Symbol, "["}}));
    ASSERT_EQ(control<QCheckBox>("chkTable")->checkState(), Qt::PartiallyChecked);
    QCoreApplication::processEvents();
    EXPECT_EQ(field("edSymbol")->toolTip().toStdString(),
              describeSymbol("[", SymbolTable::Primary));
    setCalculator(kCalculator);
    control<QPushButton>("cmdCalc")->click();
    const Result<CalculatedPosition> primary =
        calculatePosition(calculatorRequest(kCalculator, "[", false));
    ASSERT_TRUE(primary);
    EXPECT_EQ(textOf("edBeacon").toStdString(), primary->text);
}

// What shows nothing in a field or a box is shown by its code and named: a callsign loaded with
// a soft hyphen is marked where it stands, a file name that turns its line around does not.
TEST_F(SetupFiles, HiddenCharactersShowInFieldsAndBoxes) {
    auto* call = control<FieldEdit>("edMyCall");
    window->applySettings(defaultSettings());
    const QImage plain = call->grab().toImage();
    EXPECT_EQ(call->hiddenCharactersNote(), "");
    const std::string shy = std::string("NOC") + '\xAD' + "ALL-9";
    testing::writeFile(path("shy.cfg"),
                       testing_support::edited("\"NOCALL-9\"", '"' + shy + '"', kFactoryFile));
    load(path("shy.cfg"));
    ASSERT_TRUE(modals.boxes.empty());
    ASSERT_EQ(window->settings().myCall, shy);
    EXPECT_NE(call->grab().toImage(), plain) << "the field looks like NOCALL-9";
    EXPECT_EQ(call->hiddenCharactersNote(),
              "\"NOC\\u00ADALL-9\": the field holds an invisible soft hyphen (U+00AD)");
    // As many as an item holds are marked as one is, in a moment: measured each from the start
    // of the text, they held the window for minutes.
    testing::writeFile(path("page.cfg"),
                       testing_support::edited(
                           "\"NOCALL-9\"", '"' + std::string(60000, '\xAD') + '"', kFactoryFile));
    load(path("page.cfg"));
    ASSERT_TRUE(modals.boxes.empty());
    EXPECT_NE(call->grab().toImage(), plain);

    const QString turned = path("a\u202Egfc.cfg");
    testing::writeFile(turned,
                       kFactoryFile.substr(0, 15) + "1\xAD" + "2" + kFactoryFile.substr(16));
    load(turned);
    ASSERT_EQ(modals.boxes.size(), 1u);
    const QString shown = modals.boxes.front().text;
    EXPECT_TRUE(shown.contains("a\\u202Egfc.cfg") && shown.contains("\"1\\u00AD2\""))
        << shown.toStdString();
    EXPECT_FALSE(shown.contains(QChar(0x202E)) || shown.contains(QChar(0xAD)));
}

// A comment longer than its field scrolls with the caret; each red mark stays on its hidden
// character, with the field scrolled to the end and back to the start.
TEST_F(SetupFiles, HiddenCharacterMarksFollowTheScrolledText) {
    auto* comment = control<FieldEdit>("edBeacon");
    const std::string text = "abcde\xAD" + std::string(60, '7') + "\xAD" + "END";
    testing::writeFile(path("long.cfg"),
                       testing_support::edited('"' + defaultSettings().beacon + '"',
                                               '"' + text + '"', kFactoryFile));
    load(path("long.cfg"));
    ASSERT_TRUE(modals.boxes.empty());
    const std::pair<Qt::Key, int> ends[] = {{Qt::Key_End, 66}, {Qt::Key_Home, 5}};
    for (const auto& [key, hidden] : ends) {
        QTest::keyClick(comment, key);
        const QImage shown = comment->grab().toImage();
        const int y = comment->height() / 2;
        const auto isMark = [&](int x) {
            const QColor pixel =
                shown.pixelColor((QPointF(x, y) * shown.devicePixelRatio()).toPoint());
            return pixel.red() > 150 && pixel.green() < 90 && pixel.blue() < 90;
        };
        std::vector<int> marks;
        for (int x = 0; x < comment->width(); ++x) {
            if (isMark(x) && (x == 0 || !isMark(x - 1)))
                marks.push_back(x);
        }
        ASSERT_EQ(marks.size(), 1u) << "key " << key;
        const int at = comment->cursorPositionAt(QPoint(marks.front() + 1, y));
        EXPECT_TRUE(at == hidden || at == hidden + 1) << "key " << key << ": mark at " << at;
    }
}

// Files from strangers, whose markup must not fake a result, fill the screen or wait on a FIFO;
// the items before the fault still load (every way a file breaks: the reader's own tests).
TEST_F(SetupFiles, HostileFilesGiveAPlainReadableBoxAndKeepWhatCameBefore) {
    ASSERT_EQ(::mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
    std::string nested;
    while (nested.size() < 65000)
        nested += "<table><tr><td>";
    const std::pair<const char*, std::string> items[] = {
        {"fake.cfg", "<b style=\"color:green\">Transfer OK</b><span style=\"font-size:1px\">"},
        {"nested.cfg", nested},
        {"fifo.cfg", "<img src=\"pipe\">"},
    };
    const QSize screen = window->screen()->availableSize();
    for (const auto& [name, item] : items) {
        DeviceSettings expected = window->settings();
        expected.portNumber = "3";
        expected.myCall = "QX9ABC";
        window->applySettings(expected);
        // The fourth item takes a whole number: the load stops there, quoting it.
        testing::writeFile(path(name), kFactoryFile.substr(0, 15) + item + kFactoryFile.substr(16));
        modals.boxes.clear();
        load(path(name));
        ASSERT_EQ(modals.boxes.size(), 1u) << name;
        const testing::SeenBox& box = modals.boxes.front();
        EXPECT_EQ(box.title, "Zelvar");
        EXPECT_TRUE(box.plain) << name;
        EXPECT_TRUE(box.text.contains(QString::fromStdString(item.substr(0, 30)))) << name;
        EXPECT_LE(box.size.width(), screen.width()) << name;
        EXPECT_LE(box.size.height(), screen.height()) << name;
        expected.portNumber = defaultSettings().portNumber;
        EXPECT_EQ(window->settings(), expected) << name;
    }
}

// Drags `files` from a file manager, which offers them as a copy, a move or a link, their
// addresses also as text, and drops them on `widget`; the action the drop took.
Qt::DropAction dropFiles(QWidget* widget, const std::vector<std::filesystem::path>& files) {
    QList<QUrl> urls;
    QByteArray addresses;
    for (const std::filesystem::path& file : files) {
        const QByteArray address =
            "file://" + QByteArray::fromStdString(file.string()).toPercentEncoding("/");
        urls.append(QUrl::fromEncoded(address));
        addresses += address + "\n";
    }
    QMimeData dragged;
    dragged.setUrls(urls);
    dragged.setText(QString::fromLatin1(addresses));
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(QPoint(2, 2), offered, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &enter);
    QDragMoveEvent move(QPoint(3, 2), offered, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &move);
    QDropEvent drop(QPointF(3, 2), offered, &dragged, Qt::LeftButton, {}, QEvent::Drop);
    QApplication::sendEvent(widget, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

// A file dropped on the window is loaded, as the page loads one, wherever it lands: a field
// under the pointer does not take its address as text, and the file manager is told of a copy,
// never of a move, after which it would delete the file. A name that is no UTF-8 is the file of
// those bytes, shown as codes.
TEST_F(SetupFiles, AFileDroppedOnTheWindowIsLoadedNotTypedIntoAField) {
    const testing_support::TempFolder files;
    DeviceSettings saved = defaultSettings();
    saved.myCall = "QX9ABC-7";
    const std::filesystem::path latin1 =
        files.write("caf\xE9.cfg", writeConfigText(saved, kCalculator).value());
    const std::filesystem::path other = files.write("other.cfg", kFactoryFile);
    field("edBeacon")->clear();
    EXPECT_EQ(dropFiles(field("edBeacon"), {latin1, other}), Qt::CopyAction);
    EXPECT_EQ(textOf("edBeacon").toStdString(), saved.beacon);
    EXPECT_EQ(window->settings(), saved);
    EXPECT_EQ(window->calculator()->inputs(), kCalculator);
    EXPECT_TRUE(modals.boxes.empty());
    // So does one dropped on the calculator.
    click("cmdDefault");
    setCalculator({});
    EXPECT_EQ(dropFiles(window->calculator()->findChild<QLineEdit*>("txtLat"), {latin1}),
              Qt::CopyAction);
    EXPECT_EQ(window->settings(), saved);
    EXPECT_EQ(window->calculator()->inputs(), kCalculator);

    const std::filesystem::path gone = files.path() / "gone\xFF.cfg";
    EXPECT_EQ(dropFiles(window.get(), {gone}), Qt::CopyAction);
    ASSERT_EQ(modals.boxes.size(), 1u);
    EXPECT_TRUE(modals.boxes.front().text.startsWith(
        QString::fromStdString((files.path() / "gone\\xFF.cfg: ").string())))
        << modals.boxes.front().text.toStdString();
    EXPECT_EQ(window->settings(), saved);
    EXPECT_EQ(modals.fileDialogs.size(), 0u);
}

TEST(FirstConfigFolder, IsTheProgramsWhenWritableAndItsOwnElseTheDocuments) {
    QTemporaryDir root;
    const QString writable = root.filePath("portable");
    const QString installed = root.filePath("bin");  // ~/.local/bin, or /usr/bin as root
    const QString readOnly = root.filePath("tracker");
    for (const QString& made : {writable, installed, readOnly})
        ASSERT_TRUE(QDir().mkpath(made));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    EXPECT_EQ(firstConfigFolder(writable), writable);
    EXPECT_EQ(firstConfigFolder(installed), documents);
    EXPECT_EQ(firstConfigFolder(root.filePath("gone")), documents);
    if (geteuid() != 0) {
        EXPECT_EQ(firstConfigFolder(readOnly), documents);
        return;
    }
    // Root writes everywhere: the folder is tried as nobody, in a child, as a user meets it.
    ASSERT_TRUE(QFile::setPermissions(
        root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther));
    EXPECT_EQ(firstConfigFolder(readOnly), readOnly);
    EXPECT_EQ(testing_support::asNobody([&] { return firstConfigFolder(readOnly) == readOnly; }), 0)
        << "as nobody, the read-only folder was still the first folder";
}

}  // namespace
}  // namespace zelvar
