// What the stb translation unit offers besides stb_image's own interface.
#pragma once

namespace fontscan {

// The PNG file of an 8-bit RGB picture, in memory from malloc() (to be freed with free()), or
// null when memory cannot be had.
unsigned char* WriteRgbPng(const unsigned char* pixels, int width, int height, int* size);

}  // namespace fontscan
