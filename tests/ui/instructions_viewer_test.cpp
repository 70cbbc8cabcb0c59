#include "ui/instructions_viewer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "ui/manual_lookup.h"

namespace zelvar {
namespace {

constexpr const char* kTitle = "Zelvar Config - Istruzioni";

void processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QTextBrowser* viewOf(InstructionsViewer* viewer) {
    return viewer->findChild<QTextBrowser*>("rtfIstruzioni");
}

QString shownText(InstructionsViewer* viewer) {
    return viewOf(viewer)->document()->toPlainText();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// Every test runs in a fresh current folder of its own.
class ViewerTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
    }
    void TearDown() override {
        if (InstructionsViewer* viewer = InstructionsViewer::instance()) {
            viewer->close();
        }
        processDeletes();
        QDir::setCurrent(previousFolder_);
    }
    QString path(const QString& name) const { return folder_.filePath(name); }

  private:
    QTemporaryDir folder_;
    QString previousFolder_;
};

// --- the file cannot be shown -----------------------------------------------------------

struct FailureCase {
    const char* name;
    const char* content;  // null: no file at all; "<folder>": a folder of that name
    const char* message;  // the start of the message
    const char* reason;   // a part of the message after the first line, or ""
};

class ViewerFailure : public ViewerTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(ViewerFailure, SaysSoThenCloses) {
    const FailureCase& c = GetParam();
    if (c.content != nullptr && std::string(c.content) == "<folder>") {
        ASSERT_TRUE(QDir().mkdir(c.name));
    } else if (c.content != nullptr) {
        writeFile(path(c.name), c.content);
    }
    QPointer<InstructionsViewer> viewer = InstructionsViewer::apri(c.name, kTitle);
    ASSERT_FALSE(viewer.isNull());
    auto* box = viewer->findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().startsWith(QString::fromUtf8(c.message) + c.name))
        << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(c.reason)) << box->text().toStdString();
    EXPECT_EQ(box->windowTitle(), "Zelvar");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);

    // Another activation while the message is up asks nothing more.
    InstructionsViewer::apri(c.name, kTitle);
    EXPECT_EQ(viewer->findChildren<QMessageBox*>().size(), 1);

    box->button(QMessageBox::Ok)->click();
    processDeletes();
    EXPECT_TRUE(viewer.isNull());
    EXPECT_EQ(InstructionsViewer::instance(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Viewer, ViewerFailure,
    testing::Values(FailureCase{"Absent_manual.rtf", nullptr, "Manca il file di help ", ""},
                    FailureCase{"Folder_manual.rtf", "<folder>", "Manca il file di help ", ""},
                    FailureCase{"Text_manual.rtf", "just text", "Il file di help non è leggibile ",
                                "\nthis is not an RTF document"}),
    [](const auto& testInfo) {
        const std::string name = testInfo.param.name;
        return name.substr(0, name.find('.'));
    });

TEST_F(ViewerTest, OpensAgainAfterTheMessage) {
    QPointer<InstructionsViewer> first = InstructionsViewer::apri("Help_manual.rtf", kTitle);
    first->findChild<QMessageBox*>()->button(QMessageBox::Ok)->click();
    processDeletes();
    writeFile(path("Help_manual.rtf"), "{\\rtf1 now here}");
    InstructionsViewer* second = InstructionsViewer::apri("Help_manual.rtf", kTitle);
    EXPECT_EQ(second->findChild<QMessageBox*>(), nullptr);
    EXPECT_EQ(shownText(second), "now here");
}

// --- the file is shown --------------------------------------------------------------

TEST_F(ViewerTest, ShowsTheManualCentredWithItsCaption) {
    writeFile(path("Zelvar_Config.rtf"), "{\\rtf1 {\\b Zelvar}\\par second}");
    InstructionsViewer* viewer = InstructionsViewer::apri("Zelvar_Config.rtf", kTitle);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->objectName(), "frmIstruzioni");
    EXPECT_EQ(viewer->windowTitle(), QString(" ") + kTitle);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->findChild<QMessageBox*>(), nullptr);
    EXPECT_EQ(shownText(viewer), "Zelvar\nsecond");
    EXPECT_EQ(viewer->size(), QSize(622, 315));

    const QRect screen = viewer->screen()->geometry();
    EXPECT_LE(std::abs(viewer->frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(viewer->frameGeometry().center().y() - screen.center().y()), 1);

    const QPalette palette = viewOf(viewer)->palette();
    EXPECT_EQ(palette.color(QPalette::Base), palette.color(QPalette::ToolTipBase));
}

TEST_F(ViewerTest, CaptionIsABlankWithoutTitle) {
    writeFile(path("Zelvar_Config.rtf"), "{\\rtf1 x}");
    EXPECT_EQ(InstructionsViewer::apri("Zelvar_Config.rtf")->windowTitle(), " ");
}

TEST_F(ViewerTest, SecondOpeningBringsTheSameViewerBackAtTheTop) {
    QByteArray longText = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i) {
        longText += "line " + QByteArray::number(i) + "\\par ";
    }
    writeFile(path("Zelvar_Config.rtf"), longText + "}");
    InstructionsViewer* viewer = InstructionsViewer::apri("Zelvar_Config.rtf", kTitle);
    QScrollBar* scroll = viewOf(viewer)->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    ASSERT_GT(scroll->value(), 0);

    writeFile(path("Zelvar_Config.rtf"), longText + "changed}");
    InstructionsViewer* again = InstructionsViewer::apri("Zelvar_Config.rtf", "Other");
    EXPECT_EQ(again, viewer);
    EXPECT_EQ(again->windowTitle(), " Other");
    EXPECT_TRUE(shownText(again).endsWith("changed"));
    EXPECT_EQ(scroll->value(), 0);
    EXPECT_EQ(viewOf(again)->textCursor().position(), 0);
}

TEST_F(ViewerTest, ComingFromAnotherWindowOfTheProgramReadsTheFileAgain) {
    writeFile(path("Zelvar_Config.rtf"), "{\\rtf1 first}");
    QWidget other;
    other.show();
    InstructionsViewer* viewer = InstructionsViewer::apri("Zelvar_Config.rtf", kTitle);
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));

    writeFile(path("Zelvar_Config.rtf"), "{\\rtf1 second}");
    EXPECT_EQ(shownText(viewer), "first");  // nothing happens by itself

    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(shownText(viewer), "first");
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_EQ(shownText(viewer), "second");
}

TEST_F(ViewerTest, TheViewFillsTheWindowAndNeverVanishes) {
    writeFile(path("Zelvar_Config.rtf"), "{\\rtf1 x}");
    InstructionsViewer* viewer = InstructionsViewer::apri("Zelvar_Config.rtf", kTitle);
    QTextBrowser* view = viewOf(viewer);
    for (const QSize size : {QSize(300, 200), QSize(1, 1), QSize(0, 0), QSize(800, 500)}) {
        viewer->resize(size);
        EXPECT_EQ(view->geometry().topLeft(), QPoint(0, 0));
        EXPECT_EQ(view->width(), std::max(1, viewer->width()));
        EXPECT_EQ(view->height(), std::max(1, viewer->height()));
    }
    viewer->showMinimized();
    viewer->showNormal();
    EXPECT_EQ(view->size(), viewer->size());
}

// --- where the manual is found ---------------------------------------------------------

struct LookupCase {
    const char* name;
    std::vector<int> holding;  // which of the three folders hold the file
    int found;                 // which one is chosen, -1 none
};

class ManualLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(ManualLookup, TakesTheFirstFolderThatHasIt) {
    QTemporaryDir root;
    QStringList folders;
    for (int i = 0; i < 3; ++i) {
        folders << root.filePath(QString::number(i));
        ASSERT_TRUE(QDir().mkpath(folders.back()));
    }
    for (const int i : GetParam().holding) {
        writeFile(folders[i] + "/Zelvar_Config.rtf", "{\\rtf1 x}");
    }
    const QString found = findManual("Zelvar_Config.rtf", folders);
    if (GetParam().found < 0) {
        EXPECT_TRUE(found.isEmpty());
    } else {
        EXPECT_EQ(found, folders[GetParam().found] + "/Zelvar_Config.rtf");
    }
}

INSTANTIATE_TEST_SUITE_P(Viewer, ManualLookup,
                         testing::Values(LookupCase{"nowhere", {}, -1},
                                         LookupCase{"current", {0, 1, 2}, 0},
                                         LookupCase{"program", {1, 2}, 1},
                                         LookupCase{"installed", {2}, 2},
                                         LookupCase{"current_and_installed", {0, 2}, 0}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ManualLookup, SkipsFoldersAndTakesAbsoluteNamesAsTheyAre) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("a/Zelvar_Config.rtf"));
    ASSERT_TRUE(QDir(root.path()).mkpath("b"));
    writeFile(root.filePath("b/Zelvar_Config.rtf"), "{\\rtf1 x}");
    const QStringList folders = {root.filePath("a"), root.filePath("b")};
    EXPECT_EQ(findManual("Zelvar_Config.rtf", folders), root.filePath("b/Zelvar_Config.rtf"));
    EXPECT_EQ(findManual(root.filePath("b/Zelvar_Config.rtf"), {}),
              root.filePath("b/Zelvar_Config.rtf"));
    EXPECT_TRUE(findManual(root.filePath("a/Zelvar_Config.rtf"), folders).isEmpty());
    EXPECT_TRUE(findManual("", folders).isEmpty());
}

TEST(ManualLookup, LooksInTheCurrentThenTheProgramThenTheDataFolder) {
    const QStringList folders = manualFolders();
    ASSERT_EQ(folders.size(), 3);
    EXPECT_EQ(folders[0], QDir::currentPath());
    EXPECT_EQ(folders[1], QCoreApplication::applicationDirPath());
    EXPECT_TRUE(folders[2].endsWith("/zelvar-config"));
}

}  // namespace
}  // namespace zelvar
