// stb_image, compiled once for the tests, with its warnings off (it is C code in C++).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "tests/e2e/png_inspect.h"

namespace fontscan::testing {

std::optional<Image> DecodePng(std::string_view file, int* channels) {
  int width = 0;
  int height = 0;
  int own_channels = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                            static_cast<int>(file.size()), &width, &height, &own_channels, 3);
  if (pixels == nullptr) return std::nullopt;
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = static_cast<std::uint32_t>(pixels[3 * i]) << 16 |
                      static_cast<std::uint32_t>(pixels[3 * i + 1]) << 8 | pixels[3 * i + 2];
  }
  stbi_image_free(pixels);
  if (channels != nullptr) *channels = own_channels;
  return image;
}

}  // namespace fontscan::testing
