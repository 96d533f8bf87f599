// fontsheet's console output and exit status when drawing: the help screen, the options in the
// report, and every message between reading the font and writing the sheet.

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

const std::string kNoInputRun = Joined({kNotFound, kSheetHelp, NoInputSheetReport()});

TEST_F(SheetRun, NoArgumentsShowsHelpAndFails) {
  const ProcessResult result = RunSheet({});
  EXPECT_EQ(result.out, kNoInputRun);
  EXPECT_EQ(result.exit_code, 1);
}

TEST_F(SheetRun, HelpAloneSucceeds) {
  for (const char* help : {"/?", "/H", "-?", "-h"}) {
    SCOPED_TRACE(help);
    const ProcessResult result = RunSheet({help});
    EXPECT_EQ(result.out, kNoInputRun);
    EXPECT_EQ(result.exit_code, 0);
  }
}

TEST_F(SheetRun, HelpWithAFontFileThatIsMissingStillSucceeds) {
  const ProcessResult result = RunSheet({"8x8_missing.h", "/?"});
  EXPECT_EQ(result.out, kNoInputRun);
  EXPECT_EQ(result.exit_code, 0);
}

TEST_F(SheetRun, OptionsWithoutInputFail) {
  const ProcessResult result = RunSheet({"/V"});
  SheetOptions options;
  options.vertical = true;
  EXPECT_EQ(result.out, Joined({kNotFound, kSheetHelp, NoInputSheetReport(options)}));
  EXPECT_EQ(result.exit_code, 1);
}

// How the sheet options are read, seen in the report of a run without input.
TEST_F(SheetRun, SheetOptionsInTheReport) {
  struct Case {
    std::vector<std::string> entries;
    int scale, per_line;
    bool rows, pages;
    char first;
    bool overwrite;
  };
  const Case cases[] = {
      {{"/S5"}, 5, 16, false, false, 0, false},
      {{"/S05"}, 5, 16, false, false, 0, false},
      {{"/S16"}, 16, 16, false, false, 0, false},
      {{"/S1"}, 1, 16, false, false, 0, false},
      // Malformed or out of range: ignored without a message.
      {{"/S0", "/S17", "/S", "/SX", "/S016", "/S-3"}, 1, 16, false, false, 0, false},
      {{"/L0", "/L12345", "/L4097", "/L", "/LX"}, 1, 16, false, false, 0, false},
      {{"/L4096"}, 1, 4096, false, false, 0, false},
      {{"/L0007"}, 1, 7, false, false, 0, false},
      {{"/L1"}, 1, 1, false, false, 0, false},
      // Of two, the one that sorts last wins: /S10 sorts before /S9, /L12 before /L3.
      {{"/S3", "/S2"}, 3, 16, false, false, 0, false},
      {{"/S9", "/S10"}, 9, 16, false, false, 0, false},
      {{"/L3", "/L12"}, 1, 3, false, false, 0, false},
      {{"/ROWS"}, 1, 16, true, false, 0, false},
      {{"/PAGES"}, 1, 16, false, true, 0, false},
      {{"/PAGES", "/ROWS"}, 1, 16, true, true, 0, false},
      {{"/LSB", "/ROWS"}, 1, 16, true, false, 'L', false},
      {{"/MSB"}, 1, 16, false, false, 'M', false},
      {{"/MSB", "/LSB"}, 1, 16, false, false, 'M', false},
      {{"/Y"}, 1, 16, false, false, 0, true},
      // Dashes and lower case, like every option.
      {{"-s4", "-l8", "-y", "-pages", "-msb"}, 4, 8, false, true, 'M', true},
      // Near misses that are no option at all.
      {{"/ROW", "/PAGE", "/LSBX", "/YES", "/MSB1"}, 1, 16, false, false, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries[0]);
    SheetOptions options;
    options.scale = c.scale;
    options.per_line = c.per_line;
    options.rows = c.rows;
    options.pages = c.pages;
    options.first = c.first;
    options.overwrite = c.overwrite;
    const ProcessResult result = RunSheet(c.entries);
    EXPECT_EQ(result.out, Joined({kNotFound, kSheetHelp, NoInputSheetReport(options)}));
    EXPECT_EQ(result.exit_code, 1);
  }
}

TEST_F(SheetRun, HelpWithAFontIsShownAfterTheSheetIsWritten) {
  const FontModel font = PatternFont(8, 8, 3, 1);
  WriteFile("8x8_help.h", FontSource(font));
  const ProcessResult result = RunSheet({"/?", "8x8_help.h"});
  EXPECT_EQ(result.out,
            Joined({ReadingLines(3), kWritten, kSheetHelp, FoundSheetReport("8X8_HELP.H", 8, 8)}));
  EXPECT_EQ(result.exit_code, 0);
  // Asked for help, but the input was recognised and nothing could be written: a failure.
  const ProcessResult again = RunSheet({"/H", "8x8_help.h"});
  EXPECT_EQ(again.out, Joined({ReadingLines(3), kOutputExists, kSheetHelp,
                               FoundSheetReport("8X8_HELP.H", 8, 8)}));
  EXPECT_EQ(again.exit_code, 1);
}

TEST_F(SheetRun, FontFileEndingInsideTheArray) {
  const FontModel font = PatternFont(8, 8, 3, 2);
  std::string source = FontSource(font);
  source.resize(source.rfind("};"));  // the array is never closed
  WriteFile("8x8_open.h", source);
  const ProcessResult result = RunSheet({"8x8_open.h"});
  EXPECT_EQ(result.out, Joined({ReadingLines(3), kEndedInArray, kWritten,
                                FoundSheetReport("8X8_OPEN.H", 8, 8)}));
  EXPECT_EQ(result.exit_code, 0);
  const std::optional<std::string> png = ReadFile("8x8_open.png");
  ASSERT_TRUE(png);
  EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, {})));
}

TEST_F(SheetRun, SymbolTheFontFileEndsInIsNotDrawn) {
  const FontModel font = PatternFont(8, 8, 3, 3);
  std::string source = FontSource(font);
  source.resize(source.rfind("}\n};"));
  source += "},\n  {0x01, 0x02, 0x03";  // a fourth symbol, cut short
  WriteFile("8x8_cut.h", source);
  const ProcessResult result = RunSheet({"8x8_cut.h"});
  EXPECT_EQ(result.out, Joined({ReadingLines(3), kEndedInArray, kWritten,
                                FoundSheetReport("8X8_CUT.H", 8, 8)}));
  EXPECT_EQ(result.exit_code, 0);
  const std::optional<std::string> png = ReadFile("8x8_cut.png");
  ASSERT_TRUE(png);
  EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, {})));  // three symbols, not four
}

TEST_F(SheetRun, NoSymbolsToDraw) {
  struct Case {
    const char* what;
    std::string source;
    bool ended_inside;
  };
  const Case cases[] = {
      {"empty array", "// no symbols here at all\nconst unsigned char font[][8] = {\n};\n", false},
      {"symbols in a comment", "const unsigned char font[][8] = {\n/* {1,2,3,4,5,6,7,8}, */\n};\n",
       false},
      {"ends inside the first symbol",
       "// the first symbol is cut short\nconst unsigned char font[][8] = {\n  {1, 2, 3", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile("8x8_none.h", c.source);
    const ProcessResult result = RunSheet({"8x8_none.h"});
    EXPECT_EQ(result.out, Joined({kLoaded, c.ended_inside ? kEndedInArray : "", kNoSymbols,
                                  FoundSheetReport("8X8_NONE.H", 8, 8)}));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_none.h"});
  }
}

TEST_F(SheetRun, RowLayoutNeedsAWidthOfWholeBytes) {
  WriteFile("12x16_wide.h", FontSource(PatternFont(12, 16, 2, 4)));
  SheetOptions options;
  options.rows = true;
  const ProcessResult result = RunSheet({"12x16_wide.h", "/ROWS"});
  EXPECT_EQ(result.out, Joined({ReadingLines(2), kRowWidth,
                                FoundSheetReport("12X16_WIDE.H", 12, 16, options)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"12x16_wide.h"});
}

// The messages come in their order, and an error stops the ones after it.
TEST_F(SheetRun, WarningThenRowErrorStopsTheColourWarning) {
  std::string source = FontSource(PatternFont(12, 16, 2, 5));
  source.resize(source.rfind("};"));
  WriteFile("12x16_wide.h", source);
  SheetOptions options;
  options.rows = true;
  options.colours.ink = 0x808080;
  const ProcessResult result = RunSheet({"12x16_wide.h", "/ROWS", "/CF808080"});
  EXPECT_EQ(result.out, Joined({ReadingLines(2), kEndedInArray, kRowWidth,
                                FoundSheetReport("12X16_WIDE.H", 12, 16, options)}));
  EXPECT_EQ(result.exit_code, 1);
}

// Colours a sheet could not be read back with: a warning, and the sheet is drawn all the same.
TEST_F(SheetRun, ColourSchemeThatCannotBeReadBack) {
  struct Case {
    std::vector<std::string> entries;
    bool warned;
  };
  const Case cases[] = {
      {{"/CF808080"}, true},               // the symbols are not ink
      {{"/CF313131"}, false},              // 49: still ink
      {{"/CF323232"}, true},               // 50: not ink any more
      {{"/CF32FF31"}, false},              // the smallest component decides
      {{"/CB000000"}, true},               // the background is ink
      {{"/CB31FFFF"}, true},               // so is a background with one dark component
      {{"/CG5303030"}, true},              // a grid tint is ink
      {{"/CG10101010"}, true},             // even one an 8x8 font never shows
      {{"/CDE6E6E6"}, true},               // delimiters like the background
      {{"/CD000000"}, true},               // like the symbols
      {{"/CDCCFFFF"}, true},               // like the 5-pixel grid
      {{"/CD99FFFF"}, true},               // like the 10-pixel grid
      {{"/CD303030"}, false},              // dark delimiters of their own are fine
      {{"/BW"}, false},                    // the grey scheme reads back
      {{"/BW", "/CG5666666"}, true},       // grid like the grey delimiters
      {{"/CB808080", "/CF000000"}, false}  // darker paper, still not ink
  };
  const FontModel font = PatternFont(8, 8, 3, 6);
  WriteFile("8x8_colour.h", FontSource(font));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries[0]);
    const SheetOptions options = OptionsOf(c.entries);
    std::vector<std::string> arguments{"8x8_colour.h", "/Y"};
    arguments.insert(arguments.end(), c.entries.begin(), c.entries.end());
    SheetOptions reported = options;
    reported.overwrite = true;
    const ProcessResult result = RunSheet(arguments);
    EXPECT_EQ(result.out, Joined({ReadingLines(3), c.warned ? kColourWarning : "", kWritten,
                                  FoundSheetReport("8X8_COLOUR.H", 8, 8, reported)}));
    EXPECT_EQ(result.exit_code, 0);
    const std::optional<std::string> png = ReadFile("8x8_colour.png");
    ASSERT_TRUE(png);
    EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, options)));
  }
}

// An 8x12 font keeps 16 rows a symbol; rows 12 to 15 are not drawn, and read back as zeros.
TEST_F(SheetRun, PixelsInPaddingRows) {
  FontModel font;
  font.width = 8;
  font.height = 12;
  font.symbols.assign(5, Bytes(16, 0));
  font.symbols[1][1] = 0x10;   // columns LSB: column 0, row 12
  font.symbols[2][0] = 0xFF;   // in the top 8 rows whatever the layout
  font.symbols[3][15] = 0x80;  // columns LSB: column 7, row 15; rows: row 15
  font.symbols[4][3] = 0x08;   // columns LSB: column 1, row 11; columns MSB: row 12
  struct Case {
    std::vector<std::string> entries;
    int padded;  // worked out by hand from the bytes above
  };
  const Case cases[] = {
      {{}, 2},                  // symbols 2 and 4
      {{"/MSB"}, 1},            // symbol 5
      {{"/PAGES"}, 1},          // symbol 4: byte 15 is page 2, column 7, bit 7 row 15
      {{"/MSB", "/PAGES"}, 0},  // byte 15 bit 7 is row 8 there
      {{"/ROWS"}, 1},           // symbol 4: bytes 12 to 15 are rows 12 to 15
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries.empty() ? "columns" : c.entries.back() + " " + c.entries[0]);
    const SheetOptions options = OptionsOf(c.entries);
    ASSERT_EQ(SymbolsWithPadding(font, options.layout(), options.lsb()), c.padded);
    WriteFile("8x12_pad.h", FontSource(font));
    std::vector<std::string> arguments{"8x12_pad.h", "/Y"};
    arguments.insert(arguments.end(), c.entries.begin(), c.entries.end());
    SheetOptions reported = options;
    reported.overwrite = true;
    const ProcessResult result = RunSheet(arguments);
    EXPECT_EQ(result.out, Joined({ReadingLines(5), c.padded ? PaddingWarning(c.padded, 5) : "",
                                  kWritten, FoundSheetReport("8X12_PAD.H", 8, 12, reported)}));
    EXPECT_EQ(result.exit_code, 0);
    const std::optional<std::string> png = ReadFile("8x12_pad.png");
    ASSERT_TRUE(png);
    EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, options)));

    // Read back, the padding bits are gone and nothing else changed.
    WriteFile("8x12_back.png", *png);
    arguments[0] = "8x12_back.png";
    const ProcessResult back = RunSheet(arguments);
    EXPECT_EQ(back.out, Joined({ReadingLines(5), kWritten,
                                FoundSheetReport("8X12_BACK.PNG", 8, 12, reported)}));
    EXPECT_EQ(ReadFile("8x12_back.h"),
              ExpectedFontText(WithoutPadding(font, options.layout(), options.lsb()), options,
                               LineEnd()));
  }
}

TEST_F(SheetRun, PaddingWarningCountsManySymbols) {
  // 37 symbols, every third with a bit in row 7 of a 5x7 column font (bit 7, LSB first).
  FontModel font = WithoutPadding(PatternFont(5, 7, 37, 7), Layout::kColumns, true);
  int padded = 0;
  for (int i = 0; i < font.count(); i += 3, ++padded) font.symbols[i][i % 5] |= 0x80;
  WriteFile("5x7_pad.h", FontSource(font));
  const ProcessResult result = RunSheet({"5x7_pad.h"});
  EXPECT_EQ(result.out, Joined({ReadingLines(37), PaddingWarning(13, 37), kWritten,
                                FoundSheetReport("5X7_PAD.H", 5, 7)}));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(padded, 13);
}

TEST_F(SheetRun, OutputImageTooBig) {
  // Four 256x256 symbols at scale 16 in one line: 16389 x 4098 pixels, just over 64 Mi pixels.
  FontModel font;
  font.width = 256;
  font.height = 256;
  font.symbols.assign(4, Bytes(8192, 0));
  WriteFile("256x256_big.h", FontSource(font));
  SheetOptions options;
  options.scale = 16;
  const ProcessResult result = RunSheet({"256x256_big.h", "/S16", "/L16"});
  EXPECT_EQ(result.out, Joined({ReadingLines(4), kOutputTooBig,
                                FoundSheetReport("256X256_BIG.H", 256, 256, options)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"256x256_big.h"});

  // One a line, vertical: the lines run left to right, 16389 x 4098 again.
  options.vertical = true;
  options.per_line = 1;
  const ProcessResult vertical = RunSheet({"256x256_big.h", "/S16", "/L1", "/V"});
  EXPECT_EQ(vertical.out, Joined({ReadingLines(4), kOutputTooBig,
                                  FoundSheetReport("256X256_BIG.H", 256, 256, options)}));
  EXPECT_EQ(vertical.exit_code, 1);
}

TEST_F(SheetRun, FontWithMoreThan4096Symbols) {
  // 4097 one-pixel symbols; ink in every other one.
  std::string source = "// one pixel font\nconst unsigned char font[][1] = {\n";
  for (int i = 0; i < 4097; ++i) source += i % 2 ? "  {0x00},\n" : "  {0x01},\n";
  source += "};\n";
  // The warning points at the brace that opens the 4097th symbol.
  std::size_t brace = source.find('{');
  for (int i = 0; i < 4097; ++i) brace = source.find('{', brace + 1);
  WriteFile("1x1_many.h", source);
  SheetOptions options;
  options.no_delimiter = true;
  options.per_line = 4096;
  const ProcessResult result = RunSheet({"1x1_many.h", "/ND", "/L4096"});
  EXPECT_EQ(result.out, Joined({ReadingLines(4096), TooManySymbols(static_cast<long>(brace) + 1),
                                kWritten, FoundSheetReport("1X1_MANY.H", 1, 1, options)}));
  EXPECT_EQ(result.exit_code, 0);
  Image expected;
  expected.width = 4096;
  expected.height = 1;
  for (int i = 0; i < 4096; ++i) expected.pixels.push_back(i % 2 ? 0xE6E6E6 : 0x000000);
  const std::optional<std::string> png = ReadFile("1x1_many.png");
  ASSERT_TRUE(png);
  EXPECT_TRUE(IsSheet(*png, expected));
}

TEST_F(SheetRun, FontWithAParseErrorIsNotDrawn) {
  const std::string source =
      "// the second symbol is short\nconst unsigned char font[][8] = {\n"
      "  {1,2,3,4,5,6,7,8},\n  {1,2,3}\n};\n";
  WriteFile("8x8_bad.h", source);
  const long position = static_cast<long>(source.find("3}\n};")) + 2;
  const ProcessResult result = RunSheet({"8x8_bad.h"});
  EXPECT_EQ(
      result.out,
      Joined({ReadingLines(1),
              ParseError(position, "Wrong size of symbol #2. Size: 3 bytes. Expected: 8 bytes."),
              kSheetHelp, FoundSheetReport("8X8_BAD.H", 8, 8)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_bad.h"});
}

// Real fonts that fontscan stops in with an error: fontsheet reads them with the same messages,
// then shows its own help and report, and draws nothing.
TEST_F(SheetRun, RealFontsWithAParseError) {
  struct Case {
    std::string name;
    int width, height;
    std::string hint;  // the arrays that read
  };
  // The proportional font's bitmap happens to hold a whole number of 6-byte symbols.
  for (const Case& c : {Case{"6x8_gfxglyph_structs_picopixel.h", 6, 8,
                             "\nHINT: The file reads as a C array with /A:\n"
                             "      /APicopixelBitmaps - 30 symbols of 6 bytes.\n"},
                        Case{"8x16_ascii_hubenchang.h", 8, 16,
                             "\nHINT: The file reads as a C array with /A:\n"
                             "      /Afont8x16 - 128 symbols of 16 bytes.\n"}}) {
    const std::string& name = c.name;
    SCOPED_TRACE(name);
    CopyIn(std::string(FONTSCAN_TEST_DATA) + "/fonts/" + name, name);
    const std::string fontscan_out = RunFontscan({name}).out;
    const std::size_t help = fontscan_out.find(Crlf(kHelpScreen));
    ASSERT_NE(help, std::string::npos) << "fontscan found no error in " << name;
    const ProcessResult result = RunSheet({name});
    std::string upper = name;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(result.out,
              fontscan_out.substr(0, help) +
                  Joined({c.hint, kSheetHelp, FoundSheetReport(upper, c.width, c.height)}));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
    std::filesystem::remove(PathOf(name));
  }
}

TEST_F(SheetRun, FontFileTooSmall) {
  WriteFile("8x8_tiny.h", std::string(49, ' '));
  const ProcessResult result = RunSheet({"8x8_tiny.h"});
  EXPECT_EQ(result.out, Joined({kWrongSize, FoundSheetReport("8X8_TINY.H", 8, 8)}));
  EXPECT_EQ(result.exit_code, 1);
  // Help asked for does not make a failed run a success once a file was recognised.
  const ProcessResult help = RunSheet({"8x8_tiny.h", "/?"});
  EXPECT_EQ(help.out, Joined({kWrongSize, kSheetHelp, FoundSheetReport("8X8_TINY.H", 8, 8)}));
  EXPECT_EQ(help.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_tiny.h"});
}

TEST_F(SheetRun, MissingFontFile) {
  const ProcessResult result = RunSheet({"8x8_missing.h", "/V"});
  SheetOptions options;
  options.vertical = true;
  EXPECT_EQ(result.out, Joined({kNotFound, kSheetHelp, NoInputSheetReport(options)}));
  EXPECT_EQ(result.exit_code, 1);
}

}  // namespace
}  // namespace fontscan::testing
