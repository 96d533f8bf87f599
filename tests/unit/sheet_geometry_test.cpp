#include "sheet/sheet_geometry.h"

#include <gtest/gtest.h>

namespace fontscan {
namespace {

struct GeometryCase {
  SheetLayout layout;
  std::int64_t count;
  Extent extent;
  std::int64_t index;  // a cell whose origin is checked
  Point origin;
  CellGrid grid;
};

// Worked out by hand from the cell sizes, the line length and the delimiter lines.
const GeometryCase kGeometry[] = {
    // 8x8, 128 symbols, 16 a line: 16 x 8 cells.
    {{8, 8, 16, 1, false}, 128, {145, 73}, 17, {10, 10}, {8, 16}},
    {{8, 8, 16, 1, false}, 128, {145, 73}, 0, {1, 1}, {8, 16}},
    // 5x7 at scale 2, three symbols in one short line.
    {{10, 14, 16, 1, false}, 3, {34, 16}, 2, {23, 1}, {1, 3}},
    // Vertical, no delimiters: lines of 7 run down and sit side by side.
    {{4, 6, 7, 0, true}, 20, {12, 42}, 8, {4, 6}, {3, 7}},
    {{4, 6, 7, 0, true}, 20, {12, 42}, 19, {8, 30}, {3, 7}},
    // One symbol a line.
    {{3, 3, 1, 1, false}, 5, {5, 21}, 4, {1, 17}, {5, 1}},
    {{3, 3, 1, 1, true}, 5, {21, 5}, 4, {17, 1}, {5, 1}},
    // A partly filled last line keeps the full line length.
    {{2, 3, 4, 1, false}, 5, {13, 9}, 4, {1, 5}, {2, 4}},
    {{2, 3, 4, 1, true}, 5, {7, 17}, 4, {4, 1}, {2, 4}},
};

TEST(SheetGeometry, ImageSizeAndCellOrigins) {
  for (const GeometryCase& c : kGeometry) {
    const Extent extent = SheetExtent(c.layout, c.count);
    EXPECT_EQ(extent.width, c.extent.width) << c.count << " cells, index " << c.index;
    EXPECT_EQ(extent.height, c.extent.height) << c.count << " cells, index " << c.index;
    const Point origin = CellOrigin(c.layout, c.index);
    EXPECT_EQ(origin.x, c.origin.x) << c.count << " cells, index " << c.index;
    EXPECT_EQ(origin.y, c.origin.y) << c.count << " cells, index " << c.index;
  }
}

TEST(SheetGeometry, ADrawnSheetFitsItsOwnLayout) {
  for (const GeometryCase& c : kGeometry) {
    const std::optional<CellGrid> grid = FitCells(c.layout, c.extent);
    ASSERT_TRUE(grid) << c.count;
    EXPECT_EQ(grid->lines, c.grid.lines) << c.count;
    EXPECT_EQ(grid->per_line, c.grid.per_line) << c.count;
  }
}

TEST(SheetGeometry, ImagesThatDoNotFitTheLayout) {
  const struct {
    SheetLayout layout;
    Extent image;
  } cases[] = {
      {{8, 8, 16, 1, false}, {146, 73}},                                   // a pixel too wide
      {{8, 8, 16, 1, false}, {145, 72}},                                   // a pixel too low
      {{8, 8, 16, 1, false}, {1, 73}},                                     // no cell across
      {{8, 8, 16, 1, false}, {145, 1}},                                    // no cell down
      {{8, 8, 16, 0, false}, {0, 8}},    {{8, 8, 4, 1, false}, {46, 19}},  // 5 cells in a line of 4
      {{8, 8, 4, 1, false}, {28, 19}},   // 2 lines of 3 cells where lines hold 4
      {{8, 8, 4, 1, true}, {19, 28}},    // the same, vertical
      {{8, 8, 16, 0, false}, {8, 9}},    // without delimiters the cells tile exactly
      {{8, 8, 16, 1, false}, {16, 10}},  // cells drawn without delimiters, read with them
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(FitCells(c.layout, c.image)) << c.image.width << " x " << c.image.height;
  }
  // A single short line is fine.
  EXPECT_TRUE(FitCells({8, 8, 4, 1, false}, {28, 10}));
}

}  // namespace
}  // namespace fontscan
