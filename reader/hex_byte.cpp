#include "reader/hex_byte.h"

namespace fontscan {

namespace {

std::int32_t HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::int32_t STRTOHEXBYTE(std::string_view text) {
  if (text.size() != 2) return -1;
  std::int32_t high = HexDigitValue(text[0]);
  std::int32_t low = HexDigitValue(text[1]);
  if (high < 0 || low < 0) return -1;
  return high * 16 + low;
}

}  // namespace fontscan
