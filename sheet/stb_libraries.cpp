// The one translation unit that holds the stb image reader and writer: PNG only, no files, the
// writer compressing through zlib.

#include <zlib.h>

#include <cstdlib>

namespace {

// stb_image_write's compressor hook: a zlib stream in memory that stb frees with free().
unsigned char* CompressWithZlib(unsigned char* data, int size, int* out_size, int /*quality*/) {
  // Sheets are flat colour: the fast levels already find nearly every repeat.
  constexpr int kLevel = 6;
  uLongf length = compressBound(static_cast<uLong>(size));
  auto* out = static_cast<unsigned char*>(std::malloc(length));
  if (out == nullptr) return nullptr;
  if (compress2(out, &length, data, static_cast<uLong>(size), kLevel) != Z_OK) {
    std::free(out);
    return nullptr;
  }
  *out_size = static_cast<int>(length);
  return out;
}

}  // namespace

#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS (1 << 26)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#define STBI_WRITE_NO_STDIO
#define STBIW_ZLIB_COMPRESS CompressWithZlib
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
