#include "first_paint_exit.h"

#include <QCoreApplication>
#include <cstdio>

#include "after_first_paint.h"

namespace zelvar {

void exitAfterFirstPaintWhenAsked(QWidget& window) {
    if (qEnvironmentVariableIntValue("ZELVAR_EXIT_AFTER_FIRST_PAINT") != 1)
        return;
    // Ahead of the program's own work that waits for the first paint.
    afterFirstPaint(
        window,
        [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        },
        Qt::HighEventPriority);
}

}  // namespace zelvar
