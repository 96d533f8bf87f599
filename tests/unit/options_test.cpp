#include "app/options.h"

#include <gtest/gtest.h>

#include <string>

#include "core/run_state.h"
#include "reader/hex_byte.h"

namespace fontscan {
namespace {

TEST(StrToHexByte, ConvertsTwoUpperCaseHexDigitsOnly) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"00", 0},  {"09", 9},  {"0A", 10}, {"FF", 255}, {"7F", 127}, {"A0", 160}, {"ff", -1},
      {"0a", -1}, {"0G", -1}, {"G0", -1}, {"", -1},    {"0", -1},   {"000", -1}, {" 1", -1},
      {"1 ", -1}, {"-1", -1}, {"/0", -1}, {":0", -1},  {"@0", -1},  {"0@", -1},  {"x1", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(STRTOHEXBYTE(c.text), c.value) << '"' << c.text << '"';
}

struct Colours {
  std::int32_t bg, fg, dm, g5, g10;
};

Colours ColoursAfter(std::initializer_list<const char*> parameters) {
  RunState state;
  for (const char* parameter : parameters) ApplyOptionTests(state, parameter);
  return {state.CLBG, state.CLFG, state.CLDM, state.CLG5, state.CLG10};
}

TEST(ColourOptions, EachOptionSetsItsColourOnlyWhenWellFormed) {
  const struct {
    std::initializer_list<const char*> parameters;
    Colours expected;
  } cases[] = {
      {{}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CB102030"}, {0x102030, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CF102030"}, {0xE6E6E6, 0x102030, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CD102030"}, {0xE6E6E6, 0x000000, 0x102030, 0xCCFFFF, 0x99FFFF}},
      {{"/CG5123456"}, {0xE6E6E6, 0x000000, 0x00FF00, 0x123456, 0x99FFFF}},
      {{"/CG10ABCDEF"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0xABCDEF}},
      {{"/BW"}, {0xE6E6E6, 0x000000, 0x666666, 0xCCCCCC, 0x999999}},
      {{"/BW", "/CD000000"}, {0xE6E6E6, 0x000000, 0x000000, 0xCCCCCC, 0x999999}},
      {{"/CB000000", "/CBFFFFFF"}, {0xFFFFFF, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      // Malformed: a bad pair, a wrong length, a lower-case digit, a prefix that is too short.
      {{"/CB00FF0G"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CB00FF00AA"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CB00FF0"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CBaabbcc"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CG1ABCDEF"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/CG512345"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"-CB102030"}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
      {{"/BW "}, {0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF}},
  };
  for (const auto& c : cases) {
    std::string label;
    for (const char* parameter : c.parameters) label += std::string(parameter) + " ";
    Colours got = ColoursAfter(c.parameters);
    EXPECT_EQ(got.bg, c.expected.bg) << label;
    EXPECT_EQ(got.fg, c.expected.fg) << label;
    EXPECT_EQ(got.dm, c.expected.dm) << label;
    EXPECT_EQ(got.g5, c.expected.g5) << label;
    EXPECT_EQ(got.g10, c.expected.g10) << label;
  }
}

TEST(ColourOptions, ComponentsOfTheLastColourOptionStayEvenWhenInvalid) {
  RunState state;
  ApplyOptionTests(state, "/CF12zz34");
  EXPECT_EQ(state.R, 0x12);
  EXPECT_EQ(state.G, -1);
  EXPECT_EQ(state.B, 0x34);
  EXPECT_EQ(state.CLFG, 0x000000);
}

TEST(SwitchOptions, WholeEntryMustMatch) {
  const struct {
    const char* parameter;
    bool help, vertical, no_delimiter;
  } cases[] = {
      {"/?", true, false, false},  {"/H", true, false, false},     {"/V", false, true, false},
      {"/ND", false, false, true}, {"/HELP", false, false, false}, {"/VV", false, false, false},
      {"/N", false, false, false}, {"-V", false, false, false},    {"/v", false, false, false},
      {"", false, false, false},   {"/X", false, false, false},
  };
  for (const auto& c : cases) {
    RunState state;
    ApplyOptionTests(state, c.parameter);
    EXPECT_EQ(state.FSHOWHELP, c.help) << c.parameter;
    EXPECT_EQ(state.VERTICALOUTPUT, c.vertical) << c.parameter;
    EXPECT_EQ(state.NODELIMETER, c.no_delimiter) << c.parameter;
  }
}

}  // namespace
}  // namespace fontscan
