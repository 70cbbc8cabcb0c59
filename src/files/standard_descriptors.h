#pragma once

namespace zelvar {

// A standard descriptor that the caller closed keeps its number taken, by one that refuses every
// write: otherwise the serial port or a file opened next would get it, and what is meant for the
// terminal would go onto the line or into the file. Output to it fails as to any closed
// descriptor. Called first thing in main, before any other descriptor is opened.
void holdClosedStandardDescriptors();

}  // namespace zelvar
