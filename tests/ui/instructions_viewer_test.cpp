#include "ui/instructions_viewer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>

#include "setup_window_support.h"
#include "ui/manual_lookup.h"
#include "ui/palette_colours.h"

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

// Every test runs in a fresh current folder of its own.
class Viewer : public ::testing::Test {
  protected:
    void TearDown() override {
        if (InstructionsViewer* viewer = InstructionsViewer::instance())
            viewer->close();
        processDeletes();
    }

  private:
    testing::FreshCurrentFolder folder_;
};

// A missing or an unreadable manual (a folder of its name: ManualLookup): the message, nothing
// more on a second call, then the viewer goes; once the file is there it opens.
TEST_F(Viewer, SaysWhyAFileCannotBeShownThenCloses) {
    const std::tuple<const char*, const char*, QString> failures[] = {
        {"Absent.rtf", nullptr, "Manca il file di help Absent.rtf"},
        {"Text.rtf", "just text",
         QString::fromUtf8(
             "Il file di help non è leggibile Text.rtf\nthis is not an RTF document")}};
    for (const auto& [name, content, message] : failures) {
        if (content)
            testing::writeFile(name, content);
        QPointer<InstructionsViewer> viewer = InstructionsViewer::open(name, kTitle);
        auto* box = viewer->findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr) << name;
        EXPECT_TRUE(box->text().startsWith(message)) << box->text().toStdString();
        EXPECT_EQ(box->windowTitle(), "Zelvar");
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        InstructionsViewer::open(name, kTitle);
        EXPECT_EQ(viewer->findChildren<QMessageBox*>().size(), 1);
        box->button(QMessageBox::Ok)->click();
        processDeletes();
        EXPECT_TRUE(viewer.isNull());
        EXPECT_EQ(InstructionsViewer::instance(), nullptr);
    }
    testing::writeFile("Absent.rtf", "{\\rtf1 now here}");
    EXPECT_EQ(shownText(InstructionsViewer::open("Absent.rtf", kTitle)), "now here");
}

// With its caption; opened again it reads the file anew, back at the top; so it does when the
// user comes back to it from another window of the program, and only then. Esc closes it.
TEST_F(Viewer, ShowsTheManualAndOpensAgainAtTheTop) {
    QByteArray longText = "{\\rtf1 {\\b Zelvar}\\par ";
    for (int i = 0; i < 200; ++i)
        longText += "line " + QByteArray::number(i) + "\\par ";
    testing::writeFile("Zelvar_Config.rtf", longText + "}");
    InstructionsViewer* viewer = InstructionsViewer::open("Zelvar_Config.rtf", kTitle);
    EXPECT_EQ(viewer->windowTitle(), QString(" ") + kTitle);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(shownText(viewer).startsWith("Zelvar\nline 0\n"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(viewer)->role(), QAccessible::Window);
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(viewOf(viewer))->text(QAccessible::Name).isEmpty());

    QScrollBar* scroll = viewOf(viewer)->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    ASSERT_GT(scroll->value(), 0);
    testing::writeFile("Zelvar_Config.rtf", longText + "changed}");
    EXPECT_EQ(InstructionsViewer::open("Zelvar_Config.rtf"), viewer);
    EXPECT_EQ(viewer->windowTitle(), " ");
    EXPECT_TRUE(shownText(viewer).endsWith("changed"));
    EXPECT_EQ(scroll->value(), 0);
    EXPECT_EQ(viewOf(viewer)->textCursor().position(), 0);

    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    testing::writeFile("Zelvar_Config.rtf", "{\\rtf1 second}");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(shownText(viewer).endsWith("changed")) << "nothing happens by itself";
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_EQ(shownText(viewer), "second");

    // Esc closes it, as it closes the program's other windows beside the main one.
    QTest::keyClick(viewOf(viewer), Qt::Key_Escape);
    processDeletes();
    EXPECT_EQ(InstructionsViewer::instance(), nullptr);
}

// The real manual: pictures fit the page in proportion, no scrolling sideways; widened, never
// beyond their own size; every paragraph laid out, every colour readable, light or dark.
TEST_F(Viewer, ShowsTheWholeManualWithPicturesAsWideAsThePageInReadableColours) {
    ASSERT_TRUE(QFile::copy(ZELVAR_SOURCE_DIR "/docs/Zelvar_Config.rtf", "Zelvar_Config.rtf"));
    InstructionsViewer* viewer = InstructionsViewer::open("Zelvar_Config.rtf", kTitle);
    auto picturesAt = [&](int width) {
        viewer->resize(width, 315);
        QCoreApplication::processEvents();
        EXPECT_EQ(viewOf(viewer)->horizontalScrollBar()->maximum(), 0) << width;
        QList<QSizeF> sizes;
        for (QTextBlock block = viewOf(viewer)->document()->begin(); block.isValid();
             block = block.next())
            for (auto piece = block.begin(); !piece.atEnd(); ++piece)
                if (const QTextImageFormat image = piece.fragment().charFormat().toImageFormat();
                    image.isValid())
                    sizes << QSizeF(image.width(), image.height());
        return sizes;
    };
    const QList<QSizeF> page = picturesAt(622), narrow = picturesAt(300), own = picturesAt(4000);
    ASSERT_NE(narrow, page);
    for (qsizetype i = 0; i < own.size(); ++i)
        EXPECT_NEAR(narrow[i].width() / narrow[i].height(), own[i].width() / own[i].height(), 0.02);
    EXPECT_EQ(picturesAt(5000), own);
    EXPECT_EQ(picturesAt(622), page);
    // The view lays a long document out a part at a time; fitted pictures leave no part blank.
    QTextDocument* manual = viewOf(viewer)->document();
    auto blank = [&] {
        int paragraphs = 0;
        for (QTextBlock block = manual->begin(); block.isValid(); block = block.next())
            paragraphs += block.length() > 1 &&
                          manual->documentLayout()->blockBoundingRect(block).height() == 0;
        return paragraphs;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return blank() == 0; })) << blank() << " blank paragraphs";

    // The headings and coloured words on the page of a dark palette too, and again when the
    // desktop switches back: the texts that do not reach the readable contrast.
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::ToolTipBase, QColor(35, 35, 35));
    dark.setColor(QPalette::ToolTipText, Qt::white);
    QTextBrowser* view = viewOf(viewer);
    auto unreadable = [&] {
        QStringList texts;
        for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next())
            for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
                const QTextCharFormat format = piece.fragment().charFormat();
                const QColor text = format.hasProperty(QTextFormat::ForegroundBrush)
                                        ? format.foreground().color()
                                        : view->palette().color(QPalette::Text);
                if (contrastRatio(text, view->palette().color(QPalette::Base)) < kReadableContrast)
                    texts << piece.fragment().text().left(20);
            }
        return texts;
    };
    for (const QPalette& palette : {light, dark, light}) {
        QApplication::setPalette(palette);
        const QColor paper = palette.color(QPalette::ToolTipBase);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return view->palette().color(QPalette::Base) == paper && unreadable().isEmpty();
        })) << paper.name().toStdString()
            << ": " << unreadable().join(" | ").toStdString();
    }
}

// The first of the folders holding the file (not a folder of that name) wins; an absolute name
// is taken as it is. The folders: current, the program's, then the data folder.
TEST(ManualLookup, TakesTheFirstFolderThatHasIt) {
    QTemporaryDir root;
    QStringList folders;
    for (const char* name : {"0", "1", "2"}) {
        folders << root.filePath(name);
        ASSERT_TRUE(QDir().mkpath(folders.back()));
    }
    ASSERT_TRUE(QDir().mkpath(folders[0] + "/Zelvar_Config.rtf"));
    EXPECT_TRUE(findManual("Zelvar_Config.rtf", folders).isEmpty());
    for (int holding : {2, 1}) {
        testing::writeFile(folders[holding] + "/Zelvar_Config.rtf", "{\\rtf1 x}");
        EXPECT_EQ(findManual("Zelvar_Config.rtf", folders),
                  folders[holding] + "/Zelvar_Config.rtf");
    }
    EXPECT_EQ(findManual(folders[2] + "/Zelvar_Config.rtf", {}), folders[2] + "/Zelvar_Config.rtf");
    EXPECT_TRUE(findManual("", folders).isEmpty());
    const QStringList searched = manualFolders();
    EXPECT_EQ(searched.mid(0, 2),
              QStringList({QDir::currentPath(), QCoreApplication::applicationDirPath()}));
    EXPECT_TRUE(searched.value(2).endsWith("/zelvar-config")) << "where the package puts it";
}

}  // namespace
}  // namespace zelvar
