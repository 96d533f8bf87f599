// Whole runs that read font files: parse errors, a published font, a full table.

#include <fstream>
#include <sstream>
#include <string>

#include "tests/e2e/e2e_fixture.h"

namespace fontscan::testing {
namespace {

std::string ReadTestFont(const std::string& name) {
  std::ifstream file(std::string(FONTSCAN_TEST_DATA) + "/fonts/" + name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

TEST_F(EndToEnd, ParseErrorReportThenHelpThenReport) {
  // 40 bytes of comment line, then "{{0x01,0x02},{" from 41 to 54 and "256" from 55 to 57:
  // the comma that ends the number is at 58 = 0x3A and brings two reports.
  WriteFile("2x8_t.h",
            "// two-byte glyphs, the second too big\r\n"
            "{{0x01,0x02},{256,1}}\r\n");
  const std::string position = "       File position: 58 / 0x003A bytes.\n";
  EXPECT_EQ(Run({"2x8_t.h"}).out,
            Crlf(std::string(kLoaded) + Progress(1, 1) +
                 "\nERROR: Error while processing input file!\n" + position +
                 "       Wrong byte found in symbol #2. Byte #0. Content: '256'.\n"
                 "\nERROR: Error while processing input file!\n" +
                 position +
                 "       Unexpected comma symbol found in symbol #2 definition. Byte #0. "
                 "Content: '256'.\n" +
                 kHelpScreen + FoundReport("2X8_T.H", {2, 8, 8, 2})));
}

TEST_F(EndToEnd, PublishedFontWithCommaBeforeEachClosingBrace) {
  const std::string font = ReadTestFont("8x16_ascii_hubenchang.h");
  ASSERT_EQ(font.size(), 16483u);
  WriteFile("8x16_ascii_hubenchang.h", font);
  EXPECT_EQ(Run({"8x16_ascii_hubenchang.h"}).out,
            Crlf(std::string(kLoaded) +
                 "\nERROR: Error while processing input file!\n"
                 "       File position: 234 / 0x00EA bytes.\n"
                 "       Too much comma symbols found in symbol #1 definition. Byte #15. "
                 "Content: '00'.\n" +
                 kHelpScreen + FoundReport("8X16_ASCII_HUBENCHANG.H", {8, 16, 16, 16})));
}

TEST_F(EndToEnd, SymbolPastTheTableWarnsWithoutHelp) {
  std::string font = "{";
  for (int n = 0; n < 4097; ++n) font += "{1},";
  font += "}";
  WriteFile("1x8_many.h", font);
  // The 4097th '{' follows the array's '{' and 4096 times "{1},": 1 + 16384 + 1.
  EXPECT_EQ(Run({"1x8_many.h"}).out,
            Crlf(std::string(kLoaded) + Progress(1, 4096) +
                 "\nWARNING: Found too many symbols in input file!\n"
                 "         File position: 16386 / 0x4002 bytes.\n"
                 "         Symbols after #4096 will not be converted,\n"
                 "         all text after that symbol definition will be ignored.\n" +
                 FoundReport("1X8_MANY.H", {1, 8, 8, 1})));
}

}  // namespace
}  // namespace fontscan::testing
