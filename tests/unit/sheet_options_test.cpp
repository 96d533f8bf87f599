#include "app/sheet_options.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "sheet/glyph_format.h"

namespace fontscan {
namespace {

RunState After(std::initializer_list<const char*> parameters) {
  RunState state;
  for (const char* parameter : parameters) ApplySheetOptionTests(state, {parameter, parameter});
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

TEST(SheetOptions, ArrayModeEntries) {
  const struct {
    std::vector<Parameter> parameters;  // normalised and as typed
    bool array;
    std::string name;
    std::int32_t skip, bits;
    std::vector<std::string> defined;  // name=value
  } cases[] = {
      {{{"/A", "-a"}}, true, "", 0, 8, {}},
      {{{"/AFONT_1", "/aFont_1"}}, true, "Font_1", 0, 8, {}},
      {{{"/AFONT", "/AFont"}, {"/A", "/A"}}, true, "Font", 0, 8, {}},
      {{{"/A-B", "/A-B"}}, false, "", 0, 8, {}},
      {{{"/A1X", "/A1x"}}, false, "", 0, 8, {}},
      {{{"/SKIP0", "/skip0"}}, true, "", 0, 8, {}},
      {{{"/SKIP1048576", "/SKIP1048576"}}, true, "", 1048576, 8, {}},
      {{{"/SKIP1048577", "/SKIP1048577"}}, false, "", 0, 8, {}},
      {{{"/SKIP", "/SKIP"}}, false, "", 0, 8, {}},
      {{{"/W16", "/w16"}}, true, "", 0, 16, {}},
      {{{"/W32", "/W32"}}, true, "", 0, 32, {}},
      {{{"/W12", "/W12"}}, false, "", 0, 8, {}},
      {{{"/DBIG", "/Dbig"}, {"/DBIG=7", "/DBig=7"}, {"/DX=123456789", "/Dx=123456789"}},
       false,
       "",
       0,
       8,
       {"Big=7", "x=123456789"}},
      {{{"/D", "/D"}, {"/D1", "/D1"}, {"/DX=", "/DX="}, {"/DX=1234567890", "/DX=1234567890"}},
       false,
       "",
       0,
       8,
       {}},
  };
  for (const auto& c : cases) {
    RunState state;
    for (const Parameter& parameter : c.parameters) ApplySheetOptionTests(state, parameter);
    const std::string first = c.parameters.front().text;
    EXPECT_EQ(state.ARRAYREAD, c.array) << first;
    EXPECT_EQ(state.ARRAYNAME, c.name) << first;
    EXPECT_EQ(state.SKIPVALUES, c.skip) << first;
    EXPECT_EQ(state.VALUEBITS, c.bits) << first;
    std::vector<std::string> defined;
    for (const DefinedName& name : state.DEFINEDNAMES) {
      defined.push_back(name.name + "=" + std::to_string(name.value));
    }
    EXPECT_EQ(defined, c.defined) << first;
  }
  EXPECT_TRUE(After({"/FLAT"}).FLATTEXT);
  EXPECT_TRUE(After({"/LAYOUTS"}).FINDLAYOUTS);
  EXPECT_FALSE(After({"/FLAT"}).ARRAYREAD);
}

TEST(SheetOptions, TheLastWellFormedSizeIsGiven) {
  const auto size = [](std::vector<std::string> texts) {
    std::vector<Parameter> parameters;
    for (const std::string& text : texts) parameters.push_back({text, text});
    const std::optional<CellSize> given = GivenSize(parameters);
    return given ? std::to_string(given->width) + "x" + std::to_string(given->height) : "-";
  };
  EXPECT_EQ(size({"/SIZE8X16"}), "8x16");
  EXPECT_EQ(size({"/SIZE1X1", "/SIZE256X3", "/SIZE0X8", "/SIZE8X257", "/SIZE1234X1"}), "256x3");
  EXPECT_EQ(size({"/SIZE", "/SIZEX8", "/SIZE8X", "/SIZE8", "/S8X8"}), "-");
}

}  // namespace
}  // namespace fontscan
