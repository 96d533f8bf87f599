// The file services the program needs: an existence test and whole-file reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace fontscan::platform {

// A file opened for reading. The destructor closes it if Close() has not.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // The size in bytes, or -1 when it cannot be determined.
  virtual std::int64_t Size() = 0;
  // Reads up to `size` bytes; returns the count read, 0 at the end of the file, -1 on error.
  virtual std::int64_t Read(char* buffer, std::size_t size) = 0;
  // Closes the file; later calls do nothing.
  virtual void Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when `path` names an existing file that is not a directory.
  virtual bool IsExistingFile(const std::string& path) const = 0;
  // Opens `path` for reading; others may read it but not write it while it is open, where
  // the system offers that. Never blocks. Returns null when the file cannot be opened.
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) const = 0;
};

// The operating system's file system.
class NativeFileSystem : public FileSystem {
 public:
  bool IsExistingFile(const std::string& path) const override;
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) const override;
};

}  // namespace fontscan::platform
