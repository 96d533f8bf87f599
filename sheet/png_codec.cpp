#include "sheet/png_codec.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "sheet/png_check.h"

#define STBI_NO_STDIO
#include <stb_image.h>
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace fontscan {

namespace {

struct FreeWithStb {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

struct Output {
  std::string& file;
  bool failed = false;
};

// Called from C code, so nothing may be thrown through it.
void Append(void* context, void* data, int size) {
  auto& output = *static_cast<Output*>(context);
  try {
    output.file.append(static_cast<const char*>(data), static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    output.failed = true;
  }
}

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
  file.clear();
  Output output{file};
  const int written = stbi_write_png_to_func(Append, &output, image.width, image.height, 3,
                                             image.pixels.data(), image.width * 3);
  return written != 0 && !output.failed;
}

}  // namespace fontscan
