#include "ui/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace zelvar {
namespace {

constexpr int kSideMargin = 4;
constexpr int kTopMargin = 1;
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
// Advances are rounded; a line exactly as wide as its words might still break.
constexpr int kRoundingRoom = 2;

}  // namespace

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

QSize WrappingButton::sizeHint() const {
    // The break between two words that leaves the wider line narrowest.
    const QFontMetrics metrics = fontMetrics();
    const QStringList words = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int width = metrics.horizontalAdvance(text());
    for (qsizetype split = 1; split < words.size(); ++split) {
        const int first = metrics.horizontalAdvance(words.first(split).join(QLatin1Char(' ')));
        const int second = metrics.horizontalAdvance(words.sliced(split).join(QLatin1Char(' ')));
        width = std::min(width, std::max(first, second));
    }
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, width + kRoundingRoom, 0), kCaptionFlags, text());
    return wrapped.size() + QSize(2 * kSideMargin, 2 * kTopMargin);
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
    const QRect area = rect().adjusted(kSideMargin, kTopMargin, -kSideMargin, -kTopMargin);
    painter.drawItemText(area, kCaptionFlags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

}  // namespace zelvar
