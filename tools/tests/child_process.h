// A child program driven through pipes on its stdin and stdout, for the
// tests of the tools that answer request lines. Its stderr is the test's.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace optics::testing {

class ChildProcess {
 public:
  // Starts program without arguments; Started() tells whether it ran. A
  // child that stops reading makes Send fail instead of killing the test
  // with SIGPIPE.
  explicit ChildProcess(const char* program);
  ~ChildProcess();  // closes both pipes and waits for the child
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }

  // Writes all of text to the child's stdin; false when the child has
  // closed it. Blocks while the pipe is full.
  bool Send(std::string_view text);
  // Closes the child's stdin: the end of its input.
  void CloseInput();

  // The next line of the child's stdout without its '\n', waiting for it;
  // nullopt at the end of the output (a last line without '\n' is lost).
  std::optional<std::string> ReadLine();
  // Everything the child writes until it closes its stdout.
  std::string ReadToEnd();
  // Writes all of input to the child's stdin and closes it, while reading
  // everything the child writes until it closes its stdout (one thread,
  // whatever the sizes).
  std::string Exchange(std::string_view input);

  // Waits for the child to end; its status as waitpid reports it.
  int Wait();

 private:
  pid_t pid_ = -1;
  int in_ = -1;   // the child's stdin, our end
  int out_ = -1;  // the child's stdout, our end
  std::string buffered_;
  int status_ = -1;
};

// What a child wrote and how it ended.
struct ChildRun {
  std::string output;
  int status = -1;  // as waitpid reports it

  // The output split into lines; adds a test failure when the output does
  // not end with '\n'.
  std::vector<std::string> Lines() const;
  // Whether the child exited with status 0.
  bool ExitedCleanly() const;
};

// Runs program with input on its stdin, fed from a second thread while
// the output is read, so that neither side can block the other.
ChildRun RunWithInput(const char* program, const std::string& input);

}  // namespace optics::testing
