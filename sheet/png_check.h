// A strict check of a PNG file's structure and image data, which hands the image's rows on as it
// goes: the file is valid only when the check ends well, whatever the rows looked like.
#pragma once

#include <cstdint>
#include <string_view>

namespace fontscan {

// The most pixels (width times height) a sheet may have, read or written.
inline constexpr std::int64_t kMaxSheetPixels = 67108864;

// The image a valid PNG header describes, as its image data starts.
struct PngFormat {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int depth = 0;        // bits per sample
  int colour_type = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGB and alpha
  bool interlaced = false;
  const std::uint8_t* palette = nullptr;  // the PLTE data, three bytes an entry
  int palette_entries = 0;
};

// Where the pixels of one reduced image sit in the whole: the whole image itself, or one pass of
// Adam7 interlacing. Pixel (i, j) of the pass is pixel (x0 + i * dx, y0 + j * dy) of the image.
struct PngPass {
  std::uint32_t x0, y0, dx, dy;
  std::uint32_t width, height;  // pixels of the pass, each at least 1
};

// Takes a PNG's rows as the check goes through its image data.
class PngRowSink {
 public:
  virtual ~PngRowSink() = default;
  // When the image data starts. The check is not over: what follows may still make it fail.
  virtual void Begin(const PngFormat& format) = 0;
  // Each scanline in turn, passes in order: row `row` of `pass`, unfiltered, without its filter
  // byte; the bytes hold their pixels as the file packs them, high bits first.
  virtual void Row(const PngPass& pass, std::uint32_t row, const std::uint8_t* data) = 0;
};

enum class PngCheck {
  kValid,    // a PNG file as the standard has it, of at most kMaxSheetPixels pixels
  kTooBig,   // a valid IHDR, the first chunk, declares more than kMaxSheetPixels pixels
  kInvalid,  // any other fault
};

// Checks `bytes` as a whole PNG file: the signature; every chunk complete with its CRC right;
// IHDR first and valid; PLTE where it must and may be; IDAT chunks consecutive; IEND; no unknown
// critical chunk; a zlib stream that decodes without error to exactly the image data the header
// asks for; filter types 0 to 4; palette indices inside the palette. Bytes after IEND are ignored.
// The too-big answer comes as soon as the header is read, whatever follows it. With `rows`, the
// image data is handed to it as it is checked: the image data is inflated only once.
PngCheck CheckPng(std::string_view bytes, PngRowSink* rows = nullptr);

}  // namespace fontscan
