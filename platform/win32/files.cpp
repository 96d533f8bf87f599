#include "platform/files.h"

#include <windows.h>

namespace fontscan::platform {

namespace {

class Win32File final : public ReadableFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { Close(); }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  std::int64_t Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) return -1;
    return static_cast<std::int64_t>(size.QuadPart);
  }

  std::int64_t Read(char* buffer, std::size_t size) override {
    // One ReadFile call moves at most a DWORD's worth; the caller asks again for the rest.
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD count = 0;
    if (!ReadFile(handle_, buffer, chunk, &count, nullptr)) return -1;
    return static_cast<std::int64_t>(count);
  }

  void Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

}  // namespace

bool NativeFileSystem::IsExistingFile(const std::string& path) const {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<ReadableFile> NativeFileSystem::OpenForReading(const std::string& path) const {
  // Others may read the file while it is open, but no one may write it: the open fails when
  // another handle already has write access, and later opens for writing fail until Close().
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  try {
    return std::make_unique<Win32File>(handle);
  } catch (...) {
    CloseHandle(handle);
    throw;
  }
}

}  // namespace fontscan::platform
