#pragma once

class QWidget;

namespace zelvar {

// With ZELVAR_EXIT_AFTER_FIRST_PAINT=1 in the environment, the program writes "painted" to its
// standard output as soon as the first picture of `window` is on the screen, and quits. The
// start-up benchmark times a start by that line. Without the variable nothing changes.
void exitAfterFirstPaintWhenAsked(QWidget& window);

}  // namespace zelvar
