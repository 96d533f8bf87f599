// stb_image compiled once for the fuzz targets, with its warnings off (it is C code in C++).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS (1 << 26)
#include "fuzz/stb_decode.h"

#include <stb_image.h>

namespace fontscan::fuzzing {

bool StbDecode(std::string_view file, RgbImage& image) {
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                            static_cast<int>(file.size()), &width, &height, &channels, 3);
  if (pixels == nullptr) return false;
  image.width = width;
  image.height = height;
  image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 3);
  stbi_image_free(pixels);
  return true;
}

}  // namespace fontscan::fuzzing
