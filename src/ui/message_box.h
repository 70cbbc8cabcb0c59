#pragma once

#include <QMessageBox>
#include <QString>

namespace zelvar {

// A modal message with one OK button; returns when the user has closed it.
void showMessageBox(QWidget* parent, const QString& title, const QString& text,
                    QMessageBox::Icon icon = QMessageBox::NoIcon);

}  // namespace zelvar
