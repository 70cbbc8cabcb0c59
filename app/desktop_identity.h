#pragma once

namespace zelvar {

// Ties the running program to its desktop entry: every window gets the program's icon from
// its resources, and the desktop file name lets a Wayland compositor find the entry's name
// and icon for the running windows.
void applyDesktopIdentity();

}  // namespace zelvar
