#include "console/terminal.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "console/platform.hpp"

namespace bailando {

namespace {

// Home, erase the screen, erase the scrollback: what clearing a console does.
constexpr std::string_view clear_sequence = "\x1b[H\x1b[2J\x1b[3J";

// The C runtime's buffers, given here so that it allocates none of its own.
std::array<char, BUFSIZ> input_buffer{};
std::array<char, BUFSIZ> output_buffer{};

}  // namespace

Terminal::Terminal() : start_(std::chrono::steady_clock::now()) {
  static_cast<void>(std::setvbuf(stdin, input_buffer.data(), _IOFBF, input_buffer.size()));
  static_cast<void>(std::setvbuf(stdout, output_buffer.data(), _IOFBF, output_buffer.size()));
  platform::open();
}

// Failures are not reported: a reader that has gone away only loses the text.
void Terminal::write(std::string_view text) {
  static_cast<void>(std::fwrite(text.data(), 1, text.size(), stdout));
  static_cast<void>(std::fflush(stdout));
}

// Through the C runtime's buffer, so that the rest of a typed line stays with
// the program instead of reaching the shell after it.
std::optional<char> Terminal::read_char() {
  platform::echo(true);
  const int c = std::getchar();
  platform::echo(false);
  if (c == EOF) {
    return std::nullopt;
  }
  return static_cast<char>(c);
}

void Terminal::clear_screen() {
  if (!platform::clear_without_escapes()) {
    write(clear_sequence);
  }
}

// A wall clock, not processor time: a pause must not stretch while a busy
// machine keeps the program waiting for a processor.
Ticks Terminal::now() {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

// Every write has been flushed already, so nothing is left to lose.
void Terminal::end_process(int status) {
  platform::restore();
  std::exit(status);
}

}  // namespace bailando
