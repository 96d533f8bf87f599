#include "tests/e2e/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace fontscan::testing {

ProcessResult RunProcess(const std::vector<std::string>& command, const ProcessOptions& options) {
  ProcessResult result;
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return result;
  if (options.stdout_reader_goes_away) close(pipe_fds[0]);

  pid_t pid = fork();
  if (pid == 0) {
    if (!options.directory.empty() && chdir(options.directory.c_str()) != 0) _exit(126);
    if (options.close_stdout) {
      close(STDOUT_FILENO);
    } else {
      dup2(pipe_fds[1], STDOUT_FILENO);
    }
    if (options.file_size_limit) {
      const rlimit limit{static_cast<rlim_t>(*options.file_size_limit),
                         static_cast<rlim_t>(*options.file_size_limit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
    }
    for (const std::string& entry : options.environment) putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  if (pid < 0) {
    if (!options.stdout_reader_goes_away) close(pipe_fds[0]);
    return result;
  }

  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
  if (!options.stdout_reader_goes_away) {
    char buffer[65536];
    for (;;) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      if (left <= 0) {
        result.timed_out = true;
        break;
      }
      pollfd waiting{pipe_fds[0], POLLIN, 0};
      if (poll(&waiting, 1, static_cast<int>(left)) <= 0) continue;
      ssize_t count = read(pipe_fds[0], buffer, sizeof buffer);
      if (count <= 0) break;
      result.out.append(buffer, static_cast<std::size_t>(count));
    }
    close(pipe_fds[0]);
  }

  int status = 0;
  for (;;) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      result.timed_out = true;
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    usleep(2000);
  }
  if (!result.timed_out && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

}  // namespace fontscan::testing
