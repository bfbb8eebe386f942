#include "tests/support/child_process.h"

#ifndef _WIN32

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallyra {

ChildProcess::ChildProcess(const Body& body) {
  int to[2];
  int from[2];
  if (pipe(to) != 0) return;
  if (pipe(from) != 0) {
    close(to[0]);
    close(to[1]);
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    close(to[1]);
    close(from[0]);
    body(to[0], from[1]);
    // No exit handlers: they belong to the test program, which goes on in the parent.
    _exit(0);
  }
  // The child's ends close here too, so that Reports ends when the child does.
  close(to[0]);
  close(from[1]);
  if (pid_ < 0) {
    close(to[1]);
    close(from[0]);
    return;
  }
  toChild_ = to[1];
  fromChild_ = from[0];
}

ChildProcess::~ChildProcess() {
  Kill();
  for (int fd : {toChild_, fromChild_}) {
    if (fd >= 0) close(fd);
  }
}

std::string ChildProcess::ReadAll() {
  std::string out;
  char buffer[512];
  for (ssize_t n; (n = read(fromChild_, buffer, sizeof buffer)) > 0;) {
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return out;
}

int ChildProcess::Kill() {
  if (Started() && !reaped_) kill(pid_, SIGKILL);
  return Wait();
}

int ChildProcess::Wait() {
  if (Started() && !reaped_) {
    waitpid(pid_, &status_, 0);
    reaped_ = true;
  }
  return status_;
}

}  // namespace tallyra

#endif  // _WIN32
