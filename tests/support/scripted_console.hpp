// A console for tests: input comes from a script, output and pauses go to a
// transcript, and the clock is simulated so that every reading advances it.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/console.hpp"

namespace bailando::testing {

// What the program did, in order. Consecutive clock readings make one pause,
// as long as the last reading minus the first.
struct Event {
  enum class Kind { write, read, clear, pause, end };
  Kind kind;
  std::string text;  // write: the text; read: the character read, empty at end of input
  long long number;  // pause: milliseconds; end: the exit status

  bool operator==(const Event&) const = default;
};

inline Event write(std::string_view text) {
  return {Event::Kind::write, std::string(text), 0};
}
inline Event read(char c) {
  return {Event::Kind::read, std::string(1, c), 0};
}
inline Event read_end() {
  return {Event::Kind::read, "", 0};
}
inline Event clear() {
  return {Event::Kind::clear, "", 0};
}
inline Event pause(long long ms) {
  return {Event::Kind::pause, "", ms};
}
inline Event end(int status) {
  return {Event::Kind::end, "", status};
}

void PrintTo(const Event& event, std::ostream* out);

// Thrown by end(), so that a test sees the process end without ending itself.
struct Ended {
  int status;
};

class ScriptedConsole final : public Console {
 public:
  explicit ScriptedConsole(std::string_view input = {}, Ticks clock_start = 0)
      : input_(input), clock_(clock_start) {}
  ScriptedConsole(const ScriptedConsole&) = delete;
  ScriptedConsole& operator=(const ScriptedConsole&) = delete;
  ScriptedConsole(ScriptedConsole&&) = delete;
  ScriptedConsole& operator=(ScriptedConsole&&) = delete;
  ~ScriptedConsole() = default;

  // Replaces the simulated clock with these readings; reading past them fails
  // the test instead of hanging it.
  void script_clock(std::vector<Ticks> readings) {
    readings_ = std::move(readings);
    scripted_clock_ = true;
  }

  void write(std::string_view text) override { events_.push_back(bailando::testing::write(text)); }

  std::optional<char> read_char() override {
    if (next_input_ == input_.size()) {
      events_.push_back(read_end());
      return std::nullopt;
    }
    const char c = input_[next_input_++];
    events_.push_back(read(c));
    return c;
  }

  void clear_screen() override { events_.push_back(clear()); }

  Ticks now() override {
    const Ticks reading = next_reading();
    ++readings_taken_;
    if (events_.empty() || events_.back().kind != Event::Kind::pause) {
      pause_start_ = reading;
      events_.push_back(pause(0));
    }
    events_.back().number = reading - pause_start_;
    return reading;
  }

  [[nodiscard]] const std::vector<Event>& events() const { return events_; }
  [[nodiscard]] std::string_view unread() const { return input_.substr(next_input_); }
  [[nodiscard]] std::size_t readings_taken() const { return readings_taken_; }

 private:
  void end_process(int status) override {
    events_.push_back(bailando::testing::end(status));
    throw Ended{status};
  }

  // Far more than a whole run takes (about 45 thousand): a pause that never
  // ends fails the test instead of hanging it.
  static constexpr std::size_t most_readings = 10'000'000;

  Ticks next_reading() {
    if (scripted_clock_) {
      if (readings_taken_ == readings_.size()) {
        throw std::logic_error("the clock was read more often than scripted");
      }
      return readings_[readings_taken_];
    }
    if (readings_taken_ == most_readings) {
      throw std::logic_error("the clock was read without end");
    }
    return clock_++;
  }

  std::string_view input_;
  std::size_t next_input_ = 0;
  Ticks clock_;
  bool scripted_clock_ = false;
  std::vector<Ticks> readings_;
  std::size_t readings_taken_ = 0;
  Ticks pause_start_ = 0;
  std::vector<Event> events_;
};

}  // namespace bailando::testing
