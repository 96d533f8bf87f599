// PNG files to pictures and back: stb_image behind the strict check to read, stb_image_write on
// zlib to write.
#pragma once

#include <string>
#include <string_view>

#include "sheet/rgb_image.h"

namespace fontscan {

enum class DecodeResult { kDecoded, kTooBig, kFailed };

// Any valid PNG file (every colour type and bit depth, interlaced or not) as 8-bit RGB: a palette
// gives its colours, grey gives equal components, a 16-bit sample its high byte; alpha and every
// ancillary chunk are ignored. kTooBig when the header declares more than kMaxSheetPixels pixels,
// kFailed for every other fault or when memory cannot be had.
DecodeResult DecodePng(std::string_view file, RgbImage& image);

// A zlib-compressed PNG of colour type 2, bit depth 8, not interlaced, holding only IHDR, IDAT and
// IEND. False when memory cannot be had.
bool EncodePng(const RgbImage& image, std::string& file);

}  // namespace fontscan
