#include "main/dialogue.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "scripted_console.hpp"
#include "texts.hpp"

namespace bailando::testing {
namespace {

using namespace std::string_view_literals;

using texts::complaint;
using texts::goodbye;
using texts::prompt;

using Transcript = std::vector<Event>;

Transcript operator+(Transcript a, const Transcript& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Transcript ask(char answer) {
  return {write(prompt), read(answer)};
}
Transcript ask_until_end() {
  return {write(prompt), read_end()};
}
Transcript complain() {
  return {clear(), write(complaint)};
}
Transcript say_goodbye() {
  return {clear(), write(goodbye), pause(3000), end(1)};
}

// Each wrong answer draws a complaint above a fresh prompt.
Transcript wrong(std::initializer_list<char> answers) {
  Transcript transcript;
  for (const char answer : answers) {
    transcript = transcript + ask(answer) + complain();
  }
  return transcript;
}

struct Case {
  const char* name;
  std::string_view input;
  Transcript transcript;
  std::string_view unread;

  friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

class Dialogue : public ::testing::TestWithParam<Case> {};

TEST_P(Dialogue, WritesClearsPausesAndEndsExactly) {
  ScriptedConsole console(GetParam().input);
  EXPECT_THROW(start_dialogue(console), Ended);
  EXPECT_EQ(console.events(), GetParam().transcript);
  EXPECT_EQ(console.unread(), GetParam().unread);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Dialogue,
    ::testing::Values(
        Case{"No", "n", ask('n') + say_goodbye(), ""},
        // A typed line ends with a line end, which is an answer of its own.
        Case{"NoAndEnter", "n\n", ask('n') + say_goodbye(), "\n"},
        Case{"WrongLineThenNo", "x\nn", wrong({'x', '\n'}) + ask('n') + say_goodbye(), ""},
        Case{"EnterAloneThenNo", "\nn", wrong({'\n'}) + ask('n') + say_goodbye(), ""},
        Case{"UpperCaseIsWrong", "S\nN\nn\n",
             wrong({'S', '\n', 'N', '\n'}) + ask('n') + say_goodbye(), "\n"},
        Case{"NoBeforeYesIsNo", "ns", ask('n') + say_goodbye(), "s"},
        Case{"SpaceAndTabAreWrong", " \tn", wrong({' ', '\t'}) + ask('n') + say_goodbye(), ""},
        Case{"ZeroAndHighBytesAreWrong", "\0\xffn"sv,
             wrong({'\0', '\xff'}) + ask('n') + say_goodbye(), ""},
        // With no answer left to come, the dialogue ends as a no would.
        Case{"EmptyInput", "", ask_until_end() + say_goodbye(), ""},
        Case{"InputEndsAfterAWrongAnswer", "x", wrong({'x'}) + ask_until_end() + say_goodbye(),
             ""}),
    [](const auto& test) { return test.param.name; });

// The rest of the show is checked on its own; here only the hand-over.
TEST(Dialogue, YesAfterAWrongAnswerStartsTheShowAndLeavesTheLineUnread) {
  ScriptedConsole console("xs\nn");
  EXPECT_THROW(start_dialogue(console), Ended);
  const Transcript start =
      wrong({'x'}) + ask('s') + Transcript{clear(), write(texts::announcement)};
  ASSERT_GT(console.events().size(), start.size());
  EXPECT_EQ(Transcript(console.events().begin(), console.events().begin() + std::ssize(start)),
            start);
  EXPECT_EQ(console.events().back(), end(1));
  EXPECT_EQ(console.unread(), "\nn");
}

}  // namespace
}  // namespace bailando::testing
