// The real console: standard input and output on a terminal, a pipe or a file.
#pragma once

#include <chrono>

#include "console/console.hpp"

namespace bailando {

// Takes over the terminal while the program runs and gives it back, as it was
// found, on every way out. One per process.
class Terminal final : public Console {
 public:
  Terminal();

  void write(std::string_view text) override;
  std::optional<char> read_char() override;
  void clear_screen() override;
  Ticks now() override;

 private:
  [[noreturn]] void end_process(int status) override;

  std::chrono::steady_clock::time_point start_;
};

}  // namespace bailando
