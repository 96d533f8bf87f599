#include "sheet/render.h"

#include <gtest/gtest.h>

namespace fontscan {
namespace {

const SheetColours kDefault{RgbOf(0xE6E6E6), RgbOf(0x000000), RgbOf(0x00FF00), RgbOf(0xCCFFFF),
                            RgbOf(0x99FFFF)};

TEST(SheetColours, WhichSchemesReadBack) {
  const struct {
    const char* what;
    SheetColours colours;
    bool reads_back;
  } cases[] = {
      {"the default scheme", kDefault, true},
      {"grey scheme",
       {RgbOf(0xE6E6E6), RgbOf(0x000000), RgbOf(0x666666), RgbOf(0xCCCCCC), RgbOf(0x999999)},
       true},
      {"ink at 50",
       {kDefault.background, RgbOf(0x323232), kDefault.delimiter, kDefault.grid5, kDefault.grid10},
       false},
      {"ink at 49 in one component",
       {kDefault.background, RgbOf(0xFF31FF), kDefault.delimiter, kDefault.grid5, kDefault.grid10},
       true},
      {"dark background",
       {RgbOf(0x310000), kDefault.ink, kDefault.delimiter, kDefault.grid5, kDefault.grid10},
       false},
      {"dark 5-pixel grid",
       {kDefault.background, kDefault.ink, kDefault.delimiter, RgbOf(0x003100), kDefault.grid10},
       false},
      {"dark 10-pixel grid",
       {kDefault.background, kDefault.ink, kDefault.delimiter, kDefault.grid5, RgbOf(0x000031)},
       false},
      {"delimiter like the background",
       {kDefault.background, kDefault.ink, kDefault.background, kDefault.grid5, kDefault.grid10},
       false},
      {"delimiter like the ink",
       {kDefault.background, kDefault.ink, kDefault.ink, kDefault.grid5, kDefault.grid10},
       false},
      {"delimiter like a grid",
       {kDefault.background, kDefault.ink, kDefault.grid10, kDefault.grid5, kDefault.grid10},
       false},
      {"dark delimiter of its own",
       {kDefault.background, kDefault.ink, RgbOf(0x000010), kDefault.grid5, kDefault.grid10},
       true},
  };
  for (const auto& c : cases) EXPECT_EQ(ColoursReadBack(c.colours), c.reads_back) << c.what;
}

TEST(SheetColours, GridMarksEveryFifthAndTenthColumnAndRowFromOne) {
  const struct {
    std::int32_t column, row;
    Rgb colour;
  } cases[] = {
      {0, 0, kDefault.background}, {3, 3, kDefault.background}, {4, 0, kDefault.grid5},
      {0, 4, kDefault.grid5},      {9, 0, kDefault.grid10},     {0, 9, kDefault.grid10},
      {4, 9, kDefault.grid10},     {9, 4, kDefault.grid10},     {14, 3, kDefault.grid5},
      {19, 19, kDefault.grid10},   {5, 5, kDefault.background}, {10, 10, kDefault.background},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BackgroundAt(kDefault, c.column, c.row), c.colour) << c.column << ", " << c.row;
  }
}

}  // namespace
}  // namespace fontscan
