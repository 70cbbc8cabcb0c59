#include "ui/screen_fit_area.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace zelvar {
namespace {

// Room beside the control scrolled into view, for a glimpse of its neighbours.
constexpr int kRoundControl = 6;

// The frame the window manager puts round the window: known once it has shown the window, until
// then the style's title bar and frame.
QSize frameOf(const QWidget* window) {
    const QSize frame = window->frameGeometry().size() - window->size();
    if (!frame.isEmpty())
        return frame;
    const QStyle* style = window->style();
    const int border = 2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {border, border + style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window)};
}

}  // namespace

ScreenFitArea::ScreenFitArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(content);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && widget()->isAncestorOf(now))
            showWhole(now);
    });
}

bool ScreenFitArea::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
}

// The whole control and a little round it, not only an edit's caret, as far as the view has room.
void ScreenFitArea::showWhole(const QWidget* control) {
    const QRect place(control->mapTo(widget(), QPoint()), control->size());
    const QSize slack = viewport()->size() - place.size();
    const auto round = [](int room) { return std::clamp((room - 1) / 2, 0, kRoundControl); };
    ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + round(slack.width()),
                  place.height() / 2 + round(slack.height()));
}

QSize ScreenFitArea::windowSizeOnScreen(QSize natural) const {
    const QWidget* shown = window();
    const QSize room = shown->screen()->availableGeometry().size() - frameOf(shown);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // A scroll bar on one side takes room the other side then lacks.
    const bool tall = natural.height() > room.height() ||
                      (natural.width() > room.width() && natural.height() + bar > room.height());
    const bool wide = natural.width() + (tall ? bar : 0) > room.width();
    const QSize size = natural + QSize(tall ? bar : 0, wide ? bar : 0);
    return size.boundedTo(room);
}

}  // namespace zelvar
