// Published font tables, read whole: how many symbols each yields, or its one error.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/run_state.h"
#include "tests/unit/reader_walk.h"

namespace fontscan::testing {
namespace {

// Copies in the project (the bundled sample font, or the test fonts), or files read in place
// because their license does not allow copying.
enum class Where { kExample, kProject, kShared };

std::string PathOf(Where where, const std::string& file) {
  switch (where) {
    case Where::kExample:
      return std::string(FONTSCAN_EXAMPLES) + "/" + file;
    case Where::kProject:
      return std::string(FONTSCAN_TEST_DATA) + "/fonts/" + file;
    case Where::kShared:
      break;
  }
  return std::string(FONTSCAN_SHARED_FONTS) + "/" + file;
}

struct RealFont {
  const char* file;
  Where where;
  std::int32_t symbol_size;  // from the WxH_ of the name
  std::int32_t symbols;      // progress lines
  std::int32_t error_position = 0;
  const char* error = nullptr;  // detail line of the one error, if any
};

void PrintTo(const RealFont& font, std::ostream* os) { *os << font.file; }

class RealFontTest : public ::testing::TestWithParam<RealFont> {};

TEST_P(RealFontTest, ReportsWhatTheFileHolds) {
  const RealFont& font = GetParam();
  if (font.where == Where::kShared && !std::filesystem::is_directory(FONTSCAN_SHARED_FONTS)) {
    GTEST_SKIP() << "no shared font folder at " << FONTSCAN_SHARED_FONTS;
  }
  const std::string path = PathOf(font.where, font.file);
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
  WalkResult result = LoadFont(path, font.symbol_size);
  std::string expected = "\r\nReading input file finished.\r\n" + FinishedRange(1, font.symbols);
  if (font.error != nullptr) expected += ErrorReport(font.error_position, font.error);
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.state.CONTENTERROR, font.error != nullptr);
}

constexpr const char* kDigitBetweenFirst =
    "Hex digit (0..9, A..F) or x found between symbol definitions after symbol #0.";

const RealFont kFonts[] = {
    {"8x8_basic_dhepper.h", Where::kExample, 8, 128},
    {"5x7_commented_decl_ht1632.h", Where::kProject, 5, 95},
    {"8x8_cpp_attribute_citren0.h", Where::kProject, 8, 128},
    // Every glyph ends with a comma before its '}': the 16th comma of the first glyph.
    {"8x16_ascii_hubenchang.h", Where::kProject, 16, 0, 234,
     "Too much comma symbols found in symbol #1 definition. Byte #15. Content: '00'."},
    {"5x7_progmem_before_type_ht1632.h", Where::kProject, 5, 95},
    {"5x7_utf8_turkish_comments_stm32.h", Where::kProject, 5, 95},
    {"more/5x7_constexpr_flirone.h", Where::kShared, 5, 96},
    {"more/5x7_no_trailing_newline_pic24.c", Where::kShared, 5, 91},
    {"more/5x8_leading_comma_zychosen.h", Where::kShared, 5, 96},
    {"more/6x8_ascii_fantasticmao.h", Where::kShared, 6, 128},
    {"more/6x8_crlf_ssd1322.c", Where::kShared, 6, 95},
    {"more/6x8_latin1_ctrlchars_pic32mm.h", Where::kShared, 6, 256},
    {"more/8x8_braces_in_comments_lcd12864.h", Where::kShared, 8, 128},
    {"more/8x14_vertikal_mecrisp.h", Where::kShared, 16, 256},
    {"more/12x16_vertikal_mecrisp.h", Where::kShared, 24, 256},
    {"more/16x16_basic_fbwb.h", Where::kShared, 32, 128},
    // The array's '{' is at 347; the first glyph "{ 0x06,...,0x00, }" opens at 349 and its
    // eight "0xNN," end at 355, 360, ... 390.
    {"more/8x8_ufb_font6x8_rows.h", Where::kShared, 8, 0, 390,
     "Too much comma symbols found in symbol #1 definition. Byte #7. Content: '00'."},
    // Flat arrays and structs: the first digit after the first '{' lies between symbols.
    // "Font5x7[] = {" puts the '{' at 617, then LF, TAB and the '0' of 0x00.
    {"tricky/5x7_flat_progmem_ledisplay.h", Where::kShared, 5, 0, 620, kDigitBetweenFirst},
    // "NewFontLAT[] = {" puts the '{' at 462, then LF and the '0'.
    {"tricky/6x8_two_flat_arrays_cp1251_stm8snake.h", Where::kShared, 6, 0, 464,
     kDigitBetweenFirst},
    // "PicopixelBitmaps[] PROGMEM = {" puts the '{' at 167, then LF, four spaces and the '0'.
    {"6x8_gfxglyph_structs_picopixel.h", Where::kProject, 6, 0, 173, kDigitBetweenFirst},
    // "typedef struct{" puts the '{' at 53, then LF, four spaces and the C of "char".
    {"tricky/8x8_struct_symbol_decimal_hex_mix_andvari.h", Where::kShared, 8, 0, 59,
     kDigitBetweenFirst},
};

INSTANTIATE_TEST_SUITE_P(RealFonts, RealFontTest, ::testing::ValuesIn(kFonts),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

std::vector<std::vector<std::uint8_t>> Table(const RunState& state) {
  std::vector<std::vector<std::uint8_t>> table;
  for (std::int32_t n = 1; n <= state.SYMBOLSDATA.count(); ++n) {
    table.push_back(state.SYMBOLSDATA.Symbol(n));
  }
  return table;
}

TEST(RealFontBytes, GlyphsReadAsWritten) {
  const RunState basic = LoadFont(PathOf(Where::kExample, "8x8_basic_dhepper.h"), 8).state;
  ASSERT_EQ(basic.SYMBOLSDATA.count(), 128);
  // U+0041 (A), written as { 0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00}.
  EXPECT_EQ(basic.SYMBOLSDATA.Symbol(0x41 + 1),
            (std::vector<std::uint8_t>{0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00}));
  // Mixed-case hex, U+0066 (f): { 0x1C, 0x36, 0x06, 0x0f, 0x06, 0x06, 0x0F, 0x00}.
  EXPECT_EQ(basic.SYMBOLSDATA.Symbol(0x66 + 1),
            (std::vector<std::uint8_t>{0x1C, 0x36, 0x06, 0x0F, 0x06, 0x06, 0x0F, 0x00}));

  const RunState ht1632 = LoadFont(PathOf(Where::kProject, "5x7_commented_decl_ht1632.h"), 5).state;
  ASSERT_EQ(ht1632.SYMBOLSDATA.count(), 95);
  // The last glyph, '~', in lower-case hex: {0x20, 0x40, 0x20, 0x40, 0x00}.
  EXPECT_EQ(ht1632.SYMBOLSDATA.Symbol(95),
            (std::vector<std::uint8_t>{0x20, 0x40, 0x20, 0x40, 0x00}));
}

// Files that publish the same table in different dress give the same symbols.
TEST(RealFontBytes, SameTableInDifferentSyntax) {
  const auto basic = Table(LoadFont(PathOf(Where::kExample, "8x8_basic_dhepper.h"), 8).state);
  const auto attribute =
      Table(LoadFont(PathOf(Where::kProject, "8x8_cpp_attribute_citren0.h"), 8).state);
  ASSERT_EQ(basic.size(), 128u);
  EXPECT_EQ(attribute, basic);

  const auto commented =
      Table(LoadFont(PathOf(Where::kProject, "5x7_commented_decl_ht1632.h"), 5).state);
  const auto progmem =
      Table(LoadFont(PathOf(Where::kProject, "5x7_progmem_before_type_ht1632.h"), 5).state);
  ASSERT_EQ(commented.size(), 95u);
  EXPECT_EQ(progmem, commented);
}

}  // namespace
}  // namespace fontscan::testing
