// stb_image, a PNG decoder of its own, to read fuzzed sheets independently of fontsheet's code.
#pragma once

#include <string_view>

#include "sheet/rgb_image.h"

namespace fontscan::fuzzing {

// The file's pixels as 8-bit RGB; false when stb_image refuses it.
bool StbDecode(std::string_view file, RgbImage& image);

}  // namespace fontscan::fuzzing
