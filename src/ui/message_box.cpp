#include "ui/message_box.h"

namespace zelvar {

void showMessageBox(QWidget* parent, const QString& title, const QString& text,
                    QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace zelvar
