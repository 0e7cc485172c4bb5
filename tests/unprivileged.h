// Runs a check where file permissions hold even when the tests run as root.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

/// Runs `check` in a child process that, when started by root, first becomes
/// the user and group "nobody" (65534); gives what `check` returned. The
/// folders `check` uses must be open to that user as the test needs them.
inline std::string RunUnprivileged(const std::function<std::string()>& check) {
  int ends[2];
  if (pipe(ends) != 0) return "no pipe";
  pid_t child = fork();
  if (child == 0) {
    bool dropped =
        geteuid() != 0 || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0);
    std::string result = dropped ? check() : "root could not become nobody";
    _exit(write(ends[1], result.data(), result.size()) == ssize_t(result.size()) ? 0 : 1);
  }
  close(ends[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) > 0;) result.append(buffer, size_t(n));
  close(ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "the check crashed";
}
