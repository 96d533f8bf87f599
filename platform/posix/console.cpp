#include "platform/console.h"

#include <errno.h>
#include <signal.h>
#include <unistd.h>

namespace fontscan::platform {

void PrepareStandardOutput() {
  // A reader that went away must not kill the process: the write fails and the run goes on.
  signal(SIGPIPE, SIG_IGN);
  // Nor may a file size limit: an output file that would pass it fails to write (EFBIG), and
  // what was there before stays as it was.
  signal(SIGXFSZ, SIG_IGN);
}

bool WriteStandardOutput(const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = write(STDOUT_FILENO, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace fontscan::platform
