// Writing an output file without ever damaging what is already there.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fontscan::platform {

enum class WriteResult {
  kWritten,  // the file now holds the bytes
  kExists,   // without replacing: an entry of that name appeared before the move; left alone
  kFailed,   // nothing changed: any entry of that name is as it was, no temporary file is left
};

// Takes the bytes of a file being written, in order.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when the bytes could not be written; the file then fails as a whole.
  virtual bool Write(std::string_view bytes) = 0;
};

// Makes a file's bytes into `sink`, piece by piece; false when they could not be made.
using FileMaker = std::function<bool(ByteSink& sink)>;

class OutputFiles {
 public:
  virtual ~OutputFiles() = default;
  // True when any directory entry has this name: a file, a directory, or a link, even a
  // dangling one.
  virtual bool EntryExists(const std::string& path) const = 0;
  // Writes `bytes` to a new temporary file in the folder of `path`, then moves it to `path`.
  // Without `replace` the move never replaces an entry that exists by then. With `replace` an
  // existing file or link is replaced (a link's target is left as it was); a directory of that
  // name is a failure. The new file gets the permissions of a newly created file.
  virtual WriteResult WriteNewFile(const std::string& path, std::string_view bytes,
                                   bool replace) const = 0;
  // The same, with the bytes written as `make` makes them, so that a large file is never held
  // whole. A false from `make` or a failed write fails the whole, as above; so does an exception
  // from `make`, which then goes on to the caller. By default the bytes are collected first and
  // written with WriteNewFile.
  virtual WriteResult StreamNewFile(const std::string& path, const FileMaker& make,
                                    bool replace) const;
};

inline WriteResult OutputFiles::StreamNewFile(const std::string& path, const FileMaker& make,
                                              bool replace) const {
  struct Collected final : ByteSink {
    bool Write(std::string_view piece) override {
      bytes.append(piece);
      return true;
    }
    std::string bytes;
  } collected;
  if (!make(collected)) return WriteResult::kFailed;
  return WriteNewFile(path, collected.bytes, replace);
}

// The operating system's file system.
class NativeOutputFiles final : public OutputFiles {
 public:
  bool EntryExists(const std::string& path) const override;
  WriteResult WriteNewFile(const std::string& path, std::string_view bytes,
                           bool replace) const override;
  WriteResult StreamNewFile(const std::string& path, const FileMaker& make,
                            bool replace) const override;
};

}  // namespace fontscan::platform
