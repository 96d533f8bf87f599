#include "platform/locale.h"

#include <windows.h>

#include <climits>

namespace fontscan::platform {

// The user's default locale and the ANSI code page are in force from the start of the process.
void InitUserLocale() {}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  // CharUpperBuffA takes a DWORD count; a command-line argument never comes near that limit,
  // but a longer text is still converted piece by piece.
  char* data = result.data();
  std::size_t left = result.size();
  while (left > 0) {
    const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
    CharUpperBuffA(data, chunk);
    data += chunk;
    left -= chunk;
  }
  return result;
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() > INT_MAX || b.size() > INT_MAX) return a.compare(b);
  switch (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                         b.data(), static_cast<int>(b.size()))) {
    case CSTR_LESS_THAN:
      return -1;
    case CSTR_GREATER_THAN:
      return 1;
    default:  // CSTR_EQUAL, or 0 when the comparison itself failed
      return 0;
  }
}

}  // namespace fontscan::platform
