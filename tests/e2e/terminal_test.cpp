// The built program on a terminal of its own, driven as a user would: keys
// typed, Ctrl-C, Ctrl-Z, signals from outside.
#include <sys/wait.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <string>

#include "child.hpp"
#include "holds.hpp"
#include "texts.hpp"

namespace bailando::testing::e2e {
namespace {

namespace t = texts;

constexpr milliseconds patience(10000);

// What the terminal shows: line ends as CR LF, as the terminal writes them.
std::string screen(std::string_view text) {
  return t::with_line_ends(text, "\r\n");
}

// Types an answer and Enter once the program is waiting for it.
void answer(Child& child, std::string_view keys) {
  ASSERT_TRUE(child.wait_for_echo(true, patience)) << "the program never waited for an answer";
  child.type(keys);
  child.type("\r");
}

class Terminal : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(child.read_until(t::prompt.substr(0, 20), patience)); }

  Child child{Child::Via::terminal};
  const termios found = child.settings_before();
};

TEST_F(Terminal, EchoesOnlyAnswersAndLeavesSettingsAsFound) {
  ASSERT_TRUE(child.read_until(screen(t::prompt), patience));
  answer(child, "x");
  ASSERT_TRUE(child.read_until(screen(t::complaint), patience));
  ASSERT_TRUE(child.read_until("(s/n):", patience, child.output().rfind(screen(t::complaint))));
  answer(child, "n");
  ASSERT_TRUE(child.read_until("Cerrando", patience));
  EXPECT_TRUE(child.wait_for_echo(false, patience));
  child.type("typed during the goodbye\r");

  const int status = child.wait_exit(patience);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(child.output(), screen(std::string(t::prompt) + "x\n" + t::complaint_screen() +
                                   t::complaint_screen() + "n\n" + t::goodbye_screen()));
  expect_hold(child, child.output().size(), 3000, "the goodbye");
  EXPECT_TRUE(same_settings(child.settings(), found));
  // Keys typed ahead are left for whoever reads the terminal next.
  EXPECT_EQ(child.unread_input(), "typed during the goodbye\n");
}

TEST_F(Terminal, ShowDrawsEachFrameAtOnceAndNeverEchoes) {
  answer(child, "s");
  ASSERT_TRUE(child.read_until(screen(t::announcement), patience));
  child.type("abc\r");
  ASSERT_TRUE(child.read_until(t::closing_1.substr(0, 10), milliseconds(60000)));
  child.type("xyz");

  const int status = child.wait_exit(milliseconds(20000));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(child.output(), screen(std::string(t::prompt) + "s\n" + t::show_output()));
  expect_show_holds(child, screen(std::string(t::prompt) + "s\n").size());
  EXPECT_TRUE(same_settings(child.settings(), found));
  EXPECT_EQ(child.unread_input(), "abc\n");  // a line not yet ended waits for its Enter
}

struct Ending {
  const char* name;
  int signal;
  const char* key;  // typed on the terminal, or nullptr to signal from outside

  friend void PrintTo(const Ending& c, std::ostream* out) { *out << c.name; }
};

class TerminalEnding : public Terminal, public ::testing::WithParamInterface<Ending> {};

// Mid-show, with the echo off: the settings come back and the process dies of
// the signal, as the shell expects.
TEST_P(TerminalEnding, RestoresSettingsAndDiesOfTheSignal) {
  answer(child, "s");
  ASSERT_TRUE(child.read_until(screen(t::announcement), patience));
  ASSERT_FALSE((child.settings().c_lflag & ECHO) != 0);
  if (GetParam().key != nullptr) {
    child.type(GetParam().key);
  } else {
    kill(child.pid(), GetParam().signal);
  }
  const int status = child.wait_exit(patience);
  ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
  EXPECT_EQ(WTERMSIG(status), GetParam().signal);
  EXPECT_TRUE(same_settings(child.settings(), found));
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminalEnding,
                         ::testing::Values(Ending{"CtrlC", SIGINT, "\x03"},
                                           Ending{"CtrlBackslash", SIGQUIT, "\x1c"},
                                           Ending{"Term", SIGTERM, nullptr},
                                           Ending{"Hangup", SIGHUP, nullptr}),
                         [](const auto& test) { return test.param.name; });

TEST_F(Terminal, CtrlZSuspendsWithSettingsBackAndResumesQuiet) {
  answer(child, "s");
  ASSERT_TRUE(child.read_until(screen(t::announcement), patience));
  child.type("\x1a");
  ASSERT_TRUE(child.wait_stopped(patience));
  EXPECT_TRUE(same_settings(child.settings(), found));

  kill(child.pid(), SIGCONT);
  EXPECT_TRUE(child.wait_for_echo(false, patience));
  kill(child.pid(), SIGTERM);
  const int status = child.wait_exit(patience);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
  EXPECT_TRUE(same_settings(child.settings(), found));
}

}  // namespace
}  // namespace bailando::testing::e2e
