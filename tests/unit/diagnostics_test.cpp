// File positions in the reader's messages: hexadecimal of at least four digits.

#include "reader/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/console.h"
#include "core/run_state.h"

namespace fontscan {
namespace {

TEST(HexPosition, PaddedToFourDigitsAndLongerWhenNeeded) {
  const struct {
    std::int32_t position;
    const char* hex;
  } cases[] = {
      {1, "0001"},        {7, "0007"},        {0xAB, "00AB"},
      {500, "01F4"},      {0xFFFF, "FFFF"},   {0x10000, "10000"},
      {0x12345, "12345"}, {0xABCDE, "ABCDE"}, {0x100001, "100001"},
  };
  for (const auto& c : cases) EXPECT_EQ(HexPosition(c.position), c.hex) << c.position;
}

TEST(ParseErrorReport, FiveDigitPositionInBothForms) {
  RunState state;
  state.POSITION = 0x12345;
  state.SYMBOLSCOUNT = 12;
  StringOutput output;
  Console console(output);
  WriteParseError(state, ParseError::kEndSyntax, console);
  console.Flush();
  EXPECT_EQ(output.text(),
            "\r\nERROR: Error while processing input file!\r\n"
            "       File position: 74565 / 0x12345 bytes.\r\n"
            "       Wrong end syntax of symbol #12.\r\n");
}

}  // namespace
}  // namespace fontscan
