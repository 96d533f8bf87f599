#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace fontscan::platform {

void PrepareStandardOutput() {
  // Lines already end in CR LF: the C runtime must not add a CR of its own. The text itself is
  // written straight to the standard output handle below, which never translates anything.
  _setmode(_fileno(stdout), _O_BINARY);
}

bool WriteStandardOutput(const char* data, std::size_t size) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
  while (size > 0) {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    // A closed pipe or a missing console fails here; the caller carries on without output.
    if (!WriteFile(output, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace fontscan::platform
