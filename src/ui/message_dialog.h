#pragma once

#include <QDialog>

#include "transfer/send_sequence.h"

class QLabel;
class QPushButton;

namespace zelvar {

// The small fixed window that shows a send's progress and its final message. The main window
// creates it hidden, as its owner, and closes it when it closes itself.
class MessageDialog : public QDialog, public SendObserver {
    Q_OBJECT

  public:
    explicit MessageDialog(QWidget* owner);

    QLabel* info() const { return info_; }
    QPushButton* okButton() const { return okButton_; }

    // Every text shows whole: it wraps at blanks, and only a text that still does not fit the
    // label is set in smaller type, bold all the same.
    // The text is also the dialog's description, so a screen reader reads it with the dialog
    // and with OK.
    void setText(std::string_view text) override;
    // OK shown means the send is over: it takes the focus, which brings the result to a screen
    // reader at once and lets Enter or Esc put the dialog away.
    void setOkVisible(bool visible) override;
    void showProgress() override;

  signals:
    // The user has put the dialog away (OK, Esc or the close box).
    void dismissed();

  public slots:
    // Esc, like OK and the close box, only hides the dialog: it comes back on the next send.
    void reject() override;

  protected:
    // The user's close request only hides the dialog; the program's close destroys it.
    void closeEvent(QCloseEvent* event) override;

  private:
    void dismiss();
    QFont fittingFont(const QString& text) const;

    QLabel* info_;
    QPushButton* okButton_;
};

}  // namespace zelvar
