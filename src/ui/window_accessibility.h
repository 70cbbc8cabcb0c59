#pragma once

namespace zelvar {

// Teaches screen readers two things about this program's widgets: its windows are frames (or
// dialogs) rather than anonymous panes, and a LabelledList is named by its label, its entry
// being its value. Installed once, before any of them is asked for.
void installWindowAccessibility();

}  // namespace zelvar
