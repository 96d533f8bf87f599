// Runs the fontscan binary as a child process and captures what it writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fontscan::testing {

struct ProcessResult {
  std::string out;     // standard output, byte for byte
  std::string err;     // standard error, kept for failure messages
  int exit_code = -1;  // -1 when the process did not exit normally
  bool timed_out = false;
  std::string launch_error;  // why the process could not be started, when it could not
};

struct ProcessOptions {
  std::string directory;                 // working directory
  std::vector<std::string> environment;  // extra NAME=VALUE entries
  bool close_stdout = false;             // start with standard output closed
  bool stdout_reader_goes_away = false;  // the pipe's reader closes before the child writes
  int timeout_seconds = 20;
  // Largest file the child may write, in bytes (RLIMIT_FSIZE); unlimited when not set.
  std::optional<std::uint64_t> file_size_limit;
};

// Runs `command` (program and arguments, no shell) and waits for it.
ProcessResult RunProcess(const std::vector<std::string>& command, const ProcessOptions& options);

}  // namespace fontscan::testing
