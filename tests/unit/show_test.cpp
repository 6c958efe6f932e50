#include "show/show.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "scripted_console.hpp"
#include "texts.hpp"

namespace bailando::testing {
namespace {

namespace t = texts;

// The fixture itself, checked against what a person reads off the screen.
TEST(ShowFixture, FramesHaveTheirShape) {
  for (const std::string& frame : t::frames()) {
    const auto p = t::pieces(frame);
    EXPECT_EQ(p[0].size(), 39U) << frame;  // 37 characters and a blank line
    EXPECT_EQ(p[4].size(), 41U) << frame;  // a blank line and 39 characters
    for (const std::string_view figure : {p[1], p[2], p[3]}) {
      EXPECT_TRUE(figure.starts_with("\t\t")) << frame;  // two tab stops in
    }
    EXPECT_EQ(p[3].find('\n'), std::string::npos) << frame;  // the legs have no line end
  }
}

// The whole run on s: announcement, 54 frames in table order with their holds,
// the closing lines, and not one write, clear or pause more.
TEST(Show, PlaysEveryFrameWithItsHoldAndEnds) {
  ScriptedConsole console("s\n");
  EXPECT_THROW(show(console), Ended);

  std::vector<Event> expected = {clear(), write(t::announcement), pause(3000), clear()};
  constexpr int frames = t::cycles * t::frames_per_cycle;
  for (int n = 0; n < frames; ++n) {
    const std::string& frame = t::frames().at(static_cast<std::size_t>(n % t::frames_per_cycle));
    for (const std::string_view piece : t::pieces(frame)) {
      expected.push_back(write(piece));
    }
    expected.push_back(pause(n == frames - 1 ? 5000 : 500));
    expected.push_back(clear());
  }
  expected.insert(expected.end(), {write(t::closing_1), write(t::closing_2), pause(10000), end(1)});

  EXPECT_EQ(console.events(), expected);
  EXPECT_EQ(console.unread(), "s\n");  // the show reads nothing
}

}  // namespace
}  // namespace bailando::testing
