// Runs a piece of the program in a child process and reports how it ended:
// for runs whose outcome a test only learns by running them.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

struct ChildOutcome {
  bool exited;        // false when a signal ended it (a crash)
  int exitCode;
  std::string errors;  // what it wrote to stderr: boxes and shell requests
};

inline ChildOutcome RunInChild(const std::function<void()>& body) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {false, -1, "pipe failed"};
  std::fflush(nullptr);  // or the child would print what the parent has buffered
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    dup2(pipeEnds[1], 2);
    body();
    _exit(250);  // the program must end through ExitProcess
  }
  close(pipeEnds[1]);
  ChildOutcome outcome{false, -1, ""};
  char buffer[4096];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    outcome.errors.append(buffer, static_cast<std::size_t>(got));
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.exited = WIFEXITED(status);
  outcome.exitCode = outcome.exited ? WEXITSTATUS(status) : -1;
  return outcome;
}
