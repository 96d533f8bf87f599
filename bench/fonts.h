// Generated font texts of about 1 MiB in the shapes that matter for the walk's speed.
#pragma once

#include <cstdint>
#include <string>

namespace fontscan::bench {

struct GeneratedFont {
  std::string text;
  std::int32_t symbol_size;
  std::size_t walked;  // bytes up to the character that ends the walk
};

// 1X8: one byte per symbol, so the table fills up after 4096 of them and the warning ends the
// walk early.
GeneratedFont Tiny1x8();
// 8X16 as most published fonts are written: one glyph per line, hexadecimal bytes, a line
// comment naming the glyph; 4096 glyphs, then more text after the array that is never walked.
GeneratedFont Typical8x16();
// 8X16 with one row per line and the row's pixels drawn in a line comment; 1 MiB, all walked.
GeneratedFont Rows8x16();
// 256X256: 8192-byte symbols, sixteen bytes per line.
GeneratedFont Big256x256();
// 8X8 glyphs, each under a block comment that draws it and a directive line.
GeneratedFont CommentHeavy8x8();

// For the array reader, 1 MiB of array each: 8X16 glyphs in one flat list, one glyph per line
// with a line comment naming it; and the same as a nested list, one braced glyph per line.
std::string FlatCommented8x16();
std::string Nested8x16();

}  // namespace fontscan::bench
