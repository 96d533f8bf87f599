// The one translation unit that holds the stb image reader and writer: PNG only, no files, the
// writer compressing and checksumming through zlib.

#include "sheet/stb_libraries.h"

#include <zlib.h>

#include <cstdlib>

#include "sheet/zlib_stream.h"

namespace {

// stb_image_write's compressor hook: a zlib stream in memory that stb frees with free(). A sheet
// is flat colour, and level 1 already finds most of its repeats: level 6 makes a large sheet's
// file 40% smaller but takes five times as long.
unsigned char* CompressWithZlib(unsigned char* data, int size, int* out_size, int /*quality*/) {
  std::size_t length = 0;
  unsigned char* out = fontscan::CompressZlibStream(data, static_cast<std::size_t>(size), &length);
  if (out != nullptr) *out_size = static_cast<int>(length);
  return out;
}

unsigned int ChecksumWithZlib(unsigned char* data, int size) {
  return static_cast<unsigned int>(crc32(0, data, static_cast<uInt>(size)));
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

// The writer's functions and settings stay inside this file.
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#define STBIW_ZLIB_COMPRESS CompressWithZlib
#define STBIW_CRC32 ChecksumWithZlib
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace fontscan {

unsigned char* WriteRgbPng(const unsigned char* pixels, int width, int height, int* size) {
  // Every row filtered with Up: the rows of a scaled pixel repeat, and Up makes the repeats zeros.
  // stb's own choice, tried row by row, takes half the writing time and gains nothing on sheets.
  // This file's copy of the setting is read by no one else.
  stbi_write_force_png_filter = 2;
  return stbi_write_png_to_mem(pixels, width * 3, width, height, 3, size);
}

}  // namespace fontscan
