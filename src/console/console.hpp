// The five services through which the dialogue, the show and the pause reach
// the outside world. The real terminal implements them; tests script them.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace bailando {

// Milliseconds. Signed 64-bit so that no run, however long, wraps around.
using Ticks = std::int64_t;

// Every way out of the program ends with this status.
inline constexpr int exit_status = 1;

class Console {
 public:
  Console() = default;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  Console(Console&&) = delete;
  Console& operator=(Console&&) = delete;
  virtual ~Console() = default;

  // Writes the text unchanged; it is visible when the call returns.
  virtual void write(std::string_view text) = 0;
  // The next byte of input, or nothing at end of input or on a read error.
  virtual std::optional<char> read_char() = 0;
  // Blanks the screen and puts the cursor in its top left corner.
  virtual void clear_screen() = 0;
  // Milliseconds of a monotonic clock since the program started.
  virtual Ticks now() = 0;
  // Leaves the outside world as it was found and ends the process.
  [[noreturn]] void end(int status) {
    end_process(status);
    std::abort();  // an implementation that came back would be a bug
  }

 private:
  // Does not return: ends the process (or, in tests, throws).
  virtual void end_process(int status) = 0;
};

}  // namespace bailando
