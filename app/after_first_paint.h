#pragma once

#include <Qt>
#include <functional>

class QWidget;

namespace zelvar {

// Runs `work` once, as the first event after the first paint of `window`: by then that picture
// is on the screen. Work the first picture does not need waits for it, so the window shows
// sooner; of several, those given a higher `priority` run first.
void afterFirstPaint(QWidget& window, std::function<void()> work,
                     Qt::EventPriority priority = Qt::NormalEventPriority);

}  // namespace zelvar
