// The project's own PNG code around zlib: palette pictures written a row at a time, and the
// colours of any PNG's rows as the strict check hands them on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/output_files.h"
#include "sheet/png_check.h"
#include "sheet/rgb_image.h"

namespace fontscan {

// The bits a pixel takes for a palette of `colours` entries (1 to 256): 1, 2, 4 or 8.
int PaletteDepth(std::size_t colours);

// The rows of a palette picture, asked for from two threads at once, each row once.
class PaletteRows {
 public:
  virtual ~PaletteRows() = default;
  // True when row `y` (from 1) is known to be row y - 1 again; it is then not painted.
  virtual bool Repeats(std::uint32_t y) const = 0;
  // Row `y` (from 0): a palette index for each pixel, one byte each.
  virtual void Paint(std::uint32_t y, std::uint8_t* indices) const = 0;
};

// Writes a palette PNG of `palette` (1 to 256 colours), not interlaced, of IHDR, PLTE, IDAT and
// IEND only: the rows are painted and deflated as they are needed and the file goes out in IDAT
// chunks as it is made, so that neither the picture nor the file is ever held whole. A large
// picture's second half is made on a second thread, into memory. False when a write fails or
// the compressor cannot work. May throw std::bad_alloc.
bool WritePalettePng(platform::ByteSink& sink, std::uint32_t width, std::uint32_t height,
                     const std::vector<Rgb>& palette, const PaletteRows& rows);

// The colours of a PNG's rows, for every colour type and bit depth: a palette gives its colours,
// grey gives R = G = B (1, 2 and 4-bit samples scaled to 0 to 255), a 16-bit sample its high
// byte; alpha is ignored.
class RowColours {
 public:
  explicit RowColours(const PngFormat& format);

  // True when a pixel's colour follows from one byte of it (a palette index or a grey sample, or
  // a 16-bit one's high byte): Keys() and KeyColour() then give the row's colours.
  bool keyed() const { return keyed_; }
  // That byte of each of the row's `pixels` pixels.
  void Keys(const std::uint8_t* row, std::uint32_t pixels, std::uint8_t* keys) const;
  Rgb KeyColour(std::uint8_t key) const { return key_colours_[key]; }

  // The colour of each pixel, three bytes each, for any format.
  void Colours(const std::uint8_t* row, std::uint32_t pixels, std::uint8_t* rgb) const;

 private:
  PngFormat format_;
  int bytes_per_pixel_;  // of the formats of 8 bits a sample and more
  bool keyed_;
  Rgb key_colours_[256];
};

enum class DecodeResult { kDecoded, kTooBig, kFailed };

// Any valid PNG file (every colour type and bit depth, interlaced or not) as 8-bit RGB, after the
// strict check. kTooBig when the header declares more than kMaxSheetPixels pixels, kFailed for
// every other fault. May throw std::bad_alloc.
DecodeResult DecodePng(std::string_view file, RgbImage& image);

}  // namespace fontscan
