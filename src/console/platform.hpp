// What the real console does differently on each platform. Each platform file
// (posix.cpp, windows.cpp) defines these; terminal.cpp holds the rest.
#pragma once

namespace bailando::platform {

// Remembers the terminal as found, arranges for it to be given back on every
// way out, and stops echoing keys typed while the program is not reading.
void open();

// Echo as found while an answer is awaited, no echo otherwise.
void echo(bool on);

// Blanks the screen by other means than the escape sequence; false when the
// escape sequence is the way (it is everywhere but on an old console).
bool clear_without_escapes();

// Gives the terminal back as it was found. Safe to call more than once.
void restore();

}  // namespace bailando::platform
