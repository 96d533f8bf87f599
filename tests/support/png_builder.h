// Builds PNG files for tests from their pieces: chunks with their CRCs worked out (or given wrong
// on purpose), scanlines packed and filtered from pixel values, the image data compressed by zlib.
// Every piece can be changed before the file is assembled, to break it in exactly one way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fontscan::png_builder {

struct Header {
  std::uint32_t width = 1;
  std::uint32_t height = 1;
  std::uint8_t depth = 8;
  std::uint8_t colour_type = 0;
  std::uint8_t compression = 0;
  std::uint8_t filter = 0;
  std::uint8_t interlace = 0;
};

struct Chunk {
  std::string type;
  std::string data;
  std::optional<std::uint32_t> crc;     // written instead of the right CRC when set
  std::optional<std::uint32_t> length;  // written instead of data.size() when set
};

// The 8 bytes every PNG file starts with.
std::string Signature();

std::string BigEndian32(std::uint32_t value);

// The CRC of a chunk: over its type and its data.
std::uint32_t ChunkCrc(std::string_view type, std::string_view data);

// One chunk's bytes: length, type, data, CRC.
std::string ChunkBytes(const Chunk& chunk);

// The signature followed by every chunk in turn.
std::string Assemble(const std::vector<Chunk>& chunks);

// The 13 bytes of IHDR data.
std::string HeaderData(const Header& header);

int BitsPerPixel(const Header& header);

// The value of one pixel at (x, y) of the whole image: a palette index, a grey level, or the
// samples packed big-endian into the low BitsPerPixel bits (RGB 8: 0xRRGGBB).
using PixelFunction = std::function<std::uint64_t(std::uint32_t x, std::uint32_t y)>;
// The filter type (0 to 4) for one row of one pass (pass 0 when not interlaced); a type above 4 is
// written as given, before a row left unfiltered.
using FilterFunction = std::function<int(int pass, std::uint32_t row)>;

// The raw image data: for each pass (Adam7 when interlaced, passes without pixels left out) each
// row's filter type byte followed by the row's pixels packed at the header's depth and filtered.
std::string Scanlines(const Header& header, const PixelFunction& pixel,
                      const FilterFunction& filter);

// A zlib stream of `raw`.
std::string Compress(std::string_view raw, int level = 9);

// IHDR, PLTE when `palette` is not empty, IDAT chunks holding `zlib_data` split in `idat_count`
// nearly equal pieces, IEND.
std::vector<Chunk> StandardChunks(const Header& header, std::string_view palette,
                                  std::string_view zlib_data, int idat_count = 1);

// A palette of `entries` colours (3 bytes each).
std::string Palette(int entries);

}  // namespace fontscan::png_builder
