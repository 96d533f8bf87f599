#include "platform/files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fontscan::platform {

namespace {

class PosixFile final : public ReadableFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { Close(); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  std::int64_t Size() override {
    struct stat info;
    if (fstat(fd_, &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
  }

  std::int64_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      ssize_t count = read(fd_, buffer, size);
      if (count >= 0) return count;
      if (errno != EINTR) return -1;
    }
  }

  void Close() override {
    if (fd_ < 0) return;
    close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

}  // namespace

bool NativeFileSystem::IsExistingFile(const std::string& path) const {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::unique_ptr<ReadableFile> NativeFileSystem::OpenForReading(const std::string& path) const {
  // Non-blocking, so that a FIFO or a device named like a font file cannot stall the run; its
  // size then decides what happens. POSIX has no deny-write sharing to ask for.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixFile>(fd);
}

}  // namespace fontscan::platform
