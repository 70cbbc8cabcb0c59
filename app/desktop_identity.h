#pragma once

namespace zelvar {

// Ties the running program to its desktop entry: the desktop file name lets a Wayland
// compositor find the entry's name and icon for the running windows.
void applyDesktopIdentity();

// Every window gets the program's icon from its resources. Reading them is the program's first
// use of Qt's image plugins, a few milliseconds: main sets it once the window shows.
void applyWindowIcon();

}  // namespace zelvar
