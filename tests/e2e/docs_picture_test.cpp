// The pictures shown in the README are the ones fontsheet draws today.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

struct Picture {
  std::string docs_name;  // under docs/
  std::string font;       // the font it is drawn from
  std::vector<std::string> arguments;
  std::string drawn;  // the file fontsheet writes
};

TEST_F(SheetRun, TheReadmePicturesAreWhatFontsheetDrawsNow) {
  const Picture pictures[] = {
      {"8x8_basic_dhepper.png",
       std::string(FONTSCAN_EXAMPLES) + "/8x8_basic_dhepper.h",
       {"8x8_basic_dhepper.h", "/rows", "/lsb", "/s4"},
       "8x8_basic_dhepper.png"},
      {"8x16_ascii_hubenchang.layouts.png",
       std::string(FONTSCAN_TEST_DATA) + "/fonts/8x16_ascii_hubenchang.h",
       {"8x16_ascii_hubenchang.h", "/a", "/layouts", "/s2"},
       "8x16_ascii_hubenchang.layouts.png"},
  };
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.docs_name);
    const std::string committed = ReadWhole(std::string(FONTSCAN_DOCS) + "/" + picture.docs_name);
    const std::optional<Image> expected = DecodePng(committed);
    ASSERT_TRUE(expected) << "the picture does not decode";

    CopyIn(picture.font, picture.arguments[0]);
    const ProcessResult result = RunSheet(picture.arguments);
    EXPECT_EQ(result.exit_code, 0);
    const std::optional<std::string> drawn = ReadFile(picture.drawn);
    ASSERT_TRUE(drawn);
    const std::optional<Image> actual = DecodePng(*drawn);
    ASSERT_TRUE(actual);
    EXPECT_EQ(actual->width, expected->width);
    EXPECT_EQ(actual->height, expected->height);
    // Pixels, not bytes: how the picture is compressed may change, what it shows may not.
    EXPECT_TRUE(actual->pixels == expected->pixels)
        << "fontsheet draws it differently now: draw docs/" << picture.docs_name
        << " again from the font with the options above";
  }
}

}  // namespace
}  // namespace fontscan::testing
