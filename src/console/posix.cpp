// The POSIX side of the real console (Linux, macOS and the like).
//
// When standard input is a terminal, its echo is turned off for the whole run
// and back on only while an answer is awaited, so keys typed during the show
// and the pauses never land on the screen. Whatever way the program leaves
// (the normal end, Ctrl-C, SIGTERM, SIGHUP, SIGQUIT), the settings it found
// are put back first; Ctrl-Z suspends with them put back too.

#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

#include "console/platform.hpp"

namespace bailando::platform {

namespace {

// Shared with the signal handlers, so only plain data, written before the
// handlers are installed or as a single sig_atomic_t.
termios found{};  // as the program found it
termios quiet{};  // the same without echo
volatile std::sig_atomic_t have_terminal = 0;
volatile std::sig_atomic_t echoing = 0;

// Signals that end the process: the terminal is put back, then the signal is
// delivered again with its default action so the shell sees the usual status.
constexpr std::array ending_signals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// TCSANOW and never a flush: keys typed ahead stay queued for whoever reads
// next. Async-signal-safe.
void apply(const termios& settings) {
  while (tcsetattr(STDIN_FILENO, TCSANOW, &settings) == -1 && errno == EINTR) {
  }
}

void set_handler(int sig, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // a read or write under way carries on
  sigaction(sig, &action, nullptr);
}

bool ignored(int sig) {
  struct sigaction current {};
  sigaction(sig, nullptr, &current);
  return current.sa_handler == SIG_IGN;  // NOLINT(cppcoreguidelines-pro-type-cstyle-cast)
}

// Raises `sig` with its default action. A handler runs with its own signal
// blocked, so it is unblocked for the raised one to take effect here.
void redeliver(int sig) {
  set_handler(sig, SIG_DFL);
  static_cast<void>(std::raise(sig));
  sigset_t only{};
  sigemptyset(&only);
  sigaddset(&only, sig);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
}

void on_ending_signal(int sig) {
  apply(found);
  redeliver(sig);
}

void on_stop_signal(int sig) {
  const int saved_errno = errno;
  apply(found);
  redeliver(sig);  // the process stops here until it is continued
  set_handler(sig, on_stop_signal);
  apply(echoing != 0 ? found : quiet);
  errno = saved_errno;
}

}  // namespace

void open() {
  // A reader that has gone away must not kill the program: writes then fail
  // quietly instead.
  set_handler(SIGPIPE, SIG_IGN);

  if (isatty(STDIN_FILENO) == 0 || tcgetattr(STDIN_FILENO, &found) != 0) {
    return;
  }
  quiet = found;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
  have_terminal = 1;

  // Signals ignored by whoever started the program stay ignored.
  for (const int sig : ending_signals) {
    if (!ignored(sig)) {
      set_handler(sig, on_ending_signal);
    }
  }
  if (!ignored(SIGTSTP)) {
    set_handler(SIGTSTP, on_stop_signal);
  }
  apply(quiet);
}

void echo(bool on) {
  if (have_terminal == 0) {
    return;
  }
  echoing = on ? 1 : 0;
  apply(on ? found : quiet);
}

bool clear_without_escapes() {
  return false;
}

void restore() {
  if (have_terminal != 0) {
    apply(found);
  }
}

}  // namespace bailando::platform
