// Reading sheets back: sheets built here in every kind of PNG, and edited ones, each checked by
// the font text written, byte for byte; the geometry and mixed block errors.

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

constexpr std::uint32_t kInk = 0x000000;
constexpr std::uint32_t kPaper = 0xE6E6E6;
constexpr std::uint32_t kGrid5 = 0xCCFFFF;
constexpr std::uint32_t kGrid10 = 0x99FFFF;
constexpr std::uint32_t kGreen = 0x00FF00;

// A sample for each colour of a sheet in the default colours.
std::function<std::uint64_t(std::uint32_t)> Samples(std::map<std::uint32_t, std::uint64_t> map) {
  return [map](std::uint32_t colour) { return map.at(colour); };
}

// PLTE data of these colours.
std::string PaletteOf(const std::vector<std::uint32_t>& colours) {
  std::string data;
  for (std::uint32_t colour : colours) {
    data += static_cast<char>(colour >> 16);
    data += static_cast<char>(colour >> 8);
    data += static_cast<char>(colour);
  }
  return data;
}

// A palette of `size` entries holding these colours at these indices, dark noise elsewhere.
PngForm PaletteForm(int depth, int size, std::map<std::uint32_t, std::uint64_t> indices) {
  std::vector<std::uint32_t> entries(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) entries[i] = static_cast<std::uint32_t>(i * 0x010203);
  for (const auto& [colour, index] : indices) entries[index] = colour;
  PngForm form;
  form.colour_type = 3;
  form.depth = static_cast<std::uint8_t>(depth);
  form.palette = PaletteOf(entries);
  form.sample = Samples(indices);
  return form;
}

PngForm GreyForm(int depth, std::map<std::uint32_t, std::uint64_t> levels) {
  PngForm form;
  form.colour_type = 0;
  form.depth = static_cast<std::uint8_t>(depth);
  form.sample = Samples(levels);
  return form;
}

// 16 bits a sample: the colour's byte high, noise low.
std::uint64_t Wide(std::uint32_t colour, int shift) {
  const std::uint64_t value = colour >> shift & 0xFF;
  return value << 8 | (value ^ 0xA5);
}

PngForm RgbForm(int colour_type, int depth, bool interlaced = false) {
  PngForm form;
  form.colour_type = static_cast<std::uint8_t>(colour_type);
  form.depth = static_cast<std::uint8_t>(depth);
  form.interlaced = interlaced;
  const bool alpha = colour_type == 6;
  form.sample = [alpha, depth](std::uint32_t colour) -> std::uint64_t {
    // Ink fully transparent, everything else opaque: alpha is not looked at.
    const std::uint64_t opacity = colour == kInk ? 0 : depth == 16 ? 0xFFFF : 0xFF;
    if (depth == 8) return alpha ? std::uint64_t{colour} << 8 | opacity : colour;
    const std::uint64_t wide = Wide(colour, 16) << 32 | Wide(colour, 8) << 16 | Wide(colour, 0);
    return alpha ? wide << 16 | opacity : wide;
  };
  return form;
}

PngForm GreyAlphaForm(int depth, std::map<std::uint32_t, std::uint64_t> levels) {
  PngForm form;
  form.colour_type = 4;
  form.depth = static_cast<std::uint8_t>(depth);
  form.sample = [levels, depth](std::uint32_t colour) {
    const std::uint64_t alpha = colour == kInk ? 0 : 0x7F;
    return levels.at(colour) << depth | alpha;
  };
  return form;
}

png_builder::Chunk Text(std::string type, std::string data) {
  return {std::move(type), std::move(data), {}, {}};
}

struct ReadCase {
  const char* what;
  int width, height, count;
  std::vector<std::string> entries;
  PngForm form;
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) { return out << c.what; }

class SheetRead : public SheetRun, public ::testing::WithParamInterface<ReadCase> {};

// The sheet of a pattern font, stored as the case says and read back into WxH_sheet.h.
TEST_P(SheetRead, WritesTheFontText) {
  const ReadCase& c = GetParam();
  const SheetOptions options = OptionsOf(c.entries);
  const FontModel font = WithoutPadding(PatternFont(c.width, c.height, c.count, c.count + 50),
                                        options.layout(), options.lsb());
  const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
  WriteFile(size + "_sheet.png", EncodePng(ExpectedSheet(font, options), c.form));
  std::vector<std::string> arguments{size + "_sheet.png"};
  arguments.insert(arguments.end(), c.entries.begin(), c.entries.end());

  const ProcessResult result = RunSheet(arguments);
  const std::string report_name =
      std::to_string(c.width) + "X" + std::to_string(c.height) + "_SHEET.PNG";
  EXPECT_EQ(result.out, Joined({ReadingLines(c.count), kWritten,
                                FoundSheetReport(report_name, c.width, c.height, options)}));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ReadFile(size + "_sheet.h"), ExpectedFontText(font, options, LineEnd()));
}

// 12x16 symbols show every colour of the default scheme; 20 of them leave 12 unused cells.
const std::map<std::uint32_t, std::uint64_t> kFiveColours = {
    {kInk, 0}, {kPaper, 1}, {kGrid5, 2}, {kGrid10, 3}, {kGreen, 4}};

INSTANTIATE_TEST_SUITE_P(
    PngKinds, SheetRead,
    ::testing::Values(
        ReadCase{"RGB 8", 12, 16, 20, {}, RgbForm(2, 8)},
        ReadCase{"RGB 16", 12, 16, 20, {}, RgbForm(2, 16)},
        ReadCase{"RGBA 8", 12, 16, 20, {}, RgbForm(6, 8)},
        ReadCase{"RGBA 16", 12, 16, 20, {}, RgbForm(6, 16)},
        ReadCase{"RGB 8 interlaced", 12, 16, 20, {"/S3"}, RgbForm(2, 8, true)},
        ReadCase{"RGBA 16 interlaced", 12, 16, 5, {"/V", "/L2"}, RgbForm(6, 16, true)},
        ReadCase{"palette 8",
                 12,
                 16,
                 20,
                 {},
                 PaletteForm(8, 200, {{kInk, 7}, {kPaper, 50}, {kGrid5, 99}, {kGrid10, 150},
                                      {kGreen, 199}})},
        ReadCase{"palette 4",
                 12,
                 16,
                 20,
                 {},
                 PaletteForm(4, 16, {{kInk, 15}, {kPaper, 1}, {kGrid5, 3}, {kGrid10, 9},
                                     {kGreen, 0}})},
        // 4x4 symbols have no grid: ink, paper and the green of the unused cells.
        ReadCase{"palette 2", 4, 4, 5, {"/L4"}, PaletteForm(2, 4, {{kInk, 3}, {kPaper, 1}, {kGreen, 0}})},
        // Without delimiters and with full lines only ink and paper are left.
        ReadCase{"palette 1", 4, 4, 8, {"/ND", "/L4"}, PaletteForm(1, 2, {{kInk, 1}, {kPaper, 0}})},
        ReadCase{"palette 8 interlaced",
                 12,
                 16,
                 20,
                 {"/S2"},
                 [] {
                   PngForm form = PaletteForm(8, 5, kFiveColours);
                   form.interlaced = true;
                   return form;
                 }()},
        // Grey sheets have no green: their lines are full. 1, 2 and 4-bit levels are scaled to 0
        // to 255, which puts paper of level 1 of 2 bits (85) and level 3 of 4 bits (51) above the
        // ink limit of 50.
        ReadCase{"grey 1", 4, 4, 8, {"/ND", "/L4"}, GreyForm(1, {{kInk, 0}, {kPaper, 1}})},
        ReadCase{"grey 1 interlaced",
                 4,
                 4,
                 16,
                 {"/ND", "/L4", "/S3"},
                 [] {
                   PngForm form = GreyForm(1, {{kInk, 0}, {kPaper, 1}});
                   form.interlaced = true;
                   return form;
                 }()},
        ReadCase{"grey 2", 4, 4, 8, {"/L4"}, GreyForm(2, {{kInk, 0}, {kPaper, 1}, {kGreen, 2}})},
        ReadCase{"grey 4",
                 12,
                 16,
                 8,
                 {"/L4"},
                 GreyForm(4, {{kInk, 2}, {kPaper, 3}, {kGrid5, 5}, {kGrid10, 4}, {kGreen, 15}})},
        // 8 bits: 49 is ink, 50 is not; the delimiter lines, never read, are black.
        ReadCase{"grey 8",
                 12,
                 16,
                 8,
                 {"/L4"},
                 GreyForm(8, {{kInk, 49}, {kPaper, 50}, {kGrid5, 200}, {kGrid10, 120}, {kGreen, 0}})},
        // 16 bits: the high byte counts, so 0x31FF is 49 and ink, 0x3200 is 50 and paper.
        ReadCase{"grey 16",
                 12,
                 16,
                 8,
                 {"/L4"},
                 GreyForm(16, {{kInk, 0x31FF}, {kPaper, 0x3200}, {kGrid5, 0xC000}, {kGrid10, 0x8080},
                               {kGreen, 0}})},
        ReadCase{"grey and alpha 8",
                 12,
                 16,
                 8,
                 {"/L4"},
                 GreyAlphaForm(8, {{kInk, 10}, {kPaper, 240}, {kGrid5, 200}, {kGrid10, 150},
                                   {kGreen, 0}})},
        ReadCase{"grey and alpha 16",
                 12,
                 16,
                 8,
                 {"/L4"},
                 GreyAlphaForm(16, {{kInk, 0x0A0A}, {kPaper, 0xF0F0}, {kGrid5, 0xC8C8},
                                    {kGrid10, 0x9696}, {kGreen, 0}})},
        ReadCase{"palette with tRNS",
                 12,
                 16,
                 20,
                 {},
                 [] {
                   PngForm form = PaletteForm(8, 5, kFiveColours);
                   form.before_data = {Text("tRNS", std::string("\x00\x80\xFF", 3))};
                   return form;
                 }()},
        ReadCase{"grey with tRNS",
                 12,
                 16,
                 8,
                 {"/L4"},
                 [] {
                   PngForm form = GreyForm(8, {{kInk, 0}, {kPaper, 230}, {kGrid5, 204},
                                               {kGrid10, 153}, {kGreen, 77}});
                   form.before_data = {Text("tRNS", std::string("\x00\xE6", 2))};
                   return form;
                 }()},
        ReadCase{"RGB with tRNS, text, gAMA and a private chunk in three IDATs",
                 12,
                 16,
                 20,
                 {},
                 [] {
                   PngForm form = RgbForm(2, 8);
                   form.before_data = {Text("tRNS", std::string("\x00\x00\x00\x00\x00\x00", 6)),
                                       Text("tEXt", std::string("Comment\0edited", 14)),
                                       Text("gAMA", std::string("\x00\x00\xB1\x8F", 4)),
                                       Text("prVt", "anything")};
                   form.after_data = {Text("tEXt", std::string("Author\0someone", 14))};
                   form.idat_count = 3;
                   return form;
                 }()}));

INSTANTIATE_TEST_SUITE_P(
    Options, SheetRead,
    ::testing::Values(ReadCase{"vertical, no delimiters, scale 3, 7 a line",
                               5,
                               7,
                               16,
                               {"/L7", "/ND", "/S3", "/V"},
                               RgbForm(2, 8)},
                      ReadCase{"one a line", 6, 8, 3, {"/L1"}, RgbForm(2, 8)},
                      ReadCase{"fewer than a line", 6, 8, 3, {"/L7"}, RgbForm(2, 8)},
                      ReadCase{"scale 16", 3, 2, 2, {"/S16"}, RgbForm(2, 8)},
                      ReadCase{"columns MSB", 16, 12, 6, {"/L4", "/MSB"}, RgbForm(2, 8)},
                      ReadCase{"pages", 16, 12, 6, {"/L4", "/PAGES"}, RgbForm(2, 8)},
                      ReadCase{"pages MSB", 16, 12, 6, {"/L4", "/MSB", "/PAGES"}, RgbForm(2, 8)},
                      ReadCase{"rows", 16, 12, 6, {"/L4", "/ROWS"}, RgbForm(2, 8)},
                      ReadCase{"rows LSB", 16, 12, 6, {"/L4", "/LSB", "/ROWS"}, RgbForm(2, 8)},
                      ReadCase{"grey scheme", 12, 16, 20, {"/BW"}, RgbForm(2, 8)},
                      ReadCase{"own delimiter colour", 8, 8, 20, {"/CD0000FF"}, RgbForm(2, 8)}));

// A sheet edited in a paint program: blue ink, cream paper, no grid, red delimiter lines (never
// read); only the unused cells keep the exact delimiter colour.
TEST_F(SheetRun, SheetWithOtherInkAndPaper) {
  const FontModel font = PatternFont(12, 16, 20, 9);
  Image image = ExpectedSheet(font, {});
  for (std::uint32_t& pixel : image.pixels) {
    if (pixel == kInk) pixel = 0x1E1EC8;  // 30, 30, 200
    if (pixel == kPaper || pixel == kGrid5 || pixel == kGrid10) pixel = 0xFFFFF0;
  }
  // The delimiter lines: every pixel outside the cells.
  const SheetOptions options;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (x % 13 == 0 || y % 17 == 0) image.at(x, y) = 0xFF0000;
    }
  }
  // The ink rule at its edge: smallest component 49 is ink, 50 is not.
  const Point origin = CellOrigin(font, options, 0);
  const Place top_left = PlaceOf(font, Layout::kColumns, true, 0, 0);
  const Place next = PlaceOf(font, Layout::kColumns, true, 1, 0);
  image.at(origin.x, origin.y) = 0xC831C8;      // 200, 49, 200
  image.at(origin.x + 1, origin.y) = 0x323232;  // 50, 50, 50
  FontModel expected = font;
  expected.symbols[0][top_left.byte] |= top_left.mask;
  expected.symbols[0][next.byte] &= static_cast<std::uint8_t>(~next.mask);
  WriteFile("12x16_paint.png", EncodePng(image));

  const ProcessResult result = RunSheet({"12x16_paint.png"});
  EXPECT_EQ(result.out,
            Joined({ReadingLines(20), kWritten, FoundSheetReport("12X16_PAINT.PNG", 12, 16)}));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ReadFile("12x16_paint.h"), ExpectedFontText(expected, options, LineEnd()));
}

// The unused cells are found by the delimiter colour the options give, exactly.
TEST_F(SheetRun, UnusedCellsAreTheDelimiterColourOfTheOptions) {
  const FontModel font = PatternFont(8, 8, 20, 10);
  SheetOptions blue;
  blue.colours.delimiter = 0x0000FF;
  WriteFile("8x8_blue.png", EncodePng(ExpectedSheet(font, blue)));
  // Read with the default green, the twelve blue cells are symbols of nothing but ink.
  const ProcessResult result = RunSheet({"8x8_blue.png"});
  EXPECT_EQ(result.out,
            Joined({ReadingLines(32), kWritten, FoundSheetReport("8X8_BLUE.PNG", 8, 8)}));
  EXPECT_EQ(result.exit_code, 0);
  FontModel read = font;
  read.symbols.resize(32, Bytes(8, 0xFF));
  EXPECT_EQ(ReadFile("8x8_blue.h"), ExpectedFontText(read, {}, LineEnd()));

  // A cell one pixel off the delimiter colour is a used cell too.
  Image image = ExpectedSheet(font, {});
  const Point last = CellOrigin(font, {}, 31);
  image.at(last.x + 7, last.y + 7) = 0x00FE00;
  WriteFile("8x8_near.png", EncodePng(image));
  const ProcessResult near = RunSheet({"8x8_near.png"});
  // Cell 32 holds something, so the empty cells before it cannot end the symbols.
  EXPECT_EQ(near.out, Joined({kLoaded, GeometryError(145, 19, 8, 8, true, 16), kSheetHelp,
                              FoundSheetReport("8X8_NEAR.PNG", 8, 8)}));
  EXPECT_EQ(near.exit_code, 1);
}

// Sheets whose size or cells do not fit the options they are read with.
TEST_F(SheetRun, ImageSizeDoesNotFit) {
  // 20 symbols of 8x8 in lines of 16: 145 x 19 pixels, 12 unused cells.
  const FontModel font = PatternFont(8, 8, 20, 11);
  const Image sheet = ExpectedSheet(font, {});
  Image narrower;
  narrower.width = sheet.width - 1;
  narrower.height = sheet.height;
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < narrower.width; ++x) narrower.pixels.push_back(sheet.at(x, y));
  }
  // Sixteen symbols and a second line of nothing but delimiter colour.
  Image empty_line = sheet;
  for (int x = 0; x < sheet.width; ++x) {
    for (int y = 10; y < 19; ++y) empty_line.at(x, y) = kGreen;
  }
  // Ink in an unused cell after the first one.
  Image ink_after = sheet;
  const Point seventh = CellOrigin(font, {}, 22);
  ink_after.at(seventh.x + 3, seventh.y + 3) = kInk;
  Image tiny;
  tiny.width = 5;
  tiny.height = 5;
  tiny.pixels.assign(25, kPaper);
  Image dot;
  dot.width = 1;
  dot.height = 1;
  dot.pixels.assign(1, kGreen);

  struct Case {
    const char* what;
    const Image& image;
    std::vector<std::string> entries;
    int width, height, cell_width, cell_height;
    bool delimiter;
    int per_line;
  };
  const Case cases[] = {
      {"one pixel too narrow", narrower, {}, 144, 19, 8, 8, true, 16},
      {"more cells in a line than asked", sheet, {"/L8"}, 145, 19, 8, 8, true, 8},
      {"two lines of fewer cells than asked", sheet, {"/L32"}, 145, 19, 8, 8, true, 32},
      {"read without delimiters", sheet, {"/ND"}, 145, 19, 8, 8, false, 16},
      {"read at scale 2", sheet, {"/S2"}, 145, 19, 16, 16, true, 16},
      {"read vertical", sheet, {"/V"}, 145, 19, 8, 8, true, 16},
      {"last line unused", empty_line, {}, 145, 19, 8, 8, true, 16},
      {"ink after an unused cell", ink_after, {}, 145, 19, 8, 8, true, 16},
      {"smaller than a cell", tiny, {}, 5, 5, 8, 8, true, 16},
      {"nothing but a delimiter", dot, {}, 1, 1, 8, 8, true, 16},
      {"smaller than a cell, without delimiters",
       tiny,
       {"/L3", "/ND", "/S2"},
       5,
       5,
       16,
       16,
       false,
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile("8x8_fit.png", EncodePng(c.image));
    std::vector<std::string> arguments{"8x8_fit.png"};
    arguments.insert(arguments.end(), c.entries.begin(), c.entries.end());
    const ProcessResult result = RunSheet(arguments);
    EXPECT_EQ(result.out,
              Joined({kLoaded,
                      GeometryError(c.width, c.height, c.cell_width, c.cell_height, c.delimiter,
                                    c.per_line),
                      kSheetHelp, FoundSheetReport("8X8_FIT.PNG", 8, 8, OptionsOf(c.entries))}));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_fit.png"});
  }
}

TEST_F(SheetRun, RowLayoutReadBackNeedsAWidthOfWholeBytes) {
  SheetOptions rows;
  rows.rows = true;
  const FontModel font = PatternFont(12, 16, 3, 12);
  WriteFile("12x16_rows.png", EncodePng(ExpectedSheet(font, {})));
  const ProcessResult result = RunSheet({"12x16_rows.png", "/ROWS"});
  EXPECT_EQ(result.out,
            Joined({kLoaded, kRowWidth, FoundSheetReport("12X16_ROWS.PNG", 12, 16, rows)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"12x16_rows.png"});
}

TEST_F(SheetRun, BlockOfMixedColours) {
  SheetOptions options;
  options.scale = 2;
  const FontModel font = WithoutPadding(PatternFont(8, 8, 3, 13), Layout::kColumns, true);
  Image image = ExpectedSheet(font, options);
  // Symbol 2 (index 1) starts at x = 1 + 17 = 18, y = 1. Two of its blocks are spoilt: (0, 3)
  // comes first in the image, (5, 0) first in reading order, row by row.
  const Point origin = CellOrigin(font, options, 1);
  ASSERT_EQ(origin.x, 18);
  ASSERT_EQ(origin.y, 1);
  auto spoil = [&](int column, int row, int dx, int dy) {
    std::uint32_t& pixel = image.at(origin.x + column * 2 + dx, origin.y + row * 2 + dy);
    pixel = pixel == kInk ? 0xFFFFFF : 0x101010;
  };
  spoil(0, 3, 1, 0);
  spoil(5, 0, 1, 1);
  // Blocks of two paper colours or two inks are not mixed.
  const Point first = CellOrigin(font, options, 0);
  image.at(first.x + 1, first.y + 1) =
      image.at(first.x + 1, first.y + 1) == kInk ? 0x202020 : 0xFFFFFF;
  WriteFile("8x8_mixed.png", EncodePng(image));
  const ProcessResult result = RunSheet({"8x8_mixed.png", "/S2"});
  EXPECT_EQ(result.out, Joined({ReadingLines(1), MixedBlock(2, 5, 0, 28, 1), kSheetHelp,
                                FoundSheetReport("8X8_MIXED.PNG", 8, 8, options)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_mixed.png"});
}

TEST_F(SheetRun, SheetWithUpTo4096Symbols) {
  // One-pixel symbols without delimiters, 4096 a line; ink in every third.
  SheetOptions options;
  options.no_delimiter = true;
  options.per_line = 4096;
  FontModel font;
  font.width = 1;
  font.height = 1;
  for (int i = 0; i < 4096; ++i) font.symbols.push_back(Bytes{std::uint8_t(i % 3 == 0)});
  const Image full = ExpectedSheet(font, options);
  ASSERT_EQ(full.width, 4096);
  ASSERT_EQ(full.height, 1);
  WriteFile("1x1_full.png", EncodePng(full));
  const ProcessResult result = RunSheet({"1x1_full.png", "/L4096", "/ND"});
  EXPECT_EQ(result.out, Joined({ReadingLines(4096), kWritten,
                                FoundSheetReport("1X1_FULL.PNG", 1, 1, options)}));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ReadFile("1x1_full.h"), ExpectedFontText(font, options, LineEnd()));

  // A second line with one symbol makes 4097; with all of them 8192.
  for (bool whole_line : {false, true}) {
    SCOPED_TRACE(whole_line ? "8192" : "4097");
    Image more = full;
    more.height = 2;
    more.pixels.resize(8192, whole_line ? kInk : kGreen);
    more.at(0, 1) = kPaper;
    WriteFile("1x1_more.png", EncodePng(more));
    const ProcessResult too_many = RunSheet({"1x1_more.png", "/L4096", "/ND"});
    EXPECT_EQ(too_many.out,
              Joined({kLoaded, kTooManyInImage, FoundSheetReport("1X1_MORE.PNG", 1, 1, options)}));
    EXPECT_EQ(too_many.exit_code, 1);
    EXPECT_FALSE(ReadFile("1x1_more.h"));
  }
}

// Of a sheet and a font file the one that sorts first is taken, and only that one.
TEST_F(SheetRun, FirstRecognisedFileIsTaken) {
  const FontModel font = PatternFont(8, 8, 2, 14);
  WriteFile("8x8_a.png", EncodePng(ExpectedSheet(font, {})));
  WriteFile("8x8_b.h", FontSource(font));
  const ProcessResult sheet = RunSheet({"8x8_b.h", "8x8_a.png"});
  EXPECT_EQ(sheet.out, Joined({ReadingLines(2), kWritten, FoundSheetReport("8X8_A.PNG", 8, 8)}));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"8x8_a.h", "8x8_a.png", "8x8_b.h"}));

  WriteFile("8x8_c.png", EncodePng(ExpectedSheet(font, {})));
  const ProcessResult font_first = RunSheet({"8x8_c.png", "8x8_b.h"});
  EXPECT_EQ(font_first.out, Joined({ReadingLines(2), kWritten, FoundSheetReport("8X8_B.H", 8, 8)}));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"8x8_a.h", "8x8_a.png", "8x8_b.h", "8x8_b.png",
                                                 "8x8_c.png"}));
}

}  // namespace
}  // namespace fontscan::testing
