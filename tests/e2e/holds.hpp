// Checks, from outside, how long each text stood on the screen.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "child.hpp"
#include "texts.hpp"

namespace bailando::testing::e2e {

// How long the text before the output's byte `index` stood before that byte
// came (or, at the end of the output, before the process ended).
inline milliseconds::rep hold_before(const Child& child, std::size_t index) {
  const Clock::time_point last = child.arrival(index - 1);
  const Clock::time_point next =
      index == child.output().size() ? child.ended() : child.arrival(index);
  return std::chrono::duration_cast<milliseconds>(next - last).count();
}

inline void expect_hold(const Child& child, std::size_t index, milliseconds::rep expected,
                        const std::string& what) {
  const auto tolerance = target().tolerance.count();
  const auto held = hold_before(child, index);
  EXPECT_GE(held, expected - tolerance) << what;
  EXPECT_LE(held, expected + tolerance) << what;
}

// The show started at output byte `start` (its first clear): the announcement
// held 3 s, each frame 0.5 s (the very last 5 s), the closing lines 10 s, and
// the whole show within 0.1 s of 44.5 s.
inline void expect_show_holds(const Child& child, std::size_t start) {
  const std::string& out = child.output();
  std::vector<std::size_t> clears;
  for (std::size_t at = out.find(texts::clear_sequence, start); at != std::string::npos;
       at = out.find(texts::clear_sequence, at + 1)) {
    clears.push_back(at);
  }
  ASSERT_EQ(clears.size(), 56U);
  ASSERT_EQ(clears.front(), start);
  expect_hold(child, clears[1], 3000, "the announcement");
  for (std::size_t frame = 1; frame <= 54; ++frame) {
    expect_hold(child, clears[frame + 1], frame == 54 ? 5000 : 500,
                "frame " + std::to_string(frame));
  }
  expect_hold(child, out.size(), 10000, "the closing lines");
  const auto whole =
      std::chrono::duration_cast<milliseconds>(child.ended() - child.arrival(start)).count();
  EXPECT_GE(whole, 44400);
  EXPECT_LE(whole, 44600);
}

}  // namespace bailando::testing::e2e
