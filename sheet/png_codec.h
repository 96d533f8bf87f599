// The project's own PNG code around zlib: palette pictures written a row at a time, and the
// colours of any PNG's rows as the strict check hands them on.
#pragma once

#include <zlib.h>

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

// Writes a palette PNG, not interlaced, of IHDR, PLTE, IDAT and IEND only, a row at a time: the
// rows are deflated as they come and go out in IDAT chunks, so that neither the picture nor the
// file is ever held whole.
class PalettePngWriter {
 public:
  // `palette`: 1 to 256 colours. Nothing is written before Begin().
  PalettePngWriter(platform::ByteSink& sink, std::uint32_t width, std::uint32_t height,
                   const std::vector<Rgb>& palette);
  ~PalettePngWriter();
  PalettePngWriter(const PalettePngWriter&) = delete;
  PalettePngWriter& operator=(const PalettePngWriter&) = delete;

  // The signature, IHDR and PLTE. False when a write fails or the compressor cannot start.
  bool Begin();
  // The next row from the top: a palette index for each pixel, one byte each; or, when
  // `repeats`, the row before it once more (`indices` is then not read). False on any failure.
  bool AddRow(const std::uint8_t* indices, bool repeats);
  // After the last row: the end of the image data, and IEND.
  bool Finish();

 private:
  bool Deflate(const std::uint8_t* data, std::size_t size, int flush);
  bool SendChunk(const char (&type)[5], const std::uint8_t* data, std::size_t size);
  bool SendImageData();

  platform::ByteSink& sink_;
  std::uint32_t width_;
  std::uint32_t height_;
  std::vector<Rgb> palette_;
  int depth_;
  z_stream stream_{};
  bool started_ = false;
  std::vector<std::uint8_t> row_;    // filter byte and packed pixels
  std::vector<std::uint8_t> chunk_;  // length, type, data of the IDAT being filled
};

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
