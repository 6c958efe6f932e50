// Runs the built program as a user would, through pipes or on a terminal of
// its own, and records every byte it writes with the moment it arrived.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bailando::testing::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How the program is started and what it writes for a line end. The built
// program by default; BAILANDO_COMMAND (words split at spaces) and
// BAILANDO_LINE_END=crlf run another build, such as the Windows one.
struct Target {
  std::vector<std::string> command;
  std::string line_end;
  milliseconds tolerance;
};
const Target& target();

class Child {
 public:
  enum class Via { pipes, terminal };

  explicit Child(Via via);
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  Child(Child&&) = delete;
  Child& operator=(Child&&) = delete;
  ~Child();

  // Keys typed, or bytes piped, into the program's standard input.
  void type(std::string_view keys) const;
  // Pipes only: end of input, and a reader of the output that goes away.
  void close_input();
  void close_output();

  // Reads output until it holds `text` at or after `from`; false on timeout.
  bool read_until(std::string_view text, milliseconds timeout, std::size_t from = 0);
  // Reads output until the process ends; returns its wait status.
  int wait_exit(milliseconds timeout);
  // Waits until the process stops (Ctrl-Z); false on timeout.
  bool wait_stopped(milliseconds timeout) const;

  // Terminal only: its settings now, as the program sees them.
  [[nodiscard]] termios settings() const;
  // Terminal only: its settings as a fresh terminal starts, before the program.
  [[nodiscard]] const termios& settings_before() const { return before_; }
  // Terminal only: waits until echo is on (or off); false on timeout.
  bool wait_for_echo(bool on, milliseconds timeout) const;
  // Terminal only: input queued on the terminal that nobody has read.
  [[nodiscard]] std::string unread_input() const;

  // The program itself (on a terminal, the child is the session around it).
  [[nodiscard]] pid_t pid() const { return program_; }
  [[nodiscard]] const std::string& output() const { return output_; }
  // When the byte at `index` of the output arrived.
  [[nodiscard]] Clock::time_point arrival(std::size_t index) const;
  [[nodiscard]] Clock::time_point ended() const { return ended_; }

 private:
  // Reads what is there, waiting at most until `deadline`; false once the
  // process has ended and its output is drained.
  bool pump(Clock::time_point deadline);

  Via via_;
  pid_t pid_ = -1;      // the process we wait for
  pid_t program_ = -1;  // the program, which is that process or its child
  int input_ = -1;      // our end of its standard input (the terminal's master)
  int output_fd_ = -1;  // our end of its standard output (the same master)
  int terminal_ = -1;   // the terminal's slave side, kept open to read its state
  int pidfd_ = -1;
  termios before_{};
  bool exited_ = false;
  int status_ = 0;
  std::string output_;
  std::vector<std::pair<std::size_t, Clock::time_point>> arrivals_;  // end of chunk, when
  Clock::time_point ended_{};
};

// The settings that matter to a user, compared field by field.
bool same_settings(const termios& a, const termios& b);

}  // namespace bailando::testing::e2e
