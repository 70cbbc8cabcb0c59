#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

namespace zelvar {

// A modal message with one OK button; returns when the user has closed it. Every text is shown
// as plain text.
void showMessageBox(QWidget* parent, const QString& title, const QString& text,
                    QMessageBox::Icon icon = QMessageBox::NoIcon);

struct MessageBoxContent {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString informativeText;  // under the text, smaller; none when empty
    Qt::WindowModality modality = Qt::ApplicationModal;
};

// The same message, modal to the whole program unless told otherwise, but shown from the event
// loop: the call returns at once and `closed` runs when the user has closed the box.
void openMessageBox(QWidget* parent, const MessageBoxContent& content,
                    std::function<void()> closed);

}  // namespace zelvar
