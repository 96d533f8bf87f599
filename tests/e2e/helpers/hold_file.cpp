// fontscan_hold_file ACCESS PATH: opens PATH the way another program might and keeps it open
// until its standard input ends. ACCESS is "write" (write access, others may read and write) or
// "read" (read access, others may read). Writes "held" once the file is open, or "failed N"
// with the system error code and exits with status 1.

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

void Say(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written,
            nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    Say("usage: fontscan_hold_file write|read PATH\n");
    return 2;
  }
  const bool write = std::strcmp(argv[1], "write") == 0;
  const DWORD access = write ? GENERIC_WRITE : GENERIC_READ;
  const DWORD share = write ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
  HANDLE file =
      CreateFileA(argv[2], access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    char message[32];
    std::snprintf(message, sizeof message, "failed %lu\n", GetLastError());
    Say(message);
    return 1;
  }
  Say("held\n");
  char buffer[64];
  DWORD count = 0;
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
  }
  CloseHandle(file);
  return 0;
}
