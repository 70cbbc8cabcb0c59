#include "ui/message_box.h"

#include <QLabel>

#include "ui/plain_text.h"

namespace zelvar {
namespace {

// Texts in boxes come from files, devices and the system: markup in them is shown, not obeyed
// (no picture loaded from a path a file names, no table nested until the stack runs out), and
// hidden characters by their code.
void showAsPlainText(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

}  // namespace

void showMessageBox(QWidget* parent, const QString& title, const QString& text,
                    QMessageBox::Icon icon) {
    QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
    showAsPlainText(box);
    box.setText(withHiddenShown(text));
    box.exec();
}

void openMessageBox(QWidget* parent, const MessageBoxContent& content,
                    std::function<void()> closed) {
    auto* box = new QMessageBox(content.icon, content.title, QString(), QMessageBox::Ok, parent);
    box->setInformativeText(withHiddenShown(content.informativeText));
    showAsPlainText(*box);
    box->setText(withHiddenShown(content.text));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(content.modality);
    QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)] { closed(); });
    box->show();
}

}  // namespace zelvar
