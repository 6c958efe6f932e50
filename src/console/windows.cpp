// The Windows side of the real console.
//
// The console's output mode is switched to interpret escape sequences, so the
// screen is cleared by the same bytes as elsewhere; an old console that lacks
// the mode is blanked through the console API instead. The original mode comes
// back on every way out, Ctrl-C and closing the window included. Input is left
// alone: a console echoes keys only while a read is under way, so keys typed
// during the show are never echoed anyway.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "console/platform.hpp"

namespace bailando::platform {

namespace {

HANDLE output = INVALID_HANDLE_VALUE;
DWORD output_found = 0;          // the console's output mode as found
bool output_is_console = false;  // false for a pipe or a file
bool escapes = false;            // the console interprets escape sequences

BOOL WINAPI on_control(DWORD /*event*/) {
  restore();
  return FALSE;  // the default handler then ends the process
}

}  // namespace

void open() {
  output = GetStdHandle(STD_OUTPUT_HANDLE);
  output_is_console = GetConsoleMode(output, &output_found) != 0;
  if (!output_is_console) {
    return;
  }
  escapes = SetConsoleMode(output, output_found | ENABLE_PROCESSED_OUTPUT |
                                       ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
  SetConsoleCtrlHandler(on_control, TRUE);
}

void echo(bool /*on*/) {}

bool clear_without_escapes() {
  if (!output_is_console || escapes) {
    return false;
  }
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  if (GetConsoleScreenBufferInfo(output, &screen) == 0) {
    return false;
  }
  const DWORD cells = static_cast<DWORD>(screen.dwSize.X) * static_cast<DWORD>(screen.dwSize.Y);
  const COORD home{0, 0};
  DWORD done = 0;
  FillConsoleOutputCharacterA(output, ' ', cells, home, &done);
  FillConsoleOutputAttribute(output, screen.wAttributes, cells, home, &done);
  SetConsoleCursorPosition(output, home);
  return true;
}

void restore() {
  if (output_is_console) {
    SetConsoleMode(output, output_found);
  }
}

}  // namespace bailando::platform
