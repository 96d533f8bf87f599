// The sheet shown in the README is the one fontsheet draws today.

#include <fstream>
#include <sstream>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST_F(SheetRun, TheReadmePictureIsWhatFontsheetDrawsNow) {
  const std::string committed = ReadWhole(std::string(FONTSCAN_DOCS) + "/8x8_basic_dhepper.png");
  const std::optional<Image> expected = DecodePng(committed);
  ASSERT_TRUE(expected) << "docs/8x8_basic_dhepper.png does not decode";

  CopyIn(std::string(FONTSCAN_EXAMPLES) + "/8x8_basic_dhepper.h", "8x8_basic_dhepper.h");
  const ProcessResult result = RunSheet({"8x8_basic_dhepper.h", "/rows", "/lsb", "/s4"});
  EXPECT_EQ(result.exit_code, 0);
  const std::optional<std::string> drawn = ReadFile("8x8_basic_dhepper.png");
  ASSERT_TRUE(drawn);
  const std::optional<Image> actual = DecodePng(*drawn);
  ASSERT_TRUE(actual);
  EXPECT_EQ(actual->width, expected->width);
  EXPECT_EQ(actual->height, expected->height);
  // Pixels, not bytes: how the picture is compressed may change, what it shows may not.
  EXPECT_TRUE(actual->pixels == expected->pixels)
      << "fontsheet draws the sample font differently now: draw docs/8x8_basic_dhepper.png again "
         "with build/fontsheet examples/8x8_basic_dhepper.h /rows /lsb /s4";
}

}  // namespace
}  // namespace fontscan::testing
