#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "text/translation.h"

class QTextBrowser;
class QTextDocument;
class QWindow;

namespace zelvar {

// The user manual in a resizable window of its own ("frmIstruzioni"). It reads the file again
// each time the user comes to it from another window of the program, so it always shows the
// file as it is now, from the top.
class InstructionsViewer : public QWidget {
    Q_OBJECT

  public:
    // Opens the viewer (creating and centring it when it is not open) on `fileName` with the
    // caption " " + `title`, or brings the open one to the front with the new caption.
    static InstructionsViewer* open(const QString& fileName, const QString& title = QString());

    // The open viewer, or null.
    static InstructionsViewer* instance();

    QString fileName() const { return fileName_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    InstructionsViewer();

    void showPaletteColours();
    void centreOnScreen();
    // Pictures wider than the page are shown as wide as the page.
    void fitPictures();
    void layOutAgain();
    void reload();
    void onFocusWindowChanged(QWindow* focus);
    void failAndClose(const QString& message);

    QTextBrowser* view_;
    QPointer<QTextDocument> document_;  // the document read last; the view shows it
    QString fileName_;
    QPointer<QWindow> previousFocus_;
    bool openedJustNow_ = false;  // open has read the file; its own activation must not again
    bool failed_ = false;
};

// The messages shown before the viewer closes.
// Shown as translated("manual viewer", ...), the file's name after them.
inline constexpr std::string_view kMissingManualMessage =
    marked("manual viewer", "Manca il file di help ");
inline constexpr std::string_view kUnreadableManualMessage =
    marked("manual viewer", "Il file di help non è leggibile ");

}  // namespace zelvar
