// The own PNG code: palette pictures written and read back, and the colours of every PNG format.

#include "sheet/png_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/png_builder.h"

namespace fontscan {
namespace {

namespace pb = png_builder;

struct Collected final : platform::ByteSink {
  bool Write(std::string_view piece) override {
    if (fail_after >= 0 && writes++ >= fail_after) return false;
    bytes.append(piece);
    return true;
  }
  std::string bytes;
  int fail_after = -1;  // the writes that succeed before every other fails; -1: all succeed
  int writes = 0;
};

struct Picture final : PaletteRows {
  bool Repeats(std::uint32_t y) const override { return repeats && y > 0 && y % 2 == 1; }
  void Paint(std::uint32_t y, std::uint8_t* out) const override {
    std::copy(&indices[y * width], &indices[(y + 1) * width], out);
  }
  std::size_t width = 0;
  std::vector<std::uint8_t> indices;
  bool repeats = false;  // every odd row is its even row again, and says so
};

Picture MakePicture(std::uint32_t width, std::uint32_t height, int colours, bool noisy,
                    bool repeats) {
  std::mt19937 random(width * 31 + height);
  Picture picture;
  picture.width = width;
  picture.repeats = repeats;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t value = noisy ? random() : (x / 64 + y / 16);
      picture.indices.push_back(repeats && y % 2 == 1 ? picture.indices[(y - 1) * width + x]
                                                      : static_cast<std::uint8_t>(value % colours));
    }
  }
  return picture;
}

std::vector<Rgb> MakePalette(int colours) {
  std::vector<Rgb> palette;
  for (int i = 0; i < colours; ++i) {
    palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                       static_cast<std::uint8_t>(i * 7)});
  }
  return palette;
}

// Widths that fill the last byte of a row or not, at each depth; pictures on either side of the
// size where the second half is made on a thread of its own; rows that compress and rows that
// do not.
TEST(PalettePng, DecodesToThePixelsWritten) {
  const struct {
    std::uint32_t width, height;
    int colours;
  } cases[] = {
      {1, 1, 1},  {3, 2, 2},     {9, 4, 3},      {7, 5, 5},     {13, 3, 16},
      {5, 6, 17}, {2000, 66, 5}, {2000, 140, 5}, {999, 600, 4}, {4001, 1000, 2},
  };
  for (const auto& c : cases) {
    for (const bool noisy : {false, true}) {
      for (const bool repeats : {false, true}) {
        const Picture picture = MakePicture(c.width, c.height, c.colours, noisy, repeats);
        const std::vector<Rgb> palette = MakePalette(c.colours);
        Collected file;
        ASSERT_TRUE(WritePalettePng(file, c.width, c.height, palette, picture));
        const std::string what = std::to_string(c.width) + "x" + std::to_string(c.height) +
                                 (noisy ? " noisy" : " flat") + (repeats ? " repeats" : "");
        // IHDR: the depth that holds the palette; PLTE right after it.
        EXPECT_EQ(static_cast<int>(file.bytes[24]), PaletteDepth(palette.size())) << what;
        EXPECT_EQ(file.bytes.substr(37, 4), "PLTE") << what;
        RgbImage image;
        ASSERT_EQ(DecodePng(file.bytes, image), DecodeResult::kDecoded) << what;
        ASSERT_EQ(image.width, static_cast<std::int32_t>(c.width));
        ASSERT_EQ(image.height, static_cast<std::int32_t>(c.height));
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < picture.indices.size(); ++i) {
          const Rgb want = palette[picture.indices[i]];
          wrong += !(image.at(static_cast<std::int64_t>(i % c.width),
                              static_cast<std::int64_t>(i / c.width)) == want);
        }
        EXPECT_EQ(wrong, 0u) << what;
        // Long runs of one colour take a small part of their raw bytes; rows without runs are
        // stored as they are, in little more than their raw bytes.
        const std::size_t raw = c.height * (1 + (c.width * PaletteDepth(palette.size()) + 7) / 8);
        if (!noisy && raw > 100000) {
          EXPECT_LT(file.bytes.size(), raw / 20) << what;
        }
        if (noisy && !repeats && c.colours > 2) {
          EXPECT_LT(file.bytes.size(), raw + raw / 100 + 120 + 3 * palette.size()) << what;
        }
      }
    }
  }
}

TEST(PalettePng, AFailedWriteFailsTheWhole) {
  const Picture picture = MakePicture(3000, 300, 5, true, false);
  for (const int fail_after : {0, 2, 5, 9}) {
    Collected file;
    file.fail_after = fail_after;
    EXPECT_FALSE(WritePalettePng(file, 3000, 300, MakePalette(5), picture)) << fail_after;
  }
}

// The colours of one image in every colour type and depth, interlaced or not, next to what its
// samples mean, worked out here.
TEST(RowColours, EveryFormatGivesItsColours) {
  const struct {
    std::uint8_t colour_type, depth;
  } formats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                 {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
  for (const auto& f : formats) {
    for (const bool interlaced : {false, true}) {
      pb::Header header{13, 11, f.depth, f.colour_type};
      header.interlace = interlaced ? 1 : 0;
      const int bits = pb::BitsPerPixel(header);
      const int entries = f.colour_type == 3 ? (1 << f.depth) - (f.depth > 1 ? 1 : 0) : 0;
      const std::string palette = pb::Palette(entries);
      const auto value = [&](std::uint32_t x, std::uint32_t y) -> std::uint64_t {
        const std::uint64_t v = (x * 0x9E3779B97F4A7C15u) ^ (y * 0xC2B2AE3D27D4EB4Fu) ^ (x << 3);
        if (entries > 0) return (v >> 11) % static_cast<std::uint64_t>(entries);
        return bits == 64 ? v : v & ((std::uint64_t{1} << bits) - 1);
      };
      const auto expected = [&](std::uint64_t v) -> Rgb {
        const int d = f.depth;
        const std::uint64_t most = (std::uint64_t{1} << d) - 1;
        const auto high = [d](std::uint64_t sample) {
          return static_cast<std::uint8_t>(d == 16 ? sample >> 8 : sample);
        };
        switch (f.colour_type) {
          case 0: {
            const auto grey = static_cast<std::uint8_t>(d < 8 ? v * 255 / most : high(v));
            return {grey, grey, grey};
          }
          case 3: {
            const auto at = static_cast<std::size_t>(3 * v);
            return {static_cast<std::uint8_t>(palette[at]),
                    static_cast<std::uint8_t>(palette[at + 1]),
                    static_cast<std::uint8_t>(palette[at + 2])};
          }
          case 4:
            return {high(v >> d), high(v >> d), high(v >> d)};
          default: {
            const std::uint64_t rgb = f.colour_type == 6 ? v >> d : v;
            return {high(rgb >> 2 * d), high(rgb >> d & most), high(rgb & most)};
          }
        }
      };
      const std::string file = pb::Assemble(pb::StandardChunks(
          header, palette,
          pb::Compress(pb::Scanlines(header, value, [](int pass, std::uint32_t row) {
            return static_cast<int>((pass + row) % 5);
          }))));
      RgbImage image;
      ASSERT_EQ(DecodePng(file, image), DecodeResult::kDecoded)
          << int{f.colour_type} << "/" << int{f.depth} << (interlaced ? " interlaced" : "");
      for (std::uint32_t y = 0; y < header.height; ++y) {
        for (std::uint32_t x = 0; x < header.width; ++x) {
          ASSERT_EQ(image.at(x, y), expected(value(x, y)))
              << int{f.colour_type} << "/" << int{f.depth} << (interlaced ? " interlaced" : "")
              << " at " << x << ", " << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace fontscan
