#include "ui/instructions_viewer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWindow>
#include <algorithm>

#include "rtf/reader.h"
#include "text/translation.h"
#include "ui/core_text.h"
#include "ui/document_colours.h"
#include "ui/manual_lookup.h"
#include "ui/message_box.h"
#include "ui/palette_watcher.h"
#include "ui/picture_fit.h"
#include "ui/window_accessibility.h"

namespace zelvar {
namespace {

constexpr QSize kOpeningSize(622, 315);  // 9330 x 4725 twips
constexpr int kDocumentMargin = 8;

QPointer<InstructionsViewer>& openViewer() {
    static QPointer<InstructionsViewer> viewer;
    return viewer;
}

}  // namespace

InstructionsViewer* InstructionsViewer::open(const QString& fileName, const QString& title) {
    QPointer<InstructionsViewer>& viewer = openViewer();
    const bool created = viewer.isNull();
    if (created) {
        viewer = new InstructionsViewer();  // deletes itself on close
    }
    viewer->fileName_ = fileName;
    viewer->setWindowTitle(QLatin1Char(' ') + title);
    viewer->show();
    if (created) {
        viewer->centreOnScreen();  // once shown, the frame is known on most platforms
    }
    viewer->raise();
    viewer->activateWindow();
    viewer->openedJustNow_ = true;
    viewer->reload();
    return viewer;
}

InstructionsViewer* InstructionsViewer::instance() {
    return openViewer();
}

InstructionsViewer::InstructionsViewer() : view_(new QTextBrowser(this)) {
    installWindowAccessibility();
    setObjectName(QStringLiteral("frmIstruzioni"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromUtf8(translated("manual viewer", "Istruzioni:")));
    resize(kOpeningSize);

    view_->setObjectName(QStringLiteral("rtfIstruzioni"));
    view_->setAccessibleName(fromUtf8(translated("manual viewer", "User manual")));
    view_->setOpenLinks(false);
    showPaletteColours();
    new PaletteWatcher(this, this, [this] { showPaletteColours(); });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &InstructionsViewer::onFocusWindowChanged);
}

// The page in the palette's tool-tip colours, and the manual's own colours readable on it, in a
// dark palette too.
void InstructionsViewer::showPaletteColours() {
    view_->setPalette(QPalette());  // the window's colours again, then the page's on top
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    view_->setPalette(palette);
    if (document_) {
        makeColoursReadable(*document_, palette.color(QPalette::Base));
        layOutAgain();
    }
}

// The view lays a long document out a part at a time; formats changed meanwhile leave the rest
// unlaid, shown blank, unless the whole document is laid out again.
void InstructionsViewer::layOutAgain() {
    document_->markContentsDirty(0, document_->characterCount());
}

void InstructionsViewer::centreOnScreen() {
    const QWidget* active = QApplication::activeWindow();
    const QScreen* screen = active != nullptr ? active->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;  // no screen to centre on: the system places the window
    }
    const QRect area = screen->geometry();
    const QSize whole = frameGeometry().size();
    move(area.x() + (area.width() - whole.width()) / 2,
         area.y() + (area.height() - whole.height()) / 2);
}

void InstructionsViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isMinimized()) {
        view_->setGeometry(0, 0, std::max(1, width()), std::max(1, height()));
        fitPictures();
    }
}

void InstructionsViewer::fitPictures() {
    if (!document_)
        return;
    // The room beside a vertical scroll bar, there or not, so that it coming and going does not
    // move the pictures.
    const int scrollBar = view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    if (fitPicturesToWidth(*document_, view_->contentsRect().width() - scrollBar -
                                           2 * document_->documentMargin()))
        layOutAgain();
}

// Coming to the viewer from another window of the program reads the file again; coming back
// from another application (no focus window in between) does not.
void InstructionsViewer::onFocusWindowChanged(QWindow* focus) {
    const bool toViewer = focus != nullptr && focus == windowHandle();
    if (toViewer && !openedJustNow_ && previousFocus_ != nullptr && previousFocus_ != focus) {
        reload();
    }
    if (focus != nullptr) {
        openedJustNow_ = false;
    }
    previousFocus_ = focus;
}

void InstructionsViewer::reload() {
    if (failed_) {
        return;
    }
    const QString path = findManual(fileName_, manualFolders());
    if (path.isEmpty()) {
        failAndClose(fromUtf8(translated("manual viewer", kMissingManualMessage)) + fileName_);
        return;
    }
    auto* document = new QTextDocument(this);
    const Result<> result = readRtfFile(path, *document);
    if (!result) {
        delete document;
        failAndClose(fromUtf8(translated("manual viewer", kUnreadableManualMessage)) + fileName_ +
                     QStringLiteral("\n") + QString::fromStdString(result.error().reason));
        return;
    }
    document->setDocumentMargin(kDocumentMargin);
    makeColoursReadable(*document, view_->palette().color(QPalette::Base));
    view_->setDocument(document);
    delete document_;
    document_ = document;
    fitPictures();
    view_->moveCursor(QTextCursor::Start);
    view_->verticalScrollBar()->setValue(0);
}

void InstructionsViewer::failAndClose(const QString& message) {
    failed_ = true;
    openMessageBox(
        this, {shown(ShownText::MessageTitle), message, QMessageBox::Critical, {}, Qt::WindowModal},
        [this] { close(); });
}

}  // namespace zelvar
