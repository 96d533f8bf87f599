// Test PNG files from their pieces; see png_builder.h.

#include "tests/support/png_builder.h"

#include <zlib.h>

#include <cstdlib>
#include <stdexcept>

namespace fontscan::png_builder {
namespace {

struct Grid {
  std::uint32_t x0, y0, dx, dy;
};
constexpr Grid kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Grid kWhole = {0, 0, 1, 1};

std::uint32_t Extent(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

int Channels(int colour_type) {
  switch (colour_type) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

int Predict(int filter, int a, int b, int c) {
  switch (filter) {
    case 1:
      return a;
    case 2:
      return b;
    case 3:
      return (a + b) / 2;
    case 4: {
      const int p = a + b - c;
      const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      if (pa <= pb && pa <= pc) return a;
      return pb <= pc ? b : c;
    }
    default:
      return 0;
  }
}

// Packs one row of pixel values MSB first, padding bits zero.
std::string PackRow(const Header& header, const PixelFunction& pixel, const Grid& grid,
                    std::uint32_t pixels, std::uint32_t y) {
  const int bits = BitsPerPixel(header);
  std::string row((static_cast<std::uint64_t>(pixels) * bits + 7) / 8, '\0');
  for (std::uint32_t i = 0; i < pixels; ++i) {
    const std::uint64_t value = pixel(grid.x0 + i * grid.dx, y);
    if (bits < 8) {
      const std::uint64_t bit = static_cast<std::uint64_t>(i) * bits;
      const int shift = 8 - bits - static_cast<int>(bit % 8);
      row[bit / 8] = static_cast<char>(row[bit / 8] | ((value & ((1u << bits) - 1)) << shift));
    } else {
      const int bytes = bits / 8;
      for (int k = 0; k < bytes; ++k) {
        row[static_cast<std::size_t>(i) * bytes + k] =
            static_cast<char>(value >> (8 * (bytes - 1 - k)));
      }
    }
  }
  return row;
}

}  // namespace

std::string Signature() { return std::string("\x89PNG\r\n\x1a\n", 8); }

std::string BigEndian32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (24 - 8 * i));
  return bytes;
}

std::uint32_t ChunkCrc(std::string_view type, std::string_view data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(type.data()), static_cast<uInt>(type.size()));
  crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  return static_cast<std::uint32_t>(crc);
}

std::string ChunkBytes(const Chunk& chunk) {
  return BigEndian32(chunk.length.value_or(static_cast<std::uint32_t>(chunk.data.size()))) +
         chunk.type + chunk.data +
         BigEndian32(chunk.crc.value_or(ChunkCrc(chunk.type, chunk.data)));
}

std::string Assemble(const std::vector<Chunk>& chunks) {
  std::string file = Signature();
  for (const Chunk& chunk : chunks) file += ChunkBytes(chunk);
  return file;
}

std::string HeaderData(const Header& header) {
  return BigEndian32(header.width) + BigEndian32(header.height) +
         std::string{static_cast<char>(header.depth), static_cast<char>(header.colour_type),
                     static_cast<char>(header.compression), static_cast<char>(header.filter),
                     static_cast<char>(header.interlace)};
}

int BitsPerPixel(const Header& header) { return Channels(header.colour_type) * header.depth; }

std::string Scanlines(const Header& header, const PixelFunction& pixel,
                      const FilterFunction& filter) {
  const bool interlaced = header.interlace == 1;
  const int passes = interlaced ? 7 : 1;
  const int step = BitsPerPixel(header) >= 8 ? BitsPerPixel(header) / 8 : 1;
  std::string out;
  for (int pass = 0; pass < passes; ++pass) {
    const Grid& grid = interlaced ? kAdam7[pass] : kWhole;
    const std::uint32_t pixels = Extent(header.width, grid.x0, grid.dx);
    const std::uint32_t rows = Extent(header.height, grid.y0, grid.dy);
    if (pixels == 0 || rows == 0) continue;
    std::string prior;
    for (std::uint32_t r = 0; r < rows; ++r) {
      const std::string row = PackRow(header, pixel, grid, pixels, grid.y0 + r * grid.dy);
      if (prior.empty()) prior.assign(row.size(), '\0');
      const int type = filter(pass, r);
      out += static_cast<char>(type);
      for (std::size_t i = 0; i < row.size(); ++i) {
        const int a =
            i >= static_cast<std::size_t>(step) ? static_cast<unsigned char>(row[i - step]) : 0;
        const int b = static_cast<unsigned char>(prior[i]);
        const int c =
            i >= static_cast<std::size_t>(step) ? static_cast<unsigned char>(prior[i - step]) : 0;
        out += static_cast<char>(static_cast<unsigned char>(row[i]) - Predict(type, a, b, c));
      }
      prior = row;
    }
  }
  return out;
}

std::string Compress(std::string_view raw, int level) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                level) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

std::vector<Chunk> StandardChunks(const Header& header, std::string_view palette,
                                  std::string_view zlib_data, int idat_count) {
  std::vector<Chunk> chunks;
  chunks.push_back({"IHDR", HeaderData(header), {}, {}});
  if (!palette.empty()) chunks.push_back({"PLTE", std::string(palette), {}, {}});
  for (int i = 0; i < idat_count; ++i) {
    const std::size_t start = zlib_data.size() * i / idat_count;
    const std::size_t end = zlib_data.size() * (i + 1) / idat_count;
    chunks.push_back({"IDAT", std::string(zlib_data.substr(start, end - start)), {}, {}});
  }
  chunks.push_back({"IEND", "", {}, {}});
  return chunks;
}

std::string Palette(int entries) {
  std::string palette;
  for (int i = 0; i < entries; ++i) {
    palette += static_cast<char>(i);
    palette += static_cast<char>(255 - i);
    palette += static_cast<char>(i * 7);
  }
  return palette;
}

}  // namespace fontscan::png_builder
