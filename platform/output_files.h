// Writing an output file without ever damaging what is already there.
#pragma once

#include <string>
#include <string_view>

namespace fontscan::platform {

enum class WriteResult {
  kWritten,  // the file now holds the bytes
  kExists,   // without replacing: an entry of that name appeared before the move; left alone
  kFailed,   // nothing changed: any entry of that name is as it was, no temporary file is left
};

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
};

// The operating system's file system.
class NativeOutputFiles final : public OutputFiles {
 public:
  bool EntryExists(const std::string& path) const override;
  WriteResult WriteNewFile(const std::string& path, std::string_view bytes,
                           bool replace) const override;
};

}  // namespace fontscan::platform
