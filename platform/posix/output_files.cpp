#include "platform/output_files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>

namespace fontscan::platform {

namespace {

// Each temporary file of this process gets its own number.
std::atomic<unsigned> temp_counter{0};

// Enough of the output's name to tell whose a leftover temporary file was, short enough that the
// temporary name stays within the 255 bytes a name may have.
constexpr std::size_t kTempNameKeep = 200;

// Writes all of `bytes`, across interrupted and short writes; false on the first error.
bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t size = bytes.size();
  while (size > 0) {
    // Some systems refuse a single write of 2 GiB or more.
    const std::size_t chunk = size > 0x40000000u ? 0x40000000u : size;
    const ssize_t written = write(fd, data, chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Creates a new file of mode 0666 less the umask next to `path`, as an output file would be
// created (mkstemp would make it 0600). Returns its descriptor and sets `temp`, or -1.
int CreateTempFile(const std::string& path, std::string* temp) {
  const std::size_t slash = path.rfind('/');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::string folder = path.substr(0, name_start);
  const std::string name = path.substr(name_start, kTempNameKeep);
  const std::string pid = std::to_string(static_cast<long>(getpid()));
  for (int attempt = 0; attempt < 16; ++attempt) {
    *temp = folder + "." + name + "." + pid + "." + std::to_string(++temp_counter) + ".tmp";
    int fd;
    do {
      fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool IsUnsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// Gives `temp` the name `path` unless an entry of that name exists by then.
WriteResult MoveWithoutReplacing(const std::string& temp, const std::string& path) {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
  if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
    return WriteResult::kWritten;
  }
  if (errno == EEXIST) return WriteResult::kExists;
  if (!IsUnsupported(errno)) return WriteResult::kFailed;
#endif
  // Without an exclusive rename (an older kernel, or a file system that has none), a new hard
  // link does the same: it never replaces an entry. The temporary name is then dropped.
  if (link(temp.c_str(), path.c_str()) != 0) {
    return errno == EEXIST ? WriteResult::kExists : WriteResult::kFailed;
  }
  // The output holds the bytes whatever happens here; only the second name could be left.
  unlink(temp.c_str());
  return WriteResult::kWritten;
}

}  // namespace

bool NativeOutputFiles::EntryExists(const std::string& path) const {
  // lstat: a link counts as an entry even when what it points to is gone.
  struct stat info;
  return lstat(path.c_str(), &info) == 0 || errno == EOVERFLOW;
}

WriteResult NativeOutputFiles::WriteNewFile(const std::string& path, std::string_view bytes,
                                            bool replace) const {
  return StreamNewFile(
      path, [bytes](ByteSink& sink) { return sink.Write(bytes); }, replace);
}

WriteResult NativeOutputFiles::StreamNewFile(const std::string& path, const FileMaker& make,
                                             bool replace) const {
  if (path.empty()) return WriteResult::kFailed;
  std::string temp;
  const int fd = CreateTempFile(path, &temp);
  if (fd < 0) return WriteResult::kFailed;
  // No fsync: waiting for the disk would cost more than the whole run. A failed write can
  // never cost an existing file, as it is only ever replaced by a complete one; a power loss
  // just after the run may leave the new file empty on some file systems, and the run can be
  // made again.
  struct FileSink final : ByteSink {
    explicit FileSink(int file) : fd(file) {}
    bool Write(std::string_view bytes) override { return WriteAll(fd, bytes); }
    int fd;
  } sink(fd);
  bool written = false;
  try {
    written = make(sink);
  } catch (...) {
    close(fd);
    unlink(temp.c_str());
    throw;
  }
  // A close error can be a write error reported late (as on network file systems).
  const bool closed = close(fd) == 0;
  WriteResult result = WriteResult::kFailed;
  if (written && closed) {
    if (!replace) {
      result = MoveWithoutReplacing(temp, path);
    } else if (rename(temp.c_str(), path.c_str()) == 0) {
      // A link of that name is replaced by the file; what it pointed to is left as it was. A
      // directory of that name makes rename fail.
      result = WriteResult::kWritten;
    }
  }
  if (result != WriteResult::kWritten) unlink(temp.c_str());
  return result;
}

}  // namespace fontscan::platform
