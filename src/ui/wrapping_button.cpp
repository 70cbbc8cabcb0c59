#include "ui/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace zelvar {
namespace {

constexpr int kCaptionMargin = 4;
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

}  // namespace

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

QSize WrappingButton::sizeHint() const {
    // As wide as the longest word, as high as the wrapped lines.
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, widest, 0), kCaptionFlags, text());
    return wrapped.size() + QSize(4 * kCaptionMargin, 2 * kCaptionMargin);
}

QSize WrappingButton::minimumSizeHint() const {
    return sizeHint();
}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area =
        rect().adjusted(kCaptionMargin, kCaptionMargin, -kCaptionMargin, -kCaptionMargin);
    painter.drawItemText(area, kCaptionFlags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

}  // namespace zelvar
