#pragma once

#include <QDialog>

#include "transfer/send_sequence.h"

class QLabel;
class QPushButton;

namespace zelvar {

// The small fixed window that shows a send's progress and its final message. The main window
// creates it hidden, as its owner, and closes it when it closes itself.
class Dialog : public QDialog, public SendObserver {
    Q_OBJECT

  public:
    explicit Dialog(QWidget* owner);

    QLabel* info() const { return info_; }
    QPushButton* okButton() const { return okButton_; }

    void setText(std::string_view text) override;
    void setOkVisible(bool visible) override;
    void showProgress() override;
    // A modal message box with the layer's description, titled with the application's name.
    void sendFailed(std::string_view description) override;

  protected:
    // The user's close request only hides the dialog; the program's close destroys it.
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* info_;
    QPushButton* okButton_;
};

}  // namespace zelvar
