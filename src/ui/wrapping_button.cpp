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
    // The break between two words that leaves the wider line narrowest; the "&" of the
    // mnemonic takes no room.
    const QFontMetrics metrics = fontMetrics();
    const QString caption = shownCaption();
    const QStringList words = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int width = metrics.horizontalAdvance(caption);
    for (qsizetype split = 1; split < words.size(); ++split) {
        const int first = metrics.horizontalAdvance(words.first(split).join(QLatin1Char(' ')));
        const int second = metrics.horizontalAdvance(words.sliced(split).join(QLatin1Char(' ')));
        width = std::min(width, std::max(first, second));
    }
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, width + kRoundingRoom, 0), kCaptionFlags, caption);
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
    const int mnemonic = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)
                             ? Qt::TextShowMnemonic
                             : Qt::TextHideMnemonic;
    painter.drawItemText(area, kCaptionFlags | mnemonic, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

QString WrappingButton::shownCaption() const {
    // "&&" stands for one "&"; a single "&" marks the next letter.
    QString caption;
    const QString marked = text();
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == u'&' && ++i == marked.size())
            break;
        caption.append(marked[i]);
    }
    return caption;
}

}  // namespace zelvar
