#include "child.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace bailando::testing::e2e {

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
  }
}

void close_fd(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

// The child starts from a clean slate whatever the test runner inherited:
// default signal actions, nothing blocked, no core files.
void reset_child() {
  for (const int sig : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP, SIGPIPE, SIGTTOU, SIGTTIN}) {
    std::signal(sig, SIG_DFL);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  const rlimit no_core{0, 0};
  setrlimit(RLIMIT_CORE, &no_core);
}

[[noreturn]] void exec_target() {
  std::vector<char*> argv;
  for (const std::string& word : target().command) {
    argv.push_back(const_cast<char*>(word.c_str()));
  }
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

// Stands in for a shell with job control: leads the terminal's session and
// runs the program as the terminal's foreground job, so that Ctrl-Z can stop
// it. Reports the program's pid, then ends as the program ended.
[[noreturn]] void run_session(int terminal, int report) {
  setsid();
  ioctl(terminal, TIOCSCTTY, 0);
  const pid_t program = fork();
  if (program == 0) {
    setpgid(0, 0);
    std::signal(SIGTTOU, SIG_IGN);
    tcsetpgrp(terminal, getpgrp());
    dup2(terminal, STDIN_FILENO);
    dup2(terminal, STDOUT_FILENO);
    dup2(terminal, STDERR_FILENO);
    reset_child();
    exec_target();
  }
  if (::write(report, &program, sizeof program) != sizeof program) {
    _exit(126);
  }
  int status = 0;
  while (waitpid(program, &status, 0) == -1 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    reset_child();
    std::raise(WTERMSIG(status));
  }
  _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 125);
}

}  // namespace

const Target& target() {
  static const Target chosen = [] {
    Target t{{BAILANDO_PROGRAM}, "\n", milliseconds(BAILANDO_TOLERANCE_MS)};
    if (const char* command = std::getenv("BAILANDO_COMMAND")) {
      t.command.clear();
      std::istringstream words(command);
      for (std::string word; words >> word;) {
        t.command.push_back(word);
      }
    }
    if (const char* line_end = std::getenv("BAILANDO_LINE_END");
        line_end != nullptr && std::string_view(line_end) == "crlf") {
      t.line_end = "\r\n";
    }
    if (const char* tolerance = std::getenv("BAILANDO_TOLERANCE_MS")) {
      t.tolerance = milliseconds(std::strtol(tolerance, nullptr, 10));
    }
    return t;
  }();
  return chosen;
}

Child::Child(Via via) : via_(via) {
  std::signal(SIGPIPE, SIG_IGN);  // typing into a program that has ended
  if (via == Via::pipes) {
    std::array<int, 2> in{};
    std::array<int, 2> out{};
    check(pipe2(in.data(), O_CLOEXEC) == 0, "pipe");
    check(pipe2(out.data(), O_CLOEXEC) == 0, "pipe");
    pid_ = fork();
    check(pid_ >= 0, "fork");
    if (pid_ == 0) {
      reset_child();
      dup2(in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      exec_target();
    }
    ::close(in[0]);
    ::close(out[1]);
    input_ = in[1];
    output_fd_ = out[0];
    program_ = pid_;
  } else {
    int master = -1;
    int slave = -1;
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    check(openpty(&master, &slave, nullptr, nullptr, &size) == 0, "openpty");
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    check(tcgetattr(slave, &before_) == 0, "tcgetattr");
    std::array<int, 2> report{};
    check(pipe2(report.data(), O_CLOEXEC) == 0, "pipe");
    pid_ = fork();
    check(pid_ >= 0, "fork");
    if (pid_ == 0) {
      run_session(slave, report[1]);
    }
    ::close(report[1]);
    check(::read(report[0], &program_, sizeof program_) == sizeof program_, "read the pid");
    ::close(report[0]);
    input_ = master;
    output_fd_ = master;
    terminal_ = slave;
  }
  // Becomes readable the moment the process ends: the end of a pause is timed
  // as closely as the output.
  pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  check(pidfd_ >= 0, "pidfd_open");
}

Child::~Child() {
  if (!exited_) {
    kill(program_, SIGKILL);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (input_ != output_fd_) {
    close_fd(input_);
  }
  close_fd(output_fd_);
  close_fd(terminal_);
  close_fd(pidfd_);
}

void Child::type(std::string_view keys) const {
  while (!keys.empty()) {
    const ssize_t n = ::write(input_, keys.data(), keys.size());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    check(n > 0, "write to the program");
    keys.remove_prefix(static_cast<std::size_t>(n));
  }
}

void Child::close_input() {
  close_fd(input_);
}

void Child::close_output() {
  close_fd(output_fd_);
}

bool Child::pump(Clock::time_point deadline) {
  if (exited_) {
    return false;
  }
  std::array<pollfd, 2> fds{{{output_fd_, POLLIN, 0}, {pidfd_, POLLIN, 0}}};
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
  const int ready = poll(fds.data(), fds.size(), static_cast<int>(std::max<long>(0, left.count())));
  const Clock::time_point now = Clock::now();
  if (ready < 0) {
    check(errno == EINTR, "poll");
    return true;
  }
  if (output_fd_ >= 0 && (fds[0].revents & (POLLIN | POLLHUP)) != 0) {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::read(output_fd_, buffer.data(), buffer.size());
    if (n > 0) {
      output_.append(buffer.data(), static_cast<std::size_t>(n));
      arrivals_.emplace_back(output_.size(), now);
      return true;  // the rest of the output comes before the end
    }
    if (n == 0) {
      close_output();  // it closed its output but may still run
    }
  }
  if ((fds[1].revents & POLLIN) != 0) {
    ended_ = now;
    if (output_fd_ >= 0) {  // drain what the process wrote last
      fcntl(output_fd_, F_SETFL, fcntl(output_fd_, F_GETFL) | O_NONBLOCK);
      std::array<char, 4096> buffer{};
      for (ssize_t n = 0; (n = ::read(output_fd_, buffer.data(), buffer.size())) > 0;) {
        output_.append(buffer.data(), static_cast<std::size_t>(n));
        arrivals_.emplace_back(output_.size(), now);
      }
    }
    check(waitpid(pid_, &status_, 0) == pid_, "waitpid");
    exited_ = true;
    return false;
  }
  return true;
}

bool Child::read_until(std::string_view text, milliseconds timeout, std::size_t from) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (output_.find(text, from) == std::string::npos) {
    if (Clock::now() >= deadline || !pump(deadline)) {
      return output_.find(text, from) != std::string::npos;
    }
  }
  return true;
}

int Child::wait_exit(milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (!exited_ && Clock::now() < deadline) {
    pump(deadline);
  }
  if (!exited_) {
    throw std::runtime_error("the program did not end in time");
  }
  return status_;
}

bool Child::wait_stopped(milliseconds timeout) const {
  const std::string stat_file = "/proc/" + std::to_string(program_) + "/stat";
  const Clock::time_point deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    std::ifstream stat(stat_file);
    std::string line;
    std::getline(stat, line);
    const std::size_t state = line.rfind(") ");
    if (state != std::string::npos && line.compare(state + 2, 1, "T") == 0) {
      return true;
    }
    std::this_thread::sleep_for(milliseconds(1));
  }
  return false;
}

termios Child::settings() const {
  termios now{};
  check(tcgetattr(terminal_, &now) == 0, "tcgetattr");
  return now;
}

bool Child::wait_for_echo(bool on, milliseconds timeout) const {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (((settings().c_lflag & ECHO) != 0) != on) {
    if (Clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(milliseconds(1));
  }
  return true;
}

std::string Child::unread_input() const {
  fcntl(terminal_, F_SETFL, fcntl(terminal_, F_GETFL) | O_NONBLOCK);
  std::string unread;
  std::array<char, 256> buffer{};
  for (ssize_t n = 0; (n = ::read(terminal_, buffer.data(), buffer.size())) > 0;) {
    unread.append(buffer.data(), static_cast<std::size_t>(n));
  }
  return unread;
}

Clock::time_point Child::arrival(std::size_t index) const {
  const auto chunk = std::upper_bound(arrivals_.begin(), arrivals_.end(), index,
                                      [](std::size_t i, const auto& a) { return i < a.first; });
  if (chunk == arrivals_.end()) {
    throw std::out_of_range("no such byte of output");
  }
  return chunk->second;
}

bool same_settings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag &&
         std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc));
}

}  // namespace bailando::testing::e2e
