#include "sheet/font_text.h"

#include <gtest/gtest.h>

namespace fontscan {
namespace {

SymbolTable TwoSymbols() {
  SymbolTable table;
  table.SetSymbolSize(3);
  table.AddSymbol();
  table.AddSymbol();
  const std::uint8_t bytes[] = {0x00, 0x7E, 0xFF, 0x01, 0x02, 0xA0};
  for (int i = 0; i < 6; ++i) table.at(1 + i / 3, i % 3) = bytes[i];
  return table;
}

TEST(FontText, HeaderArrayAndOneLinePerSymbol) {
  const SymbolTable table = TwoSymbols();
  EXPECT_EQ(FontText({3, 5, 8, ByteLayout::kColumns, true}, table, {}, "\n"),
            "// 3x5 font: 2 symbols of 3 bytes, columns, LSB first.\n"
            "const unsigned char font_3x5[2][3] = {\n"
            "    {0x00, 0x7E, 0xFF},  // #1\n"
            "    {0x01, 0x02, 0xA0}   // #2\n"
            "};\n");
}

TEST(FontText, LayoutFirstBitAndLineEnds) {
  SymbolTable table;
  table.SetSymbolSize(1);
  table.AddSymbol();
  table.at(1, 0) = 0x5A;
  EXPECT_EQ(FontText({8, 1, 8, ByteLayout::kRows, false}, table, {}, "\r\n"),
            "// 8x1 font: 1 symbols of 1 bytes, rows, MSB first.\r\n"
            "const unsigned char font_8x1[1][1] = {\r\n"
            "    {0x5A}   // #1\r\n"
            "};\r\n");
  const std::string pages = FontText({1, 8, 8, ByteLayout::kPages, true}, table, {}, "\n");
  EXPECT_EQ(pages.substr(0, pages.find('\n')),
            "// 1x8 font: 1 symbols of 1 bytes, pages, LSB first.");
}

TEST(FontText, NamedFlatAndWideValues) {
  SymbolTable table;
  table.SetSymbolSize(4);
  table.AddSymbol();
  table.AddSymbol();
  const std::uint8_t bytes[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
  for (int i = 0; i < 8; ++i) table.at(1 + i / 4, i % 4) = bytes[i];
  EXPECT_EQ(FontText({4, 8, 8, ByteLayout::kColumns, true}, table, {"Font4", 8, true}, "\n"),
            "// 4x8 font: 2 symbols of 4 bytes, columns, LSB first.\n"
            "const unsigned char Font4[8] = {\n"
            "    0x12, 0x34, 0x56, 0x78,  // #1\n"
            "    0x9A, 0xBC, 0xDE, 0xF0   // #2\n"
            "};\n");
  // LSB first: the first byte is a value's low byte; MSB first: its high byte.
  EXPECT_EQ(FontText({4, 8, 8, ByteLayout::kColumns, true}, table, {"", 16, false}, "\n"),
            "// 4x8 font: 2 symbols of 4 bytes, columns, LSB first.\n"
            "#include <stdint.h>\n"
            "const uint16_t font_4x8[2][2] = {\n"
            "    {0x3412, 0x7856},  // #1\n"
            "    {0xBC9A, 0xF0DE}   // #2\n"
            "};\n");
  const std::string words =
      FontText({16, 2, 8, ByteLayout::kRows, false}, table, {"w", 32, true}, "\n");
  EXPECT_NE(words.find("const uint32_t w[2] = {\n    0x12345678,  // #1\n    0x9ABCDEF0   // #2\n"),
            std::string::npos)
      << words;
}

}  // namespace
}  // namespace fontscan
