#include "ui/message_box.h"

namespace zelvar {

void showMessageBox(QWidget* parent, const QString& title, const QString& text,
                    QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void openMessageBox(QWidget* parent, const MessageBoxContent& content,
                    std::function<void()> closed) {
    auto* box = new QMessageBox(content.icon, content.title, content.text, QMessageBox::Ok, parent);
    box->setInformativeText(content.informativeText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(content.modality);
    QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)] { closed(); });
    box->show();
}

}  // namespace zelvar
