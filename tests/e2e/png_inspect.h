// Looks inside the PNG files the program writes: their chunks, and their pixels decoded by
// stb_image (in stb_decode.cpp, the one file that compiles it).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/sheet_model.h"
#include "tests/support/png_builder.h"

namespace fontscan::testing {

// Decodes any PNG to 8-bit RGB; nothing when stb_image refuses it. `channels` gets the number
// of channels the file itself has.
std::optional<Image> DecodePng(std::string_view file, int* channels = nullptr);

// The file is a palette PNG of at most five colours at the fewest bits a pixel that hold them, not
// interlaced, of IHDR, PLTE, one or more IDAT and IEND chunks only, every CRC right and nothing
// after IEND, and its pixels, decoded by stb_image, are `expected`.
::testing::AssertionResult IsSheet(std::string_view file, const Image& expected);

// How an image is stored in a PNG built for a test.
struct PngForm {
  std::uint8_t colour_type = 2;
  std::uint8_t depth = 8;
  bool interlaced = false;
  std::string palette;  // PLTE data; none when empty
  // The sample of a pixel of this colour (0xRRGGBB): a palette index, a grey level, or the
  // samples packed as png_builder takes them. Unset: the colour itself (RGB 8).
  std::function<std::uint64_t(std::uint32_t colour)> sample;
  std::vector<png_builder::Chunk> before_data;  // chunks between IHDR (and PLTE) and IDAT
  std::vector<png_builder::Chunk> after_data;   // chunks between IDAT and IEND
  int idat_count = 1;
};

// The chunks of `image` stored as `form`, every row with another filter type.
std::vector<png_builder::Chunk> PngChunks(const Image& image, const PngForm& form = {});

// The file of those chunks.
std::string EncodePng(const Image& image, const PngForm& form = {});

}  // namespace fontscan::testing
