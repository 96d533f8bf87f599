#include "bench/fonts.h"

#include <cstdio>

namespace fontscan::bench {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// The same pseudo-random glyph bytes on every run.
std::uint8_t GlyphByte(std::uint32_t glyph, std::uint32_t row) {
  std::uint32_t x = glyph * 2654435761u + row * 40503u + 12345u;
  x ^= x >> 13;
  return static_cast<std::uint8_t>(x * 1274126177u >> 24);
}

std::string Hex(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

std::string Pixels(std::uint8_t byte) {
  std::string row;
  for (int bit = 7; bit >= 0; --bit) row.push_back((byte >> bit) & 1 ? '#' : '.');
  return row;
}

// Pads the text after the array with lines that are never walked, up to 1 MiB.
void PadToMiB(std::string& text) {
  while (text.size() + 64 <= kMiB) text += "static const int unused_after_the_array_padding = 0;\n";
  text.append(kMiB - text.size(), ' ');
}

}  // namespace

GeneratedFont Tiny1x8() {
  std::string text = "// one-byte glyphs\nconst unsigned char font[][1] = {\n";
  std::size_t walked = 0;
  for (std::uint32_t glyph = 0; text.size() + 16 < kMiB; ++glyph) {
    if (glyph == 4096) walked = text.size() + 3;  // the brace of the symbol one too many
    text += "  {" + Hex(GlyphByte(glyph, 0)) + "},\n";
  }
  text += "};\n";
  PadToMiB(text);
  return {text, 1, walked};
}

GeneratedFont Typical8x16() {
  std::string text =
      "#ifndef FONT8X16_H\n#define FONT8X16_H\n\n// 8x16 glyphs, one byte per row\n"
      "const unsigned char font8x16[4096][16] = {\n";
  for (std::uint32_t glyph = 0; glyph < 4096; ++glyph) {
    text += "    { ";
    for (std::uint32_t row = 0; row < 16; ++row) {
      text += Hex(GlyphByte(glyph, row));
      text += row < 15 ? ", " : " ";
    }
    char comment[32];
    std::snprintf(comment, sizeof comment, "},   // U+%04X\n", glyph);
    text += comment;
  }
  text += "};\n\n#endif\n";
  const std::size_t walked = text.find("};\n\n#endif") + 1;
  PadToMiB(text);
  return {text, 16, walked};
}

GeneratedFont Rows8x16() {
  std::string text = "// 8x16 glyphs, one row per line\nconst unsigned char font8x16[][16] = {\n";
  for (std::uint32_t glyph = 0;; ++glyph) {
    std::string block = "  {  // glyph " + std::to_string(glyph) + "\n";
    for (std::uint32_t row = 0; row < 16; ++row) {
      const std::uint8_t byte = GlyphByte(glyph, row);
      block += "    " + Hex(byte) + (row < 15 ? ", " : "  ") + "// " + Pixels(byte) + "\n";
    }
    block += "  },\n";
    if (text.size() + block.size() + 3 > kMiB) break;
    text += block;
  }
  text += "};\n";
  const std::size_t walked = text.size() - 2;
  text.append(kMiB - text.size(), '\n');
  return {text, 16, walked};
}

GeneratedFont Big256x256() {
  std::string text = "// 256x256 glyphs, 8192 bytes each\nconst unsigned char font[][8192] = {\n";
  for (std::uint32_t glyph = 0;; ++glyph) {
    std::string block = "  {\n";
    for (std::uint32_t byte = 0; byte < 8192; ++byte) {
      if (byte % 16 == 0) block += "   ";
      block += " " + Hex(GlyphByte(glyph, byte));
      if (byte < 8191) block += ",";
      if (byte % 16 == 15) block += "\n";
    }
    block += "  },\n";
    if (text.size() + block.size() + 3 > kMiB) break;
    text += block;
  }
  text += "};\n";
  const std::size_t walked = text.size() - 2;
  text.append(kMiB - text.size(), ' ');
  return {text, 8192, walked};
}

GeneratedFont CommentHeavy8x8() {
  std::string text =
      "/*\n * 8x8 glyphs, each drawn in the comment above it.\n */\n#include <stdint.h>\n"
      "const uint8_t font8x8[][8] = {\n";
  for (std::uint32_t glyph = 0; glyph < 4096; ++glyph) {
    std::string block = "/* glyph " + std::to_string(glyph) + "\n";
    for (std::uint32_t row = 0; row < 8; ++row) {
      block +=
          " *   " + Pixels(GlyphByte(glyph, row)) + "   " + Pixels(GlyphByte(glyph, row)) + "\n";
    }
    block += " */\n#define GLYPH_" + std::to_string(glyph) + " " + std::to_string(glyph) + "\n  {";
    for (std::uint32_t row = 0; row < 8; ++row) {
      block += Hex(GlyphByte(glyph, row)) + (row < 7 ? "," : "");
    }
    block += "},  // glyph " + std::to_string(glyph) + "\n";
    if (text.size() + block.size() + 3 > kMiB) break;
    text += block;
  }
  text += "};\n";
  const std::size_t walked = text.size() - 2;
  text.append(kMiB - text.size(), '\n');
  return {text, 8, walked};
}

namespace {

std::string ArrayFont(bool nested) {
  std::string text =
      nested ? "const uint8_t font[][16] PROGMEM = {\n" : "const uint8_t font[] = {\n";
  for (std::uint32_t glyph = 0;; ++glyph) {
    std::string line = nested ? "  { " : "  ";
    for (std::uint32_t row = 0; row < 16; ++row) {
      line += Hex(GlyphByte(glyph, row));
      if (row < 15 || !nested) line += ", ";
    }
    if (nested) {
      line += "},\n";
    } else {
      char comment[32];
      std::snprintf(comment, sizeof comment, " // U+%04X\n", glyph);
      line += comment;
    }
    if (text.size() + line.size() + 3 > kMiB) break;
    text += line;
  }
  text += "};\n";
  return text;
}

}  // namespace

std::string FlatCommented8x16() { return ArrayFont(false); }
std::string Nested8x16() { return ArrayFont(true); }

}  // namespace fontscan::bench
