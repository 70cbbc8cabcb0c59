#include "ui/advice_marks.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/core_text.h"
#include "ui/palette_colours.h"

namespace zelvar {
namespace {

constexpr int kMarkSize = 6;
constexpr int kCornerSize = 9;
const QColor kWarningColour(214, 72, 0);
const QColor kHintColour(24, 100, 200);

// The tip and the description are the field's own, then the notes' lines after a blank line;
// the part added last time is taken off first (a counter may have written the description since).
// A field with no tip of its own has the lines alone.
QString withLines(const QString& own, const QString& before, const QString& now) {
    QString base = own;
    const QString added = QStringLiteral("\n\n") + before;
    if (!before.isEmpty() && base == before)
        base.clear();
    else if (!before.isEmpty() && base.endsWith(added))
        base.chop(added.size());
    if (now.isEmpty())
        return base;
    return base.isEmpty() ? now : base + QStringLiteral("\n\n") + now;
}

}  // namespace

AdviceMarks::AdviceMarks(QWidget* form, const FormControls& controls)
    : QWidget(form), controls_(controls) {
    setObjectName(QStringLiteral("adviceMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(form->rect());
    form->installEventFilter(this);
    raise();
}

void AdviceMarks::show(const std::vector<AdviceNote>& notes) {
    std::array<Mark, kFieldCount> now{};
    for (const AdviceNote& note : notes) {
        Mark& mark = now[static_cast<std::size_t>(note.field)];
        // A warning outranks a hint on the same field.
        if (!mark.level || note.level == AdviceLevel::Warning)
            mark.level = note.level;
        if (!mark.lines.isEmpty())
            mark.lines += QLatin1Char('\n');
        mark.lines += fromUtf8(adviceLine(note));
    }
    // Every noted field again: a counter may have written the field's description since.
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (!now[i].lines.isEmpty() || !marks_[i].lines.isEmpty())
            describe(static_cast<Field>(i), now[i].lines);
    }
    marks_ = now;
    raise();
    update();
}

std::optional<AdviceLevel> AdviceMarks::levelOf(Field field) const {
    return marks_[static_cast<std::size_t>(field)].level;
}

void AdviceMarks::describe(Field field, const QString& lines) {
    QWidget* control = controls_.fields[static_cast<std::size_t>(field)];
    const QString& before = marks_[static_cast<std::size_t>(field)].lines;
    control->setToolTip(withLines(control->toolTip(), before, lines));
    control->setAccessibleDescription(withLines(control->accessibleDescription(), before, lines));
}

void AdviceMarks::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor background = palette().color(QPalette::Window);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const Mark& mark = marks_[i];
        const QWidget* control = controls_.fields[i];
        if (!mark.level || !control || !control->isVisibleTo(parentWidget()))
            continue;
        const QRect frame(control->mapTo(parentWidget(), QPoint(0, 0)), control->size());
        const bool warning = *mark.level == AdviceLevel::Warning;
        painter.setPen(Qt::NoPen);
        painter.setBrush(readableOn(warning ? kWarningColour : kHintColour, background));
        if (warning) {
            // A corner cut off the field's top right.
            QPainterPath corner;
            const QPointF topRight(frame.right() + 1, frame.top());
            corner.moveTo(topRight - QPointF(kCornerSize, 0));
            corner.lineTo(topRight);
            corner.lineTo(topRight + QPointF(0, kCornerSize));
            corner.closeSubpath();
            painter.drawPath(corner);
        } else {
            painter.drawEllipse(
                QRect(frame.right() - kMarkSize, frame.top() + 1, kMarkSize, kMarkSize));
        }
    }
}

bool AdviceMarks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

}  // namespace zelvar
