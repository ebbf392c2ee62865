#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace optics::testing {

ChildProcess::ChildProcess(const char* program) {
  std::signal(SIGPIPE, SIG_IGN);
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe2: " << std::strerror(errno);
    return;
  }
  if (pipe2(out, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe2: " << std::strerror(errno);
    close(in[0]);
    close(in[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  // A cross build runs its programs through the emulator
  // (OPTICAL_CHILD_EMULATOR, its words separated by spaces), the child too.
  std::vector<std::string> words;
#ifdef OPTICAL_CHILD_EMULATOR
  {
    const std::string emulator = OPTICAL_CHILD_EMULATOR;
    std::size_t start = 0;
    while (start < emulator.size()) {
      const std::size_t end = std::min(emulator.find(' ', start), emulator.size());
      if (end > start) words.push_back(emulator.substr(start, end - start));
      start = end + 1;
    }
  }
#endif
  words.emplace_back(program);
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  in_ = in[1];
  out_ = out[0];
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << program << ": " << std::strerror(spawned);
    return;
  }
  pid_ = pid;
}

ChildProcess::~ChildProcess() {
  CloseInput();
  if (out_ >= 0) close(out_);
  Wait();
}

bool ChildProcess::Send(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(in_, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void ChildProcess::CloseInput() {
  if (in_ >= 0) close(in_);
  in_ = -1;
}

std::optional<std::string> ChildProcess::ReadLine() {
  char buf[65536];
  while (buffered_.find('\n') == std::string::npos) {
    const ssize_t n = read(out_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    buffered_.append(buf, static_cast<std::size_t>(n));
  }
  const std::size_t end = buffered_.find('\n');
  std::string line = buffered_.substr(0, end);
  buffered_.erase(0, end + 1);
  return line;
}

std::string ChildProcess::ReadToEnd() {
  std::string all = std::move(buffered_);
  buffered_.clear();
  char buf[65536];
  for (;;) {
    const ssize_t n = read(out_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return all;
    all.append(buf, static_cast<std::size_t>(n));
  }
}

std::string ChildProcess::Exchange(std::string_view input) {
  // One thread, poll on both pipes: the input is written as the child reads
  // it, so that neither side waits for the other with a full pipe.
  fcntl(in_, F_SETFL, fcntl(in_, F_GETFL) | O_NONBLOCK);
  if (input.empty()) CloseInput();
  std::string all = std::move(buffered_);
  buffered_.clear();
  char buf[65536];
  while (out_ >= 0) {
    pollfd fds[2] = {{out_, POLLIN, 0}, {in_, POLLOUT, 0}};
    const int ready = poll(fds, in_ >= 0 ? 2 : 1, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) break;
    if (in_ >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(in_, input.data(), input.size());
      if (n > 0) input.remove_prefix(static_cast<std::size_t>(n));
      if ((n < 0 && errno != EAGAIN && errno != EINTR) || input.empty()) CloseInput();
    }
    if ((fds[0].revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = read(out_, buf, sizeof buf);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n <= 0) break;
      all.append(buf, static_cast<std::size_t>(n));
    }
  }
  CloseInput();
  return all;
}

int ChildProcess::Wait() {
  if (pid_ > 0) {
    while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }
  return status_;
}

std::vector<std::string> ChildRun::Lines() const {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(output.substr(start, end - start));
  }
  EXPECT_EQ(start, output.size()) << "the output does not end with a line feed";
  return lines;
}

bool ChildRun::ExitedCleanly() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

ChildRun RunWithInput(const char* program, const std::string& input) {
  ChildProcess child(program);
  ChildRun run;
  if (!child.Started()) return run;
  run.output = child.Exchange(input);
  run.status = child.Wait();
  return run;
}

}  // namespace optics::testing
