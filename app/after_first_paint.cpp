#include "after_first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <utility>

namespace zelvar {
namespace {

class AfterFirstPaint : public QObject {
  public:
    AfterFirstPaint(QWidget* window, std::function<void()> work, Qt::EventPriority priority)
        : QObject(window), work_(std::move(work)), priority_(priority) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint that starts here is flushed to the screen before the event loop runs
            // again; this event is the first the loop then delivers.
            QCoreApplication::postEvent(this, new QEvent(kPainted), priority_);
        }
        return false;
    }

    bool event(QEvent* event) override {
        if (event->type() != kPainted)
            return QObject::event(event);
        work_();
        deleteLater();
        return true;
    }

  private:
    static constexpr QEvent::Type kPainted = QEvent::User;
    std::function<void()> work_;
    Qt::EventPriority priority_;
};

}  // namespace

void afterFirstPaint(QWidget& window, std::function<void()> work, Qt::EventPriority priority) {
    window.installEventFilter(new AfterFirstPaint(&window, std::move(work), priority));
}

}  // namespace zelvar
