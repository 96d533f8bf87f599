#include "tests/e2e/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace fontscan::testing {

namespace {

std::string Failed(const char* call) { return std::string(call) + ": " + std::strerror(errno); }

// Reads both pipes until each reaches its end or the deadline passes. A descriptor of -1 is
// not read.
bool DrainUntil(int out_fd, int err_fd, std::chrono::steady_clock::time_point deadline,
                ProcessResult& result) {
  pollfd open[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  char buffer[65536];
  while (open[0].fd >= 0 || open[1].fd >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) return false;
    if (poll(open, 2, static_cast<int>(left)) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (open[i].fd < 0 || open[i].revents == 0) continue;
      const ssize_t count = read(open[i].fd, buffer, sizeof buffer);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) {
        open[i].fd = -1;
        continue;
      }
      sinks[i]->append(buffer, static_cast<std::size_t>(count));
    }
  }
  return true;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& command, const ProcessOptions& options) {
  ProcessResult result;
  int out_pipe[2];
  int err_pipe[2];
  if (pipe2(out_pipe, O_CLOEXEC) != 0) {
    result.launch_error = Failed("pipe2");
    return result;
  }
  if (pipe2(err_pipe, O_CLOEXEC) != 0) {
    result.launch_error = Failed("pipe2");
    close(out_pipe[0]);
    close(out_pipe[1]);
    return result;
  }
  if (options.stdout_reader_goes_away) close(out_pipe[0]);

  pid_t pid = fork();
  if (pid == 0) {
    if (!options.directory.empty() && chdir(options.directory.c_str()) != 0) _exit(126);
    if (options.close_stdout) {
      close(STDOUT_FILENO);
    } else {
      dup2(out_pipe[1], STDOUT_FILENO);
    }
    dup2(err_pipe[1], STDERR_FILENO);
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
    const std::string why = Failed("execvp") + "\n";
    if (write(STDERR_FILENO, why.data(), why.size()) < 0) _exit(127);
    _exit(127);
  }
  if (pid < 0) result.launch_error = Failed("fork");
  close(out_pipe[1]);
  close(err_pipe[1]);
  const int out_fd = options.stdout_reader_goes_away ? -1 : out_pipe[0];
  if (pid < 0) {
    if (out_fd >= 0) close(out_fd);
    close(err_pipe[0]);
    return result;
  }

  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
  result.timed_out = !DrainUntil(out_fd, err_pipe[0], deadline, result);
  if (out_fd >= 0) close(out_fd);
  close(err_pipe[0]);

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
