#include "sheet/png_codec.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "sheet/png_check.h"
#include "sheet/stb_libraries.h"

#define STBI_NO_STDIO
#include <stb_image.h>

namespace fontscan {

namespace {

struct FreeWithStb {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

struct FreeWithFree {
  void operator()(unsigned char* bytes) const { std::free(bytes); }
};

}  // namespace

DecodeResult DecodePng(std::string_view file, RgbImage& image) {
  switch (CheckPng(file)) {
    case PngCheck::kTooBig:
      return DecodeResult::kTooBig;
    case PngCheck::kInvalid:
      return DecodeResult::kFailed;
    case PngCheck::kValid:
      break;
  }
  int width = 0;
  int height = 0;
  int channels = 0;
  std::unique_ptr<stbi_uc, FreeWithStb> pixels(
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                            static_cast<int>(file.size()), &width, &height, &channels, 3));
  if (!pixels) return DecodeResult::kFailed;
  image.width = width;
  image.height = height;
  const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  image.pixels.assign(pixels.get(), pixels.get() + size);
  return DecodeResult::kDecoded;
}

bool EncodePng(const RgbImage& image, std::string& file) {
  int size = 0;
  std::unique_ptr<unsigned char, FreeWithFree> png(
      WriteRgbPng(image.pixels.data(), image.width, image.height, &size));
  if (!png) return false;
  file.assign(reinterpret_cast<const char*>(png.get()), static_cast<std::size_t>(size));
  return true;
}

}  // namespace fontscan
