#include "sheet/layout_finder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/value_bytes.h"
#include "tests/unit/reader_walk.h"

namespace fontscan::testing {
namespace {

using Pixels = std::vector<std::vector<bool>>;  // a glyph's rows

struct PixelFont {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<Pixels> glyphs;
};

// The glyphs of a font file drawn in its true layout.
PixelFont ReadPixels(const std::string& path, const GlyphFormat& format) {
  const RunState state = LoadFont(path, SymbolBytes(format)).state;
  PixelFont font{format.width, format.height, {}};
  for (std::int32_t number = 1; number <= state.SYMBOLSDATA.count(); ++number) {
    Pixels glyph(static_cast<std::size_t>(format.height),
                 std::vector<bool>(static_cast<std::size_t>(format.width)));
    for (std::int32_t r = 0; r < format.height; ++r) {
      for (std::int32_t c = 0; c < format.width; ++c) {
        const BitPlace place = PlaceOfPixel(format, c, r);
        glyph[r][c] = (state.SYMBOLSDATA.at(number, place.byte) & place.mask) != 0;
      }
    }
    font.glyphs.push_back(glyph);
  }
  return font;
}

// The bundled sample: rows, left pixel in bit 0, from code 0.
const PixelFont& Basic8x8() {
  static const PixelFont font = ReadPixels(std::string(FONTSCAN_EXAMPLES) + "/8x8_basic_dhepper.h",
                                           {8, 8, 8, ByteLayout::kRows, true});
  return font;
}

// Columns, top pixel in bit 7, from code 32; the glyphs in the lower seven rows.
const PixelFont& Columns5x8() {
  static const PixelFont font =
      ReadPixels(std::string(FONTSCAN_TEST_DATA) + "/fonts/5x7_commented_decl_ht1632.h",
                 {5, 8, 8, ByteLayout::kColumns, false});
  return font;
}

// Each pixel `across` x `down` pixels; the first `drop` glyphs left out.
PixelFont Scaled(const PixelFont& font, std::int32_t across, std::int32_t down,
                 std::size_t drop = 0) {
  PixelFont scaled{font.width * across, font.height * down, {}};
  for (std::size_t i = drop; i < font.glyphs.size(); ++i) {
    Pixels glyph;
    for (const auto& row : font.glyphs[i]) {
      std::vector<bool> wide;
      for (const bool pixel : row) wide.insert(wide.end(), static_cast<std::size_t>(across), pixel);
      glyph.insert(glyph.end(), static_cast<std::size_t>(down), wide);
    }
    scaled.glyphs.push_back(glyph);
  }
  return scaled;
}

// The symbols of the font in `format`.
SymbolTable Encode(const PixelFont& font, const GlyphFormat& format) {
  SymbolTable table;
  table.SetSymbolSize(SymbolBytes(format));
  for (const Pixels& glyph : font.glyphs) {
    table.AddSymbol();
    for (std::int32_t r = 0; r < format.height; ++r) {
      for (std::int32_t c = 0; c < format.width; ++c) {
        const BitPlace place = PlaceOfPixel(format, c, r);
        if (glyph[r][c]) table.at(table.count(), place.byte) |= place.mask;
      }
    }
  }
  return table;
}

// An array of `value_bits` values, one list a symbol when nested.
FontValues ArrayOf(const SymbolTable& table, std::int32_t value_bits, bool lsb_first, bool nested) {
  FontValues font;
  font.array_mode = true;
  font.value_bits = value_bits;
  font.nested = nested;
  const std::int32_t per_symbol = static_cast<std::int32_t>(table.symbol_size()) * 8 / value_bits;
  for (std::int32_t number = 1; number <= table.count(); ++number) {
    for (std::int32_t i = 0; i < per_symbol; ++i) {
      font.values.push_back(
          ValueOfBytes(table.bytes(number) + i * value_bits / 8, value_bits, lsb_first));
    }
    if (nested) font.list_lengths.push_back(per_symbol);
  }
  return font;
}

enum class Source { kBasic8x8, kColumns5x8 };

struct Encoding {
  const char* name;
  Source source;
  std::int32_t across, down;  // scale
  std::size_t drop;           // glyphs left out at the start
  ByteLayout layout;
  bool lsb_first;
  std::int32_t value_bits;  // 0: the strict reading
  bool nested;
  std::int32_t given_width, given_height;
  std::size_t fitting;  // candidates that fit
  const char* options;  // of the true layout
};

void PrintTo(const Encoding& encoding, std::ostream* os) { *os << encoding.name; }

class TrueLayoutTest : public ::testing::TestWithParam<Encoding> {};

TEST_P(TrueLayoutTest, RanksFirstAlone) {
  const Encoding& e = GetParam();
  const PixelFont font =
      Scaled(e.source == Source::kBasic8x8 ? Basic8x8() : Columns5x8(), e.across, e.down, e.drop);
  ASSERT_GE(font.glyphs.size(), 95u);
  const bool array_mode = e.value_bits != 0;
  const std::int32_t byte_rows = (font.height + 7) / 8 * 8;
  const GlyphFormat format{font.width, font.height,
                           e.layout == ByteLayout::kRows && array_mode ? font.height : byte_rows,
                           e.layout, e.lsb_first};
  const SymbolTable table = Encode(font, format);
  const FontValues values = array_mode ? ArrayOf(table, e.value_bits, e.lsb_first, e.nested)
                                       : StrictFontValues(table, table.count());

  const auto ranked = RankLayouts(FindLayouts(values, e.given_width, e.given_height));
  std::string ranking;
  for (const FoundLayout& layout : ranked) ranking += RankingLine(layout) + "\n";
  ASSERT_EQ(ranked.size(), e.fitting) << ranking;
  EXPECT_EQ(LayoutOptions(ranked[0].format), e.options) << ranking;
  EXPECT_EQ(VerdictLine(ranked, "f.layouts.png"), std::string("Best layout: ") + e.options + ".");
  for (std::size_t i = 1; i < ranked.size(); ++i) {
    EXPECT_LT(ranked[i].score.score, ranked[0].score.score) << ranking;
  }
}

constexpr auto kCol = ByteLayout::kColumns;
constexpr auto kPag = ByteLayout::kPages;
constexpr auto kRow = ByteLayout::kRows;

const Encoding kEncodings[] = {
    {"Basic_ColumnsLsb", Source::kBasic8x8, 1, 1, 0, kCol, true, 0, false, 8, 8, 4,
     "/LSB /SIZE8X8"},
    {"Basic_ColumnsMsb", Source::kBasic8x8, 1, 1, 0, kCol, false, 0, false, 8, 8, 4,
     "/MSB /SIZE8X8"},
    {"Basic_RowsMsb", Source::kBasic8x8, 1, 1, 0, kRow, false, 0, false, 8, 8, 4,
     "/ROWS /MSB /SIZE8X8"},
    {"Basic_RowsLsb", Source::kBasic8x8, 1, 1, 0, kRow, true, 0, false, 8, 8, 4,
     "/ROWS /LSB /SIZE8X8"},
    {"BasicFrom31_RowsLsb", Source::kBasic8x8, 1, 1, 31, kRow, true, 0, false, 8, 8, 4,
     "/ROWS /LSB /SIZE8X8"},
    {"BasicFrom32_ColumnsMsb", Source::kBasic8x8, 1, 1, 32, kCol, false, 0, false, 8, 8, 4,
     "/MSB /SIZE8X8"},
    {"BasicNested_RowsLsb", Source::kBasic8x8, 1, 1, 0, kRow, true, 8, true, 8, 8, 4,
     "/ROWS /LSB /SIZE8X8"},
    // 8x16 and its transpose 16x8 take 16 bytes in every layout.
    {"Tall_ColumnsLsb", Source::kBasic8x8, 1, 2, 0, kCol, true, 0, false, 8, 16, 10,
     "/LSB /SIZE8X16"},
    {"Tall_ColumnsMsb", Source::kBasic8x8, 1, 2, 0, kCol, false, 0, false, 8, 16, 10,
     "/MSB /SIZE8X16"},
    {"Tall_PagesLsb", Source::kBasic8x8, 1, 2, 0, kPag, true, 0, false, 8, 16, 10,
     "/PAGES /LSB /SIZE8X16"},
    {"Tall_PagesMsb", Source::kBasic8x8, 1, 2, 0, kPag, false, 0, false, 8, 16, 10,
     "/PAGES /MSB /SIZE8X16"},
    {"Tall_RowsMsb", Source::kBasic8x8, 1, 2, 0, kRow, false, 0, false, 8, 16, 10,
     "/ROWS /MSB /SIZE8X16"},
    {"Tall_RowsLsb", Source::kBasic8x8, 1, 2, 0, kRow, true, 0, false, 8, 16, 10,
     "/ROWS /LSB /SIZE8X16"},
    // One 16-bit value a row or a column.
    {"Large16_RowsMsb", Source::kBasic8x8, 2, 2, 0, kRow, false, 16, false, 16, 16, 6,
     "/ROWS /MSB /SIZE16X16"},
    {"Large16_RowsLsb", Source::kBasic8x8, 2, 2, 0, kRow, true, 16, false, 16, 16, 6,
     "/ROWS /LSB /SIZE16X16"},
    {"Large16_ColumnsMsb", Source::kBasic8x8, 2, 2, 0, kCol, false, 16, false, 16, 16, 6,
     "/MSB /SIZE16X16"},
    {"Large16_PagesLsb", Source::kBasic8x8, 2, 2, 0, kPag, true, 16, true, 16, 16, 6,
     "/PAGES /LSB /SIZE16X16"},
    {"Narrow_ColumnsLsb", Source::kColumns5x8, 1, 1, 0, kCol, true, 0, false, 5, 8, 2,
     "/LSB /SIZE5X8"},
    {"Narrow_ColumnsMsb", Source::kColumns5x8, 1, 1, 0, kCol, false, 0, false, 5, 8, 2,
     "/MSB /SIZE5X8"},
    // In array mode rows of any width: 5x8 and 8x5 in 5 or 8 bytes, all fitting 95 x 8 values.
    {"NarrowArray_RowsMsb", Source::kColumns5x8, 1, 1, 0, kRow, false, 8, false, 5, 8, 8,
     "/ROWS /MSB /SIZE5X8"},
    // Lists of 8 values: the 5-byte layouts do not fit them.
    {"NarrowNested_RowsLsb", Source::kColumns5x8, 1, 1, 0, kRow, true, 8, true, 5, 8, 4,
     "/ROWS /LSB /SIZE5X8"},
    // Pairs of rows in 16-bit values: no 5-byte layout fits.
    {"Narrow16_RowsMsb", Source::kColumns5x8, 1, 1, 0, kRow, false, 16, false, 5, 8, 4,
     "/ROWS /MSB /SIZE5X8"},
    {"NarrowArrayGivenAcross_ColumnsLsb", Source::kColumns5x8, 1, 1, 0, kCol, true, 8, false, 8, 5,
     4, "/LSB /SIZE5X8"},
};

INSTANTIATE_TEST_SUITE_P(Encodings, TrueLayoutTest, ::testing::ValuesIn(kEncodings),
                         [](const auto& info) { return std::string(info.param.name); });

// Each check holds on real glyphs in their true layout and fails when they are read mirrored,
// upside down or scrambled.
struct CheckCase {
  std::int32_t check;  // (a) to (f) as 0 to 5
  const PixelFont& (*font)();
  GlyphFormat truth;
  GlyphFormat misread;
};

const PixelFont& Large16x16() {
  static const PixelFont font = Scaled(Basic8x8(), 2, 2);
  return font;
}

const CheckCase kCheckCases[] = {
    {0, Basic8x8, {8, 8, 8, kCol, true}, {8, 8, 8, kCol, false}},  // upside down
    {0, Columns5x8, {5, 8, 8, kCol, false}, {5, 8, 8, kCol, true}},
    {1, Basic8x8, {8, 8, 8, kCol, true}, {8, 8, 8, kCol, false}},
    {1, Columns5x8, {5, 8, 8, kCol, false}, {5, 8, 8, kCol, true}},
    {2, Basic8x8, {8, 8, 8, kRow, true}, {8, 8, 8, kRow, false}},  // mirrored
    {3, Basic8x8, {8, 8, 8, kCol, true}, {8, 8, 8, kCol, false}},
    {3, Columns5x8, {5, 8, 8, kCol, false}, {5, 8, 8, kCol, true}},
    {4, Basic8x8, {8, 8, 8, kRow, true}, {8, 8, 8, kRow, false}},
    {4, Columns5x8, {5, 8, 8, kCol, false}, {5, 8, 8, kCol, true}},
    // Columns read as pages: every other column from the lower band.
    {5, Large16x16, {16, 16, 16, kCol, false}, {16, 16, 16, kPag, false}},
};

TEST(LayoutChecks, HoldOnTheTrueLayoutOnly) {
  for (const CheckCase& c : kCheckCases) {
    SCOPED_TRACE("check " + std::to_string(c.check) + ", " + LayoutOptions(c.misread));
    const SymbolTable table = Encode(c.font(), c.truth);
    const LayoutScore truth = ScoreLayout(c.truth, table);
    const LayoutScore misread = ScoreLayout(c.misread, table);
    ASSERT_TRUE(truth.checks_apply && misread.checks_apply);
    EXPECT_TRUE(truth.checks[c.check]);
    EXPECT_FALSE(misread.checks[c.check]);
  }
}

// The rules at their edges, on the sample font with some glyphs redrawn: each picture's rows from
// the top, '#' for ink.
struct Redrawn {
  const char* codes;
  std::vector<const char*> rows;
};

struct EdgeCase {
  std::int32_t check;
  std::vector<Redrawn> glyphs;
  bool holds;
};

const std::vector<const char*> kEndsInRow5 = {"", "", "", "", "", "#"};
const std::vector<const char*> kEndsInRow6 = {"", "", "", "", "", "", "#"};
// Capitals, J and Q aside, ending 12 in row 5 and 12 in row 6: the base row is 5.
const Redrawn kCapitals5[] = {{"ABCDEFGHIKLM", kEndsInRow5}, {"NOPRSTUVWXYZJQ", kEndsInRow6}};

const EdgeCase kEdgeCases[] = {
    {0, {{"_", {"", "", "", "", "########"}}}, true},  // 2r = h
    {0, {{"_", {"", "", "", "########"}}}, false},
    {0, {{"_", {"", "", "", "", "", "", "##", "##"}}}, true},  // as wide as high
    {0, {{"_", {"", "", "", "", "", "", "#", "#"}}}, false},
    {1, {kCapitals5[0], kCapitals5[1], {"gjp", kEndsInRow6}, {"qy", kEndsInRow5}}, true},
    {1, {kCapitals5[0], kCapitals5[1], {"gj", kEndsInRow6}, {"pqy", kEndsInRow5}}, false},
    {2, {{"BDEFLPRb", {"##.", "#.."}}, {"hk", {".##"}}}, true},
    {2, {{"BDEFLPR", {"##.", "#.."}}, {"bhk", {".##"}}}, false},
    {2, {{"BDEFLPRbhk", {"#.#", "###"}}}, false},  // as much ink on either side
    {3, {{"T7", {"#.#", ".#.", "##."}}}, false},
    {4, {{"/", {"..#", ".#."}}}, true},
    {4, {{"/", {"#.#", ".#."}}}, false},  // the same mean column
    {4, {{"/", {".##"}}}, false},
    {5, {{"HTEZ_", {"###.", "#.##"}}}, true},  // the topmost of the rows with most ink
    {5, {{"HTEZ_", {"#.##", "###."}}}, false},
};

TEST(LayoutChecks, EdgesOfTheRules) {
  for (const EdgeCase& c : kEdgeCases) {
    PixelFont font = Basic8x8();
    std::string codes;
    for (const Redrawn& redrawn : c.glyphs) {
      codes += redrawn.codes;
      for (const char* code = redrawn.codes; *code != '\0'; ++code) {
        Pixels& glyph = font.glyphs[static_cast<std::size_t>(*code)];
        glyph.assign(8, std::vector<bool>(8));
        for (std::size_t r = 0; r < redrawn.rows.size(); ++r) {
          for (std::size_t col = 0; redrawn.rows[r][col] != '\0'; ++col) {
            glyph[r][col] = redrawn.rows[r][col] == '#';
          }
        }
      }
    }
    const GlyphFormat format{8, 8, 8, kRow, true};
    const LayoutScore score = ScoreLayout(format, Encode(font, format));
    EXPECT_EQ(score.checks[c.check], c.holds) << "check " << c.check << ", redrawn " << codes;
  }
}

// Without a first code nothing is checked: the candidates keep their order, none stands out, and
// the probes are the first glyphs with ink. Codes 1 to 127, the blank space among them.
TEST(LayoutRanking, WithoutAFirstCodeCandidatesKeepTheirOrder) {
  const SymbolTable table = Encode(Scaled(Basic8x8(), 1, 2, 1), {8, 16, 16, kRow, true});
  ASSERT_FALSE(FirstCode(table));
  const auto ranked = RankLayouts(FindLayouts(StrictFontValues(table, table.count()), 8, 16));
  std::vector<std::string> lines;
  for (const FoundLayout& layout : ranked) {
    lines.push_back(RankingLine(layout));
    EXPECT_EQ(ProbeSymbols(layout),
              (std::vector<std::int32_t>{33, 34, 35, 36, 37, 38, 39, 40, 41, 42}));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "  -  /LSB /SIZE8X16", "  -  /MSB /SIZE8X16", "  -  /PAGES /LSB /SIZE8X16",
                       "  -  /PAGES /MSB /SIZE8X16", "  -  /ROWS /MSB /SIZE8X16",
                       "  -  /ROWS /LSB /SIZE8X16", "  -  /LSB /SIZE16X8", "  -  /MSB /SIZE16X8",
                       "  -  /ROWS /MSB /SIZE16X8", "  -  /ROWS /LSB /SIZE16X8"}));
  EXPECT_EQ(VerdictLine(ranked, "a b.layouts.png"),
            "No layout stands out: compare them in a b.layouts.png.");
}

TEST(LayoutRanking, BestOnlyAboveEveryOtherCheckedOne) {
  const SymbolTable table = Encode(Scaled(Basic8x8(), 1, 1, 31), {8, 8, 8, kRow, true});
  auto ranked = RankLayouts(FindLayouts(StrictFontValues(table, table.count()), 8, 8));
  ASSERT_EQ(ranked.size(), 4u);
  EXPECT_EQ(RankingLine(ranked[0]), "  6  /ROWS /LSB /SIZE8X8");
  // The symbols of A F R g j y _ / 0 ? with the first glyph for code 31.
  EXPECT_EQ(ProbeSymbols(ranked[0]),
            (std::vector<std::int32_t>{35, 40, 52, 73, 76, 91, 65, 17, 18, 33}));
  ranked[1].score.score = 6;
  EXPECT_EQ(BestLayout(ranked), nullptr);
  ranked[1].score.checks_apply = false;
  EXPECT_EQ(BestLayout(ranked), &ranked[0]);
}

TEST(LayoutRanking, BlankValuesGiveAtMost4096SymbolsAndTheFirstTenAsProbes) {
  FontValues blank;
  blank.array_mode = true;
  blank.values.assign(4097 * 8, 0);
  const auto found = FindLayouts(blank, 8, 8);
  ASSERT_EQ(found.size(), 4u);
  for (const FoundLayout& layout : found) {
    EXPECT_EQ(layout.symbols.count(), 4096);
    EXPECT_EQ(ProbeSymbols(layout), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  }
}

}  // namespace
}  // namespace fontscan::testing
