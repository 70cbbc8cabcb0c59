#include "ui/palette_watcher.h"

#include <QEvent>
#include <QWidget>

namespace zelvar {

PaletteWatcher::PaletteWatcher(QWidget* window, QObject* owner, std::function<void()> changed)
    : QObject(owner), changed_(std::move(changed)) {
    window->installEventFilter(this);
}

bool PaletteWatcher::eventFilter(QObject* watched, QEvent* event) {
    const bool paletteChanged =
        event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange;
    if (paletteChanged && !pending_) {
        // The children take the new palette after their window is told: answer once they have.
        pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                pending_ = false;
                changed_();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zelvar
