// Default, Save and Load of the main window, through the real file dialog and real files.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <functional>
#include <utility>
#include <vector>

#include "setup_window_support.h"

namespace zelvar {
namespace {

// What Save writes right after the start, line by line without the CR LF.
const QStringList kFactoryLines = {
    R"("1","200","08",0,">",0)",
    R"("0480")",
    R"("0360")",
    R"("250")",
    R"("180")",
    R"("130")",
    R"("110")",
    R"("090")",
    R"("0600",3,"025","NOCALL-9","WIDE1-1,WIDE2-2","Zelvar, version 4.0 - by QX9ABC Pim","NOCALL","Message sent using Zelvar, version 4.0")",
    R"("00.00.00","00.00.00",1,"0",0,#FALSE#)",
    R"("Msg received,i will reply soon")",
    R"(0)",
};

QByteArray crlf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

class SetupFiles : public testing::SetupWindowTest {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override { QDir::setCurrent(startFolder_); }

    // The process's current folder, where the manual is looked for first.
    static QString currentFolder() { return QDir::current().canonicalPath(); }
    QString folderPath() const { return QDir(folder.path()).canonicalPath(); }

    QString path(const char* name) const { return folder.filePath(name); }

    QByteArray contents(const QString& file) const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void write(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    void saveAs(const QString& file) {
        modals.choose(file);
        click("cmdSave");
    }
    void load(const QString& file) {
        modals.choose(file);
        click("cmdLoad");
    }

    QLineEdit* calculatorField(const char* name) {
        return control<QWidget>("frmLatLon")->findChild<QLineEdit*>(name);
    }
    void setCalculator(const CalculatorInputs& inputs) {
        // The boxes first: ticking them may bring the fields in line.
        control<QCheckBox>("chkCent")->setChecked(inputs.centChecked == 1);
        control<QCheckBox>("chkAlt")->setChecked(inputs.altitudeChecked == 1);
        calculatorField("txtLat")->setText(QString::fromStdString(inputs.latitude));
        calculatorField("txtLng")->setText(QString::fromStdString(inputs.longitude));
        calculatorField("txtAlt")->setText(QString::fromStdString(inputs.altitude));
        control<QRadioButton>(inputs.normalForm ? "optLLtoNorm" : "optLLtoComp")->setChecked(true);
    }

    QTemporaryDir folder;

  private:
    QString startFolder_ = QDir::currentPath();
};

TEST_F(SetupFiles, SaveAfterTheStartWritesTheFactoryFile) {
    saveAs(path("Zelvar.cfg"));
    EXPECT_EQ(contents(path("Zelvar.cfg")), crlf(kFactoryLines));
    EXPECT_TRUE(modals.boxes.empty());
    EXPECT_EQ(currentFolder(), folderPath()) << "the chosen file's folder becomes current";

    ASSERT_EQ(modals.fileDialogs.size(), 1u);
    const testing::SeenFileDialog& dialog = modals.fileDialogs.front();
    EXPECT_EQ(dialog.title, "Salva File");
    EXPECT_EQ(dialog.mode, QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.confirmsOverwrite);
    ASSERT_EQ(dialog.filters.size(), 2);
    EXPECT_EQ(dialog.filters[0], "File di configurazione (*.cfg)");
    EXPECT_TRUE(dialog.filters[1].startsWith("Tutti i files (")) << dialog.filters[1].toStdString();
    EXPECT_EQ(dialog.selectedFilter, dialog.filters[0]);
    EXPECT_EQ(dialog.folder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
    EXPECT_EQ(dialog.fileName, "Zelvar.cfg");
}

TEST_F(SetupFiles, SaveThenLoadBringsBackEveryFieldButTheAcquisitionInterval) {
    DeviceSettings saved = window->settings();
    saved.commPort = "4";
    saved.numFlagsAuto = "350";
    saved.msgRepeat = "03";
    saved.micEMsg = 5;
    saved.autoReply = 1;
    saved.baud300 = 1;
    saved.symbol = "[";
    saved.altTable = 1;
    saved.speedTable = {"0100", "0200", "300", "400", "500", "600", "700"};
    saved.manualTime = "1200";
    saved.bcnEvery = "005";
    saved.rxPosition = 1;
    saved.gpsAcqTime = "000";
    saved.myCall = "QX9ABC-7";
    saved.aprsPath = "WIDE2-2";
    saved.beacon = "=/7I\"PPjw<>  _ \"on foot\", slowly";
    saved.destCall = "QX9XYZ";
    saved.aprsMsg = "}all, \"\"well\"";
    saved.autoReplyMsg = "busy {now} | later~";
    saved.baudRate = 2;
    window->applySettings(saved);
    typeInto("edMyCall", "qx9abc-7");
    const CalculatorInputs calculator{"45.30.15", "-009.10.30", 0, "120", 1, true};
    setCalculator(calculator);

    saveAs(path("round.cfg"));
    ASSERT_TRUE(modals.boxes.empty());
    click("cmdDefault");
    setCalculator(CalculatorInputs{});
    typeInto("edGpsCheckTime", "077");
    ASSERT_NE(window->settings(), saved);

    QDir::setCurrent(QCoreApplication::applicationDirPath());
    load(path("round.cfg"));
    EXPECT_EQ(currentFolder(), folderPath()) << "the chosen file's folder becomes current";
    EXPECT_TRUE(modals.boxes.empty());
    ASSERT_EQ(modals.fileDialogs.size(), 2u);
    const testing::SeenFileDialog& open = modals.fileDialogs.back();
    EXPECT_EQ(open.title, "Apertura File");
    EXPECT_EQ(open.mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(open.filters.value(0), "File di configurazione (*.cfg)");
    EXPECT_EQ(open.folder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
    EXPECT_EQ(open.fileName, "Zelvar.cfg");
    DeviceSettings expected = saved;
    expected.gpsCheckTime = "077";
    EXPECT_EQ(window->settings(), expected);
    EXPECT_EQ(window->calculatorInputs(), calculator);
    EXPECT_TRUE(control<QWidget>("cmdLatLon")->isVisible()) << "the loaded timeout 000 is GPSless";
    EXPECT_FALSE(control<QWidget>("cbMicEMsg")->isVisible());
}

TEST_F(SetupFiles, SavingOverAFileAsksFirstAndThenReplacesIt) {
    write(path("Zelvar.cfg"), "old settings\r\n");
    saveAs(path("Zelvar.cfg"));
    ASSERT_EQ(modals.boxes.size(), 1u);
    EXPECT_EQ(modals.boxes.front().title, "Salva File");
    EXPECT_TRUE(modals.boxes.front().buttons & QMessageBox::Yes);
    EXPECT_EQ(contents(path("Zelvar.cfg")), crlf(kFactoryLines));
}

TEST_F(SetupFiles, CancelledDialogsChangeNothingAndSayNothing) {
    typeInto("edMyCall", "qx9abc");
    const DeviceSettings before = window->settings();
    const QString current = currentFolder();
    modals.choose({});
    click("cmdSave");
    modals.choose({});
    click("cmdLoad");
    EXPECT_EQ(currentFolder(), current);
    EXPECT_EQ(modals.fileDialogs.size(), 2u);
    EXPECT_TRUE(modals.boxes.empty());
    EXPECT_EQ(window->settings(), before);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// A comment interval that is no number, and text typed into the Mic-E list (no message chosen).
TEST_F(SetupFiles, FailedSaveKeepsTheOldFileAndSaysZelwar) {
    const std::vector<std::pair<std::function<void()>, QString>> faults = {
        {[&] { field("edBcnEvery")->clear(); }, "Comment every"},
        {[&] { testing::typeKeys(control<QComboBox>("cbMicEMsg")->lineEdit(), "Busy"); },
         "Mic-E msg: choose a Mic-E message from the list"},
    };
    for (const auto& [fault, reason] : faults) {
        click("cmdDefault");
        write(path("Zelvar.cfg"), "old settings\r\n");
        fault();
        const DeviceSettings before = window->settings();
        modals.boxes.clear();
        saveAs(path("Zelvar.cfg"));
        ASSERT_EQ(modals.boxes.size(), 2u) << "the overwrite question, then the failure";
        const testing::SeenBox& failure = modals.boxes.back();
        EXPECT_EQ(failure.title, "Zelwar");
        EXPECT_EQ(failure.buttons, QMessageBox::Ok);
        EXPECT_EQ(failure.icon, QMessageBox::NoIcon);
        EXPECT_TRUE(failure.text.contains(reason)) << failure.text.toStdString();
        EXPECT_EQ(contents(path("Zelvar.cfg")), "old settings\r\n");
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Zelvar.cfg"});
        EXPECT_EQ(window->settings(), before);
    }
}

TEST_F(SetupFiles, DefaultRestoresTheFactorySettingsAndLeavesTheCalculator) {
    typeInto("edMyCall", "qx9abc");
    typeInto("edGpsAcqTime", "0");
    typeInto("edAprsMsg", "hello");
    control<QComboBox>("cboBaud")->setCurrentIndex(1);
    control<QCheckBox>("chk300Baud")->setChecked(true);
    const CalculatorInputs calculator{"45.30.15", "-009.10.30", 0, "120", 1, true};
    setCalculator(calculator);

    click("cmdDefault");
    EXPECT_EQ(window->settings(), defaultSettings());
    EXPECT_EQ(window->calculatorInputs(), calculator);
    EXPECT_TRUE(modals.boxes.empty());
    EXPECT_TRUE(modals.fileDialogs.empty());
    EXPECT_FALSE(control<QWidget>("cmdLatLon")->isVisible());
    EXPECT_EQ(control<QLabel>("Label13")->text(), "[0]");
}

QStringList withLine(int index, const QString& line) {
    QStringList lines = kFactoryLines;
    lines[index] = line;
    return lines;
}

TEST_F(SetupFiles, AGreyedBoxSurvivesSavingAndAClickClearsIt) {
    write(path("grey.cfg"), crlf(withLine(0, R"("1","200","08",0,">",2)")));
    load(path("grey.cfg"));
    auto* table = control<QCheckBox>("chkTable");
    EXPECT_EQ(table->checkState(), Qt::PartiallyChecked);
    saveAs(path("again.cfg"));
    EXPECT_EQ(contents(path("again.cfg")), contents(path("grey.cfg")));
    table->click();
    table->click();
    EXPECT_NE(table->checkState(), Qt::PartiallyChecked);
}

// The reader's own tests cover every way a file breaks; here the window shows the message and
// keeps what came before the fault.
TEST_F(SetupFiles, BrokenLoadKeepsWhatCameBeforeTheFaultAndSaysZelvar) {
    DeviceSettings before = window->settings();
    before.myCall = "QX9ABC";
    before.speedTable[0] = "0999";
    window->applySettings(before);
    write(path("broken.cfg"),
          crlf(QStringList{R"("3","150","05",2,"#",1)"} + kFactoryLines.mid(1, 7)));

    load(path("broken.cfg"));
    ASSERT_EQ(modals.boxes.size(), 1u);
    const testing::SeenBox& failure = modals.boxes.front();
    EXPECT_EQ(failure.title, "Zelvar");
    EXPECT_EQ(failure.buttons, QMessageBox::Ok);
    EXPECT_FALSE(failure.text.isEmpty());
    DeviceSettings expected = before;
    expected.commPort = "3";
    expected.numFlagsAuto = "150";
    expected.msgRepeat = "05";
    expected.micEMsg = 2;
    expected.symbol = "#";
    expected.altTable = 1;
    expected.speedTable = {"0480", "0360", "250", "180", "130", "110", "090"};
    EXPECT_EQ(window->settings(), expected);
}

}  // namespace
}  // namespace zelvar
