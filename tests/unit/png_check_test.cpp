// CheckPng against files built from pieces: valid ones of every colour type and depth, and the same
// files broken one way at a time.

#include "sheet/png_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/png_builder.h"

namespace fontscan {
namespace {

namespace pb = png_builder;
using Chunks = std::vector<pb::Chunk>;

// Values that go up and down along a row, so that filtered bytes wrap around.
std::uint64_t Pattern(std::uint32_t x, std::uint32_t y) {
  return (std::uint64_t{x} * 0x9E3779B97F4A7C15u) ^ (std::uint64_t{y} * 0xC2B2AE3D27D4EB4Fu) ^ x;
}

pb::PixelFunction Pixels(const pb::Header& header, int entries) {
  const int bits = pb::BitsPerPixel(header);
  return [bits, entries](std::uint32_t x, std::uint32_t y) {
    const std::uint64_t value = Pattern(x, y) >> 7;
    if (entries > 0) return value % entries;
    return bits == 64 ? value : value & ((std::uint64_t{1} << bits) - 1);
  };
}

pb::FilterFunction Cycle() {
  return [](int pass, std::uint32_t row) { return static_cast<int>((pass + row) % 5); };
}

// An image of pixels below `entries` (any value when 0), with a palette of `palette` colours.
Chunks Image(const pb::Header& header, int entries, int idats = 1, int palette = -1) {
  const std::string raw = pb::Scanlines(header, Pixels(header, entries), Cycle());
  return pb::StandardChunks(header, pb::Palette(palette < 0 ? entries : palette), pb::Compress(raw),
                            idats);
}

// A 6x5 RGB image in two IDAT chunks, and a 7x6 palette image of 3 colours at depth 8.
const pb::Header kRgb{6, 5, 8, 2};
const pb::Header kIndexed{7, 6, 8, 3};
Chunks Rgb() { return Image(kRgb, 0, 2); }
Chunks Indexed() { return Image(kIndexed, 3); }

Chunks Inserted(Chunks chunks, std::size_t at, pb::Chunk chunk) {
  chunks.insert(chunks.begin() + static_cast<std::ptrdiff_t>(at), std::move(chunk));
  return chunks;
}

std::string RgbRaw() { return pb::Scanlines(kRgb, Pixels(kRgb, 0), Cycle()); }

Chunks WithCrc(Chunks chunks, std::size_t at, std::uint32_t crc) {
  chunks[at].crc = crc;
  return chunks;
}

Chunks WithLength(Chunks chunks, std::size_t at, std::uint32_t length) {
  chunks[at].length = length;
  return chunks;
}

Chunks WithData(Chunks chunks, std::size_t at, std::string data) {
  chunks[at].data = std::move(data);
  return chunks;
}

Chunks Removed(Chunks chunks, std::size_t at, std::size_t count) {
  const auto first = chunks.begin() + static_cast<std::ptrdiff_t>(at);
  chunks.erase(first, first + static_cast<std::ptrdiff_t>(count));
  return chunks;
}

std::string Flipped(std::string bytes, std::size_t at, int mask) {
  bytes[at] = static_cast<char>(bytes[at] ^ mask);
  return bytes;
}

// The RGB image's data under another header.
std::string RgbAs(const pb::Header& header) {
  return pb::Assemble(pb::StandardChunks(header, "", pb::Compress(RgbRaw())));
}

// An RGB image whose raw data (filter bytes included) is `raw`, compressed.
std::string RgbWithRaw(const std::string& raw) {
  return pb::Assemble(pb::StandardChunks(kRgb, "", pb::Compress(raw)));
}

std::string RgbWithZlib(const std::string& zlib) {
  return pb::Assemble(pb::StandardChunks(kRgb, "", zlib));
}

// A palette image of 3 colours where one pixel holds index 3, every row filtered with `filter`.
std::string BadIndex(pb::Header header, std::uint32_t bad_x, std::uint32_t bad_y, int filter) {
  const auto good = Pixels(header, 3);
  const std::string raw = pb::Scanlines(
      header,
      [&](std::uint32_t x, std::uint32_t y) { return x == bad_x && y == bad_y ? 3 : good(x, y); },
      [filter](int, std::uint32_t) { return filter; });
  return pb::Assemble(pb::StandardChunks(header, pb::Palette(3), pb::Compress(raw)));
}

TEST(PngCheck, AcceptsEveryColourTypeAndDepth) {
  const struct {
    std::uint8_t colour_type;
    std::vector<std::uint8_t> depths;
  } kTypes[] = {{0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  const std::pair<std::uint32_t, std::uint32_t> kSizes[] = {{1, 1}, {3, 5}, {9, 9}, {33, 4}};
  for (const auto& type : kTypes) {
    for (std::uint8_t depth : type.depths) {
      for (std::uint8_t interlace : {0, 1}) {
        for (const auto& [width, height] : kSizes) {
          const pb::Header header{width, height, depth, type.colour_type, 0, 0, interlace};
          // Palettes both full and short of 2^depth colours; an optional one for RGB and RGBA.
          const int full = 1 << depth;
          std::vector<int> palettes = {0};
          if (type.colour_type == 3) palettes = {full, std::max(1, full * 3 / 4)};
          if (type.colour_type == 2 || type.colour_type == 6) palettes = {0, 5};
          for (int entries : palettes) {
            SCOPED_TRACE(::testing::Message()
                         << "type " << int{type.colour_type} << " depth " << int{depth}
                         << " interlace " << int{interlace} << " " << width << "x" << height
                         << " palette " << entries);
            const int pixel_entries = type.colour_type == 3 ? entries : 0;
            const std::string raw = pb::Scanlines(header, Pixels(header, pixel_entries), Cycle());
            for (int idats : {1, 3}) {
              const std::string file = pb::Assemble(
                  pb::StandardChunks(header, pb::Palette(entries), pb::Compress(raw), idats));
              EXPECT_EQ(CheckPng(file), PngCheck::kValid);
            }
          }
        }
      }
    }
  }
}

// The image data size worked out by hand for Adam7 images where some passes are empty.
TEST(PngCheck, InterlacedDataSizes) {
  const struct {
    pb::Header header;
    std::size_t raw_size;
  } kCases[] = {
      {{1, 1, 8, 0, 0, 0, 1}, 2},          // pass 1 only
      {{3, 5, 8, 0, 0, 0, 1}, 25},         // pass 2 empty: 2+2+4+3+6+8
      {{2, 2, 1, 0, 0, 0, 1}, 2 + 2 + 2},  // passes 1, 6 and 7, one byte a row
      {{9, 9, 16, 6, 0, 0, 1}, 34 + 18 + 25 + 51 + 82 + 165 + 292},  // every pass holds pixels
  };
  for (const auto& c : kCases) {
    const std::string raw = pb::Scanlines(c.header, Pixels(c.header, 0), Cycle());
    ASSERT_EQ(raw.size(), c.raw_size);
    for (int extra : {-1, 0, 1}) {
      std::string changed = raw;
      if (extra < 0) changed.pop_back();
      if (extra > 0) changed += '\0';
      EXPECT_EQ(CheckPng(pb::Assemble(pb::StandardChunks(c.header, "", pb::Compress(changed)))),
                extra == 0 ? PngCheck::kValid : PngCheck::kInvalid)
          << c.raw_size << " " << extra;
    }
  }
}

TEST(PngCheck, AcceptsWhatTheStandardAllows) {
  const pb::Chunk text{"tEXt", std::string("Title\0sheet", 11), {}, {}};
  const pb::Header wide{70001, 2, 8, 3};  // rows longer than the inflate window
  const pb::Header padded{9, 2, 2, 3};
  std::string padded_raw =
      pb::Scanlines(padded, Pixels(padded, 3), [](int, std::uint32_t) { return 0; });
  for (int row = 0; row < 2; ++row) padded_raw[row * 4 + 3] |= 0x3F;  // bits past the 9th pixel
  const struct {
    const char* name;
    std::string file;
  } kCases[] = {
      {"bytes after IEND", pb::Assemble(Rgb()) + std::string("garbage\0\xff", 9)},
      {"a chunk after IEND", pb::Assemble(Inserted(Rgb(), 4, {"CRIT", "x", 1, {}}))},
      {"ancillary chunks around", pb::Assemble(Inserted(Inserted(Indexed(), 1, text), 4, text))},
      {"empty IDAT between", pb::Assemble(Inserted(Rgb(), 2, {"IDAT", "", {}, {}}))},
      {"empty IDAT last", pb::Assemble(Inserted(Rgb(), 3, {"IDAT", "", {}, {}}))},
      {"IDATs of 0 or 1 byte", pb::Assemble(Image(kIndexed, 3, 1000))},
      {"stored zlib blocks", pb::Assemble(pb::StandardChunks(kRgb, "", pb::Compress(RgbRaw(), 0)))},
      {"wide palette rows", pb::Assemble(Image(wide, 200))},
      {"padding bits set",
       pb::Assemble(pb::StandardChunks(padded, pb::Palette(3), pb::Compress(padded_raw)))},
      {"8192x8192 exactly",
       pb::Assemble(pb::StandardChunks({8192, 8192, 1, 0}, "",
                                       pb::Compress(std::string(8192 * 1025, '\0'))))},
  };
  for (const auto& c : kCases) EXPECT_EQ(CheckPng(c.file), PngCheck::kValid) << c.name;
}

// 2x2 palette images whose second pixel of row 1 sits on a Paeth tie: read with the wrong one of
// the tied neighbours, its index falls outside the palette.
TEST(PngCheck, PaethBreaksTiesInTheStandardOrder) {
  const struct {
    const char* name;
    std::uint64_t pixels[4];  // row 0, then row 1; (1, 1) is predicted from a, b and c
    int entries;
  } kCases[] = {
      {"b before c", {50, 150, 0, 0}, 151},     // a 0, b 150, c 50: |p-b| = |p-c| = 50
      {"a before c", {100, 50, 200, 50}, 201},  // a 200, b 50, c 100: |p-a| = |p-c| = 50
  };
  for (const auto& c : kCases) {
    const pb::Header header{2, 2, 8, 3};
    const std::string raw = pb::Scanlines(
        header, [&](std::uint32_t x, std::uint32_t y) { return c.pixels[y * 2 + x]; },
        [](int, std::uint32_t row) { return row == 0 ? 0 : 4; });
    const std::string file =
        pb::Assemble(pb::StandardChunks(header, pb::Palette(c.entries), pb::Compress(raw)));
    EXPECT_EQ(CheckPng(file), PngCheck::kValid) << c.name;
  }
}

TEST(PngCheck, RejectsEachSingleFault) {
  const pb::Chunk text{"tEXt", std::string("a\0b", 3), {}, {}};
  const pb::Chunk plte{"PLTE", pb::Palette(4), {}, {}};
  const std::string raw = RgbRaw();
  const std::string zlib = pb::Compress(raw);
  const std::string valid = pb::Assemble(Rgb());
  const std::uint32_t ihdr_crc = pb::ChunkCrc("IHDR", Rgb()[0].data);
  const std::size_t row = 19;  // a 6-pixel RGB row and its filter byte
  const struct {
    const char* name;
    std::string file;
  } kCases[] = {
      {"empty file", ""},
      {"signature only", pb::Signature()},
      {"bad signature", "\x89PNG\n\n\x1a\n" + valid.substr(8)},
      {"IHDR CRC", pb::Assemble(WithCrc(Rgb(), 0, ihdr_crc ^ 0x80000000u))},
      {"IDAT CRC", pb::Assemble(WithCrc(Rgb(), 2, 0))},
      {"ancillary CRC", pb::Assemble(Inserted(Rgb(), 1, {"tEXt", "a", 7, {}}))},
      {"IEND CRC", pb::Assemble(WithCrc(Rgb(), 3, 0))},
      {"digit in a type", pb::Assemble(Inserted(Rgb(), 1, {"tEX1", "", {}, {}}))},
      {"IHDR not first", pb::Assemble(Inserted(Rgb(), 0, text))},
      {"second IHDR", pb::Assemble(Inserted(Rgb(), 1, Rgb()[0]))},
      {"IHDR length 14", pb::Assemble(WithData(Rgb(), 0, pb::HeaderData(kRgb) + '\0'))},
      {"zero width", RgbAs({0, 5, 8, 2})},
      {"zero height", RgbAs({6, 0, 8, 2})},
      {"width 2^31", RgbAs({0x80000000u, 5, 8, 2})},
      {"RGB depth 4", RgbAs({6, 5, 4, 2})},
      {"palette depth 16", RgbAs({6, 5, 16, 3})},
      {"colour type 1", RgbAs({6, 5, 8, 1})},
      {"compression 1", RgbAs({6, 5, 8, 2, 1, 0, 0})},
      {"filter method 1", RgbAs({6, 5, 8, 2, 0, 1, 0})},
      {"interlace 2", RgbAs({6, 5, 8, 2, 0, 0, 2})},
      {"interlace flag on plain data", RgbAs({6, 5, 8, 2, 0, 0, 1})},
      {"PLTE missing", pb::Assemble(Removed(Indexed(), 1, 1))},
      {"PLTE in grey", pb::Assemble(Image({4, 4, 8, 0}, 0, 1, 2))},
      {"PLTE in grey with alpha", pb::Assemble(Image({4, 4, 8, 4}, 0, 1, 2))},
      {"PLTE after IDAT", pb::Assemble(Inserted(Rgb(), 3, plte))},
      {"two PLTE", pb::Assemble(Inserted(Inserted(Rgb(), 1, plte), 1, plte))},
      {"PLTE of 4 bytes", pb::Assemble(Inserted(Rgb(), 1, {"PLTE", "abcd", {}, {}}))},
      {"PLTE empty", pb::Assemble(Inserted(Rgb(), 1, {"PLTE", "", {}, {}}))},
      {"PLTE of 257", pb::Assemble(Inserted(Rgb(), 1, {"PLTE", pb::Palette(257), {}, {}}))},
      {"palette too long for depth", pb::Assemble(Image({4, 4, 1, 3}, 2, 1, 3))},
      {"IDATs split by tEXt", pb::Assemble(Inserted(Rgb(), 2, text))},
      {"no IDAT", pb::Assemble(Removed(Rgb(), 1, 2))},
      {"no IEND", pb::Assemble(Removed(Rgb(), 3, 1))},
      {"IEND with data", pb::Assemble(WithData(Rgb(), 3, "x"))},
      {"unknown critical chunk", pb::Assemble(Inserted(Rgb(), 1, {"CRIT", "", {}, {}}))},
      {"truncated file", valid.substr(0, valid.size() - 1)},
      {"chunk past the end", pb::Assemble(WithLength(Rgb(), 1, 1000))},
      {"length 2^31", pb::Assemble(Inserted(Rgb(), 1, {"tEXt", "", {}, 0x80000000u}))},
      {"length 2^32-1", pb::Assemble(WithLength(Rgb(), 2, 0xFFFFFFFFu))},
      {"zlib header check", RgbWithZlib(Flipped(zlib, 1, 0x01))},
      {"zlib preset dictionary", RgbWithZlib("\x78\x3F" + zlib.substr(2))},  // 0x783F: 31 * 993
      {"zlib window over 32K", RgbWithZlib("\x88\x1C" + zlib.substr(2))},    // 0x881C: 31 * 1124
      {"zlib bad block type", RgbWithZlib("\x78\xDA\x07")},
      {"adler32", RgbWithZlib(Flipped(zlib, zlib.size() - 1, 0x01))},
      {"zlib stream cut short", RgbWithZlib(zlib.substr(0, zlib.size() - 4))},
      {"byte after the zlib stream", RgbWithZlib(zlib + '\0')},
      {"IDAT after the zlib stream", pb::Assemble(Inserted(Rgb(), 3, {"IDAT", "x", {}, {}}))},
      {"one byte too few", RgbWithRaw(raw.substr(0, raw.size() - 1))},
      {"one row too few", RgbWithRaw(raw.substr(0, raw.size() - row))},
      {"one byte too many", RgbWithRaw(raw + '\0')},
      {"one row too many", RgbWithRaw(raw + raw.substr(0, row))},
      {"filter type 5 first", RgbWithRaw("\x05" + raw.substr(1))},
      {"filter type 255 last", RgbWithRaw(Flipped(raw, 4 * row, 0xFF))},
      {"index after Sub", BadIndex(kIndexed, 4, 2, 1)},
      {"index after Up", BadIndex(kIndexed, 0, 5, 2)},
      {"index after Average", BadIndex(kIndexed, 6, 3, 3)},
      {"index after Paeth", BadIndex(kIndexed, 3, 4, 4)},
      {"index at depth 2, last pixel", BadIndex({9, 3, 2, 3}, 8, 2, 4)},
      {"index in Adam7 pass 7", BadIndex({9, 9, 2, 3, 0, 0, 1}, 8, 7, 4)},
      {"index in a wide row", BadIndex({70001, 2, 8, 3}, 70000, 1, 4)},
  };
  for (const auto& c : kCases) EXPECT_EQ(CheckPng(c.file), PngCheck::kInvalid) << c.name;
}

// The ancillary chunks that the standard gives a place, a count or a size, in the RGB image
// (IHDR, IDAT, IDAT, IEND) and the palette image of 3 colours (IHDR, PLTE, IDAT, IEND).
TEST(PngCheck, AncillaryChunksInTheirPlacesCountsAndSizes) {
  const auto chunk = [](const char* type, std::string data) {
    return pb::Chunk{type, std::move(data), {}, {}};
  };
  const pb::Chunk gama = chunk("gAMA", std::string("\0\0\xB1\x8F", 4));
  const pb::Chunk time = chunk("tIME", std::string("\x07\xEA\x0C\x07\x0C\x00\x00", 7));
  const pb::Chunk rgb_trns = chunk("tRNS", std::string(6, '\x10'));
  const pb::Chunk palette_trns = chunk("tRNS", std::string(3, '\x80'));
  const pb::Chunk hist = chunk("hIST", std::string(6, '\x01'));
  const pb::Chunk plte = chunk("PLTE", pb::Palette(4));
  // `base` with each chunk inserted before the chunk at its index.
  const auto with = [](Chunks base, std::vector<std::pair<std::size_t, pb::Chunk>> added) {
    for (auto it = added.rbegin(); it != added.rend(); ++it) {
      base = Inserted(base, it->first, it->second);
    }
    return pb::Assemble(base);
  };
  const auto rgb_with = [&](std::vector<std::pair<std::size_t, pb::Chunk>> added) {
    return with(Rgb(), std::move(added));
  };
  const auto indexed_with = [&](std::vector<std::pair<std::size_t, pb::Chunk>> added) {
    return with(Indexed(), std::move(added));
  };
  const struct {
    const char* name;
    std::string file;
    PngCheck expected;
  } kCases[] = {
      {"every kind in its place (RGB)",
       rgb_with({{1, gama},
                 {1, chunk("cHRM", std::string(32, '\x01'))},
                 {1, chunk("sRGB", "\x03")},
                 {1, chunk("sBIT", "\x05\x06\x08")},
                 {1, chunk("pHYs", std::string("\0\0\x0B\x13\0\0\x0B\x13\x01", 9))},
                 {1, chunk("bKGD", std::string(6, '\0'))},
                 {1, rgb_trns},
                 {1, chunk("sPLT", std::string("p\0\x08\0\0\0\xFF\0\0", 9))},
                 {1, chunk("sPLT", std::string("q\0\x08\0\0\0\xFF\0\0", 9))},
                 {3, time},
                 {3, chunk("tEXt", std::string("a\0b", 3))},
                 {3, chunk("prIv", "x")}}),
       PngCheck::kValid},
      {"every kind in its place (palette)",
       indexed_with({{1, gama},
                     {1, chunk("sBIT", "\x08\x01\x04")},
                     {2, palette_trns},
                     {2, chunk("bKGD", "\x02")},
                     {2, hist},
                     {3, time}}),
       PngCheck::kValid},
      {"hIST after a suggested palette",
       rgb_with({{1, plte}, {1, chunk("hIST", std::string(8, '\0'))}}), PngCheck::kValid},
      {"tRNS of fewer entries than the palette", indexed_with({{2, chunk("tRNS", "\x80")}}),
       PngCheck::kValid},
      {"gAMA after PLTE", indexed_with({{2, gama}}), PngCheck::kInvalid},
      {"gAMA after IDAT", rgb_with({{3, gama}}), PngCheck::kInvalid},
      {"two gAMA", rgb_with({{1, gama}, {1, gama}}), PngCheck::kInvalid},
      {"gAMA of 1 byte", rgb_with({{1, chunk("gAMA", "x")}}), PngCheck::kInvalid},
      {"cHRM of 31 bytes", rgb_with({{1, chunk("cHRM", std::string(31, '\x01'))}}),
       PngCheck::kInvalid},
      {"sRGB intent 4", rgb_with({{1, chunk("sRGB", "\x04")}}), PngCheck::kInvalid},
      {"pHYs unit 2", rgb_with({{1, chunk("pHYs", std::string("\0\0\0\x01\0\0\0\x01\x02", 9))}}),
       PngCheck::kInvalid},
      {"pHYs after IDAT", rgb_with({{3, chunk("pHYs", std::string(9, '\0'))}}), PngCheck::kInvalid},
      {"sBIT of 0 bits", rgb_with({{1, chunk("sBIT", std::string("\x08\0\x08", 3))}}),
       PngCheck::kInvalid},
      {"sBIT above the depth", rgb_with({{1, chunk("sBIT", "\x08\x09\x08")}}), PngCheck::kInvalid},
      {"sBIT of grey size in RGB", rgb_with({{1, chunk("sBIT", "\x08")}}), PngCheck::kInvalid},
      {"tRNS before PLTE", indexed_with({{1, palette_trns}}), PngCheck::kInvalid},
      {"tRNS after IDAT", rgb_with({{3, rgb_trns}}), PngCheck::kInvalid},
      {"two tRNS", rgb_with({{1, rgb_trns}, {1, rgb_trns}}), PngCheck::kInvalid},
      {"tRNS of 4 bytes in RGB", rgb_with({{1, chunk("tRNS", "abcd")}}), PngCheck::kInvalid},
      {"tRNS longer than the palette", indexed_with({{2, chunk("tRNS", "abcd")}}),
       PngCheck::kInvalid},
      {"tRNS with alpha", pb::Assemble(Inserted(Image({4, 4, 8, 6}, 0), 1, rgb_trns)),
       PngCheck::kInvalid},
      {"bKGD index outside the palette", indexed_with({{2, chunk("bKGD", "\x03")}}),
       PngCheck::kInvalid},
      {"bKGD of grey size in RGB", rgb_with({{1, chunk("bKGD", std::string(2, '\0'))}}),
       PngCheck::kInvalid},
      {"PLTE after bKGD", rgb_with({{1, chunk("bKGD", std::string(6, '\0'))}, {1, plte}}),
       PngCheck::kInvalid},
      {"hIST without PLTE", rgb_with({{1, hist}}), PngCheck::kInvalid},
      {"hIST of the wrong size", indexed_with({{2, chunk("hIST", std::string(4, '\0'))}}),
       PngCheck::kInvalid},
      {"two tIME", rgb_with({{1, time}, {3, time}}), PngCheck::kInvalid},
      {"tIME of 6 bytes", rgb_with({{3, chunk("tIME", std::string(6, '\x01'))}}),
       PngCheck::kInvalid},
  };
  for (const auto& c : kCases) EXPECT_EQ(CheckPng(c.file), c.expected) << c.name;
}

TEST(PngCheck, RejectsEveryCutAndEveryFlippedBit) {
  const std::string file =
      pb::Assemble(Inserted(Indexed(), 2, {"tEXt", std::string("k\0v", 3), {}, {}}));
  ASSERT_EQ(CheckPng(file), PngCheck::kValid);
  for (std::size_t size = 0; size < file.size(); ++size) {
    EXPECT_EQ(CheckPng(file.substr(0, size)), PngCheck::kInvalid) << size;
  }
  for (std::size_t bit = 0; bit < file.size() * 8; ++bit) {
    std::string changed = file;
    changed[bit / 8] = static_cast<char>(changed[bit / 8] ^ (1 << (bit % 8)));
    EXPECT_EQ(CheckPng(changed), PngCheck::kInvalid) << bit;
  }
}

TEST(PngCheck, TooBigAsSoonAsTheHeaderIsRead) {
  auto head = [](std::uint32_t width, std::uint32_t height) {
    return pb::Signature() +
           pb::ChunkBytes({"IHDR", pb::HeaderData({width, height, 8, 2}), {}, {}});
  };
  const pb::Chunk huge{"IHDR", pb::HeaderData({100000, 100000, 8, 2}), {}, {}};
  const struct {
    const char* name;
    std::string file;
    PngCheck expected;
  } kCases[] = {
      {"nothing after", head(100000, 100000), PngCheck::kTooBig},
      {"garbage after", head(100000, 100000) + "\xff\xff\xff\xffnot a chunk", PngCheck::kTooBig},
      {"largest sizes", head(0x7FFFFFFF, 0x7FFFFFFF), PngCheck::kTooBig},
      {"8193x8192", head(8193, 8192), PngCheck::kTooBig},
      {"8192x8193", head(8192, 8193), PngCheck::kTooBig},
      {"8192x8192, nothing after", head(8192, 8192), PngCheck::kInvalid},
      {"67108864x1, nothing after", head(67108864, 1), PngCheck::kInvalid},
      {"bad signature", "\x89PNG\r\n\x1a\r" + head(100000, 100000).substr(8), PngCheck::kInvalid},
      {"bad IHDR CRC", pb::Assemble({{"IHDR", huge.data, 0, {}}}), PngCheck::kInvalid},
      {"IHDR cut short", head(100000, 100000).substr(0, 32), PngCheck::kInvalid},
      {"bad depth", pb::Assemble({{"IHDR", pb::HeaderData({100000, 100000, 7, 2}), {}, {}}}),
       PngCheck::kInvalid},
      {"IHDR second", pb::Assemble({{"tEXt", "", {}, {}}, huge}), PngCheck::kInvalid},
      {"width 2^31", head(0x80000000u, 1), PngCheck::kInvalid},
  };
  for (const auto& c : kCases) EXPECT_EQ(CheckPng(c.file), c.expected) << c.name;
}

}  // namespace
}  // namespace fontscan
