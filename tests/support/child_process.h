#pragma once

// fork and pipes are POSIX: on Windows this helper is compiled out, as the tests using it.
#ifndef _WIN32

#include <sys/types.h>

#include <functional>
#include <string>

namespace tallyra {

// A fork of the test program running one function, joined to the test by a pipe each
// way: the other program of a two-program test, or one to kill in the middle of a write.
// Fork before the test opens a table: an SQLite connection must not cross a fork.
class ChildProcess {
 public:
  // Runs in the child with its ends of the pipes: `input` reads what the test sends,
  // `report` writes to the test. The child exits with status 0 when it returns.
  using Body = std::function<void(int input, int report)>;

  explicit ChildProcess(const Body& body);
  // Kills the child if it still runs, reaps it and closes the test's ends.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // False when the pipes or the fork failed.
  bool Started() const { return pid_ > 0; }
  // The test's ends: it writes to Input and reads from Reports, which ends (read returns
  // 0) once the child has ended.
  int Input() const { return toChild_; }
  int Reports() const { return fromChild_; }
  // Everything the child reports from now on, up to its end.
  std::string ReadAll();

  // Kills the child with SIGKILL and reaps it; its wait status (that of its own end if
  // it had ended already).
  int Kill();
  // Waits for the child to end by itself; its wait status.
  int Wait();

 private:
  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

}  // namespace tallyra

#endif  // _WIN32
