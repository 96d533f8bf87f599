// How text files end their lines on this system.
#pragma once

#include <string_view>

namespace fontscan::platform {

#ifdef _WIN32
inline constexpr std::string_view kTextLineEnd = "\r\n";
#else
inline constexpr std::string_view kTextLineEnd = "\n";
#endif

}  // namespace fontscan::platform
