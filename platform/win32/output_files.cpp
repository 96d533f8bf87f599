#include "platform/output_files.h"

#include <windows.h>

#include <atomic>
#include <cstddef>

namespace fontscan::platform {

namespace {

// Each temporary file of this process gets its own number.
std::atomic<unsigned> temp_counter{0};

// Enough of the output's name to tell whose a leftover temporary file was, without making the
// temporary path much longer than the output's own (ANSI paths stop at MAX_PATH).
constexpr std::size_t kTempNameKeep = 64;

// Where the name starts: after the last '/' or '\', or after a drive ("C:name"). The path is
// walked character by character, as in a double-byte code page the second byte of a character
// can be 0x5C, the value of '\'.
std::size_t NameStart(const std::string& path) {
  const char* begin = path.c_str();
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':' && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z')) {
    start = 2;
  }
  for (const char* p = begin; *p != '\0'; p = CharNextA(p)) {
    if (*p == '/' || *p == '\\') start = static_cast<std::size_t>(p - begin) + 1;
  }
  return start;
}

// At most kTempNameKeep bytes of `name`, cut between characters.
std::string NamePrefix(const std::string& name) {
  const char* begin = name.c_str();
  const char* end = begin;
  for (const char* p = begin; *p != '\0'; p = CharNextA(p)) {
    const char* next = CharNextA(p);
    if (static_cast<std::size_t>(next - begin) > kTempNameKeep) break;
    end = next;
  }
  return std::string(begin, end);
}

// Creates a new file next to `path`, with the security a file created in that folder gets.
HANDLE CreateTempFile(const std::string& path, std::string* temp) {
  const std::size_t name_start = NameStart(path);
  const std::string folder = path.substr(0, name_start);
  const std::string name = NamePrefix(path.substr(name_start));
  const std::string pid = std::to_string(GetCurrentProcessId());
  for (int attempt = 0; attempt < 16; ++attempt) {
    *temp = folder + "." + name + "." + pid + "." + std::to_string(++temp_counter) + ".tmp";
    HANDLE file = CreateFileA(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t size = bytes.size();
  while (size > 0) {
    // One WriteFile call moves at most a DWORD's worth.
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

bool NativeOutputFiles::EntryExists(const std::string& path) const {
  // The attributes are those of the entry itself: a link or another reparse point has them even
  // when what it points to is gone. A file held open without sharing (a page file) still exists.
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return GetLastError() == ERROR_SHARING_VIOLATION;
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
  HANDLE file = CreateTempFile(path, &temp);
  if (file == INVALID_HANDLE_VALUE) return WriteResult::kFailed;
  // No FlushFileBuffers: waiting for the disk would cost more than the whole run. A failed write
  // can never cost an existing file, as it is only ever replaced by a complete one; a power loss
  // just after the run may leave the new file empty on some file systems, and the run can be
  // made again.
  struct FileSink final : ByteSink {
    explicit FileSink(HANDLE handle) : file(handle) {}
    bool Write(std::string_view bytes) override { return WriteAll(file, bytes); }
    HANDLE file;
  } sink(file);
  bool written = false;
  try {
    written = make(sink);
  } catch (...) {
    CloseHandle(file);
    DeleteFileA(temp.c_str());
    throw;
  }
  const bool closed = CloseHandle(file) != 0;
  WriteResult result = WriteResult::kFailed;
  if (written && closed) {
    // A rename within the folder: no copying. Without MOVEFILE_REPLACE_EXISTING an entry of that
    // name, whatever it is, stops the move; with it a file or link is replaced (the link itself),
    // while a directory still stops it.
    if (MoveFileExA(temp.c_str(), path.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
      result = WriteResult::kWritten;
    } else {
      const DWORD error = GetLastError();
      if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
        result = WriteResult::kExists;
      }
    }
  }
  if (result != WriteResult::kWritten) DeleteFileA(temp.c_str());
  return result;
}

}  // namespace fontscan::platform
