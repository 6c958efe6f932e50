// The built program with its input and output on pipes.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "child.hpp"
#include "holds.hpp"
#include "texts.hpp"

namespace bailando::testing::e2e {
namespace {

namespace t = texts;

constexpr milliseconds patience(10000);

std::string lines(std::string_view text) {
  return t::with_line_ends(text, target().line_end);
}

void expect_exit_status_1(int status) {
  ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

struct Case {
  const char* name;
  std::string input;     // with \n for each line end
  std::string expected;  // all of the output, with \n for each line end

  friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

class Pipe : public ::testing::TestWithParam<Case> {};

// The goodbye stands for 3 seconds after its last byte, then the process ends.
TEST_P(Pipe, AnswersThenSaysGoodbye) {
  Child child(Child::Via::pipes);
  child.type(lines(GetParam().input));
  child.close_input();
  expect_exit_status_1(child.wait_exit(patience));
  EXPECT_EQ(child.output(), lines(GetParam().expected));
  expect_hold(child, child.output().size(), 3000, "the goodbye");
}

INSTANTIATE_TEST_SUITE_P(Answers, Pipe,
                         ::testing::Values(Case{"WrongLineThenNo", "x\nn",
                                                std::string(t::prompt) + t::complaint_screen() +
                                                    t::complaint_screen() + t::goodbye_screen()},
                                           Case{"EmptyInput", "",
                                                std::string(t::prompt) + t::goodbye_screen()}),
                         [](const auto& test) { return test.param.name; });

// `bailando | head -c 10`: the rest of the output is lost, and that is all.
TEST(PipeReader, GoneAwayDoesNotKillTheProgram) {
  Child child(Child::Via::pipes);
  ASSERT_TRUE(child.read_until(t::prompt.substr(0, 10), patience));
  child.close_output();
  child.type("x\nn");
  child.close_input();
  expect_exit_status_1(child.wait_exit(patience));
}

TEST(PipeShow, WritesEveryByteAndHoldsEveryFrame) {
  Child child(Child::Via::pipes);
  child.type(lines("s\n"));
  child.close_input();
  expect_exit_status_1(child.wait_exit(milliseconds(60000)));
  EXPECT_EQ(child.output(), lines(std::string(t::prompt) + t::show_output()));
  expect_show_holds(child, lines(t::prompt).size());
}

}  // namespace
}  // namespace bailando::testing::e2e
