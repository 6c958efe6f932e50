#include "delay/delay.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <vector>

#include "scripted_console.hpp"

namespace bailando::testing {
namespace {

struct Length {
  float seconds;
  Ticks ticks;

  friend void PrintTo(const Length& length, std::ostream* out) { *out << length.seconds << " s"; }
};

class DelayLength : public ::testing::TestWithParam<Length> {};

// Each reading of the simulated clock advances it by one tick, so the pause
// spans exactly the ticks asked for: one reading to start, then one per tick.
TEST_P(DelayLength, EndsAtTheFirstReadingThatReachesTheTarget) {
  ScriptedConsole console("", 1234);
  wait(console, GetParam().seconds);
  EXPECT_EQ(console.events(), std::vector{pause(GetParam().ticks)});
  EXPECT_EQ(console.readings_taken(), static_cast<std::size_t>(GetParam().ticks) + 1);
}

INSTANTIATE_TEST_SUITE_P(LengthsInUse, DelayLength,
                         ::testing::Values(Length{0.5F, 500}, Length{3.0F, 3000},
                                           Length{5.0F, 5000}, Length{10.0F, 10000}));

struct Readings {
  const char* name;
  float seconds;
  std::vector<Ticks> readings;  // all of them are taken, and no more

  friend void PrintTo(const Readings& c, std::ostream* out) { *out << c.name; }
};

class DelayReadings : public ::testing::TestWithParam<Readings> {};

TEST_P(DelayReadings, StopsAfterTheLastScriptedReading) {
  ScriptedConsole console;
  console.script_clock(GetParam().readings);
  wait(console, GetParam().seconds);
  EXPECT_EQ(console.readings_taken(), GetParam().readings.size());
}

constexpr Ticks old_limit = std::numeric_limits<std::int32_t>::max();
constexpr float not_a_number = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, DelayReadings,
    ::testing::Values(
        // No pause at all still takes one reading after the first.
        Readings{"Zero", 0.0F, {100, 100}}, Readings{"Negative", -2.0F, {100, 100}},
        Readings{"NotANumber", not_a_number, {100, 100}},
        // 100 + 0.4 truncates to 100, which the next reading already reaches.
        Readings{"TruncatedToNothing", 0.0004F, {100, 100}},
        // The test is "not less than the target", not equality.
        Readings{"JumpPastTheTarget", 0.5F, {100, 200, 700}},
        Readings{"ExactlyTheTarget", 0.5F, {100, 599, 600}},
        // A clock that steps back keeps the pause going.
        Readings{"ClockStepsBack", 0.5F, {100, 50, 599, 600}},
        // Where a 32-bit count would have wrapped to negative numbers.
        Readings{"PastTheOld32BitLimit", 3.0F, {old_limit - 1000, old_limit, old_limit + 2000}},
        Readings{"NearTheEndOfTime",
                 10.0F,
                 {std::numeric_limits<Ticks>::max() - 5, std::numeric_limits<Ticks>::max()}}),
    [](const auto& test) { return test.param.name; });

TEST(Delay, CountsOnPastTheOld32BitLimitTickByTick) {
  ScriptedConsole console("", old_limit - 1500);
  wait(console, 3.0F);
  EXPECT_EQ(console.events(), std::vector{pause(3000)});
}

}  // namespace
}  // namespace bailando::testing
