// Two hexadecimal digits as a byte: the font's byte values and the colour options' pairs.
#pragma once

#include <cstdint>
#include <string_view>

namespace fontscan {

// The value 0..255 of a two-character upper-case hexadecimal text, or -1.
std::int32_t STRTOHEXBYTE(std::string_view text);

}  // namespace fontscan
