// A picture in memory: 8-bit red, green and blue for each pixel, row after row from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fontscan {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

// The colour 0xRRGGBB.
inline Rgb RgbOf(std::int32_t colour) {
  return {static_cast<std::uint8_t>(colour >> 16 & 0xFF),
          static_cast<std::uint8_t>(colour >> 8 & 0xFF), static_cast<std::uint8_t>(colour & 0xFF)};
}

struct RgbImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 3 bytes

  Rgb at(std::int64_t x, std::int64_t y) const {
    const std::uint8_t* p = &pixels[static_cast<std::size_t>((y * width + x) * 3)];
    return {p[0], p[1], p[2]};
  }
};

}  // namespace fontscan
