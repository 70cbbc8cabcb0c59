#pragma once

#include <QScrollArea>

namespace zelvar {

// Holds a window's content whole where the screen has the room, and scrolls it where the screen
// is smaller (a laptop at 150 %, 1080 lines at 200 %): the window stays within the screen, and
// the control that takes the focus, by Tab, a mnemonic or the program, is scrolled into view.
// It takes no focus itself, so the keyboard order is the content's.
class ScreenFitArea : public QScrollArea {
    Q_OBJECT

  public:
    ScreenFitArea(QWidget* content, QWidget* parent);

    // The size of the area's window for content of `natural` size in that window: `natural`,
    // else as much as the window's screen takes beside its frame, with room for the scroll bars.
    QSize windowSizeOnScreen(QSize natural) const;

  protected:
    // Tab moves the focus as in any window; the focus's change scrolls, to the whole control
    // rather than an edit's caret.
    bool focusNextPrevChild(bool next) override;

  private:
    void showWhole(const QWidget* control);
};

}  // namespace zelvar
