#include "app/sheet_options.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "core/run_state.h"
#include "sheet/glyph_format.h"

namespace fontscan {
namespace {

RunState After(std::initializer_list<const char*> parameters) {
  RunState state;
  for (const char* parameter : parameters) ApplySheetOptionTests(state, parameter);
  return state;
}

TEST(SheetOptions, ScaleAndLineLengthTakeOnlyWellFormedNumbersInRange) {
  const struct {
    std::initializer_list<const char*> parameters;
    std::int32_t scale, per_line;
  } cases[] = {
      {{}, 1, 16},           {{"/S1"}, 1, 16},        {{"/S16"}, 16, 16},  {{"/S05"}, 5, 16},
      {{"/S0"}, 1, 16},      {{"/S17"}, 1, 16},       {{"/S"}, 1, 16},     {{"/SX"}, 1, 16},
      {{"/S123"}, 1, 16},    {{"/S3", "/S4"}, 4, 16}, {{"/S 3"}, 1, 16},   {{"/L1"}, 1, 1},
      {{"/L4096"}, 1, 4096}, {{"/L0001"}, 1, 1},      {{"/L4097"}, 1, 16}, {{"/L0"}, 1, 16},
      {{"/L12345"}, 1, 16},  {{"/L"}, 1, 16},         {{"/LSB"}, 1, 16},   {{"/L7", "/L9"}, 1, 9},
      {{"S3", "L7"}, 1, 16},
  };
  for (const auto& c : cases) {
    const RunState state = After(c.parameters);
    EXPECT_EQ(state.SCALE, c.scale) << *c.parameters.begin();
    EXPECT_EQ(state.PERLINE, c.per_line) << *c.parameters.begin();
  }
}

TEST(SheetOptions, LayoutAndFirstBitFollowTheSwitchesAndTheirDefaults) {
  const struct {
    std::initializer_list<const char*> parameters;
    ByteLayout layout;
    bool lsb_first;
  } cases[] = {
      {{}, ByteLayout::kColumns, true},
      {{"/PAGES"}, ByteLayout::kPages, true},
      {{"/ROWS"}, ByteLayout::kRows, false},
      {{"/PAGES", "/ROWS"}, ByteLayout::kRows, false},
      {{"/MSB"}, ByteLayout::kColumns, false},
      {{"/ROWS", "/LSB"}, ByteLayout::kRows, true},
      // Sorted, /LSB comes before /MSB, which therefore wins.
      {{"/LSB", "/MSB"}, ByteLayout::kColumns, false},
      {{"/ROW"}, ByteLayout::kColumns, true},
      {{"/ROWSX"}, ByteLayout::kColumns, true},
  };
  for (const auto& c : cases) {
    const RunState state = After(c.parameters);
    EXPECT_EQ(EffectiveLayout(state), c.layout) << *c.parameters.begin();
    EXPECT_EQ(LsbFirst(state), c.lsb_first) << *c.parameters.begin();
  }
}

TEST(SheetOptions, OverwriteOnlyForTheWholeEntry) {
  EXPECT_TRUE(After({"/Y"}).OVERWRITE);
  EXPECT_FALSE(After({"/YES"}).OVERWRITE);
  EXPECT_FALSE(After({}).OVERWRITE);
}

}  // namespace
}  // namespace fontscan
