#include "delay/delay.hpp"

#include <cmath>
#include <limits>

namespace bailando {

namespace {

constexpr double ticks_per_second = 1000.0;

// Truncates toward zero; a target past what Ticks holds (or not a number at
// all) is clamped instead of being undefined.
Ticks to_ticks(double target, Ticks start) {
  constexpr double past_last = 9223372036854775808.0;  // 2^63
  if (std::isnan(target)) {                            // no pause at all
    return start;
  }
  if (target >= past_last) {
    return std::numeric_limits<Ticks>::max();
  }
  if (target < -past_last) {
    return std::numeric_limits<Ticks>::min();
  }
  return static_cast<Ticks>(target);
}

}  // namespace

void wait(Console& console, float seconds) {
  const Ticks start = console.now();
  const Ticks endwait =
      to_ticks(static_cast<double>(start) + static_cast<double>(seconds) * ticks_per_second, start);
  while (console.now() < endwait) {
  }
}

}  // namespace bailando
