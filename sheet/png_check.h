// A strict check of a PNG file's structure and image data, made before the file is decoded: the
// decoder itself forgives much that the PNG standard calls a fault.
#pragma once

#include <cstdint>
#include <string_view>

namespace fontscan {

// The most pixels (width times height) a sheet may have, read or written.
inline constexpr std::int64_t kMaxSheetPixels = 67108864;

enum class PngCheck {
  kValid,    // a PNG file as the standard has it, of at most kMaxSheetPixels pixels
  kTooBig,   // a valid IHDR, the first chunk, declares more than kMaxSheetPixels pixels
  kInvalid,  // any other fault
};

// Checks `bytes` as a whole PNG file: the signature; every chunk complete with its CRC right;
// IHDR first and valid; PLTE where it must and may be; IDAT chunks consecutive; IEND; no unknown
// critical chunk; a zlib stream that decodes without error to exactly the image data the header
// asks for; filter types 0 to 4; palette indices inside the palette. Bytes after IEND are ignored.
// The too-big answer comes as soon as the header is read, whatever follows it.
PngCheck CheckPng(std::string_view bytes);

}  // namespace fontscan
