#include "ui/message_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "ui/core_text.h"
#include "ui/latin1_text.h"

namespace zelvar {
namespace {

// The dialog's geometry in pixels (twips / 15).
constexpr QSize kClientSize{302, 128};
constexpr QRect kInfoGeometry{8, 8, 281, 81};
constexpr QRect kOkGeometry{112, 96, 81, 25};
constexpr qreal kInfoPointSize = 13.5;
constexpr qreal kSmallestPointSize = 6;
constexpr qreal kPointStep = 0.5;
constexpr Qt::Alignment kInfoAlignment = Qt::AlignHCenter | Qt::AlignTop;

// The progress texts break lines with CR LF; a label breaks them at LF alone.
QString displayText(std::string_view text) {
    QString shown = fromUtf8(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

}  // namespace

MessageDialog::MessageDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      info_(new QLabel(this)),
      okButton_(new QPushButton(shown(ShownText::Ok), this)) {
    setObjectName("Dialog");
    setWindowTitle(shown(ShownText::MessageTitle));
    setModal(false);
    setFixedSize(kClientSize);
    setAttribute(Qt::WA_DeleteOnClose);

    info_->setObjectName("lblInfo");
    info_->setGeometry(kInfoGeometry);
    info_->setFrameStyle(QFrame::Box | QFrame::Plain);
    info_->setLineWidth(1);
    info_->setAlignment(kInfoAlignment);
    info_->setTextFormat(Qt::PlainText);
    info_->setWordWrap(true);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kInfoPointSize);
    font.setBold(true);
    info_->setFont(font);
    info_->setBackgroundRole(QPalette::Base);
    info_->setForegroundRole(QPalette::Text);
    info_->setAutoFillBackground(true);

    okButton_->setObjectName("OKButton");
    okButton_->setGeometry(kOkGeometry);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &MessageDialog::dismiss);
}

void MessageDialog::setText(std::string_view text) {
    const QString shown = displayText(text);
    info_->setFont(fittingFont(shown));
    info_->setText(shown);
    setAccessibleDescription(shown);
    okButton_->setAccessibleDescription(shown);
}

QFont MessageDialog::fittingFont(const QString& text) const {
    const QRect room = info_->contentsRect();
    QFont font = info_->font();
    for (qreal size = kInfoPointSize; size > kSmallestPointSize; size -= kPointStep) {
        font.setPointSizeF(size);
        const QRect needed =
            QFontMetrics(font).boundingRect(room, kInfoAlignment | Qt::TextWordWrap, text);
        if (room.contains(needed))
            break;
    }
    return font;
}

void MessageDialog::setOkVisible(bool visible) {
    okButton_->setVisible(visible);
    // Hidden, OK would keep the focus it had at the last result, and so the dialog's keys: Enter
    // during the send would put the progress away, and the result with it.
    if (!visible && focusWidget() == okButton_)
        okButton_->clearFocus();
    if (!visible || !isVisible())
        return;
    okButton_->setFocus(Qt::OtherFocusReason);
    raise();
    activateWindow();
}

void MessageDialog::showProgress() {
    show();
    raise();
}

void MessageDialog::reject() {
    dismiss();
}

void MessageDialog::dismiss() {
    hide();
    emit dismissed();
}

void MessageDialog::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        dismiss();
        return;
    }
    event->accept();
}

}  // namespace zelvar
