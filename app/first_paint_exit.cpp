#include "first_paint_exit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

namespace zelvar {
namespace {

class QuitAfterFirstPaint : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint that starts here is flushed to the screen before the event loop runs
            // again; this event is the first the loop then delivers.
            QCoreApplication::postEvent(this, new QEvent(kPainted), Qt::HighEventPriority);
        }
        return false;
    }

    bool event(QEvent* event) override {
        if (event->type() != kPainted)
            return QObject::event(event);
        std::fputs("painted\n", stdout);
        std::fflush(stdout);
        QCoreApplication::quit();
        return true;
    }

  private:
    static constexpr QEvent::Type kPainted = QEvent::User;
};

}  // namespace

void exitAfterFirstPaintWhenAsked(QWidget& window) {
    if (qEnvironmentVariableIntValue("ZELVAR_EXIT_AFTER_FIRST_PAINT") == 1)
        window.installEventFilter(new QuitAfterFirstPaint(&window));
}

}  // namespace zelvar
