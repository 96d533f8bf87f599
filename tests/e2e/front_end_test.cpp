// Whole runs that exercise the parameters, options, font file recognition and reports.

#include <string>

#include "tests/e2e/e2e_fixture.h"

namespace fontscan::testing {
namespace {

// Two 16-byte symbols, the shape of an 8x16 font.
constexpr std::string_view kFont8x16 =
    "// two glyphs\n"
    "const unsigned char font[][16] = {\n"
    "  {0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,0x09,0x0a,0x0b,0x0c,0x0d,0x0e,0x0f},\n"
    "  {0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,255}\n"
    "};\n";

constexpr std::string_view kTwoSymbolsRead =
    "\n"
    "Reading input file finished.\n"
    "Reading symbol #1 finished.\n"
    "Reading symbol #2 finished.\n";

constexpr std::string_view kDefaultReport = R"(
Current program parameters:
inFileNameFound = False
inFileName = 
outFileName = 
VerticalOutput = False
NoDelimeter = False
FontWidth = -1
FontHeight = -1
SymbolHeight = 0
SymbolSize = 0
clBG = R:230 G:230 B:230
clFG = R:0 G:0 B:0
clDM = R:0 G:255 B:0
clG5 = R:204 G:255 B:255
clG10 = R:153 G:255 B:255

)";

constexpr std::string_view kFont8x16Report = R"(
Current program parameters:
inFileNameFound = True
inFileName = 8X16_FONT.H
outFileName = 8X16_FONT.PNG
VerticalOutput = False
NoDelimeter = False
FontWidth = 8
FontHeight = 16
SymbolHeight = 16
SymbolSize = 16
clBG = R:230 G:230 B:230
clFG = R:0 G:0 B:0
clDM = R:0 G:255 B:0
clG5 = R:204 G:255 B:255
clG10 = R:153 G:255 B:255

)";

TEST_F(EndToEnd, NoArgumentsShowsNotFoundHelpAndDefaults) {
  EXPECT_EQ(Run({}).out, Joined({kNotFound, kHelpScreen, kDefaultReport}));
}

TEST_F(EndToEnd, ValidFontFileAlone) {
  WriteFile("8x16_font.h", kFont8x16);
  EXPECT_EQ(Run({"8x16_font.h"}).out, Joined({kTwoSymbolsRead, kFont8x16Report}));
}

TEST_F(EndToEnd, GreyScaleThenColourOverrideInEitherOrder) {
  WriteFile("8x16_font.h", kFont8x16);
  const std::string expected = Joined({kTwoSymbolsRead, R"(
Current program parameters:
inFileNameFound = True
inFileName = 8X16_FONT.H
outFileName = 8X16_FONT.PNG
VerticalOutput = True
NoDelimeter = True
FontWidth = 8
FontHeight = 16
SymbolHeight = 16
SymbolSize = 16
clBG = R:230 G:230 B:230
clFG = R:0 G:0 B:0
clDM = R:0 G:0 B:0
clG5 = R:204 G:204 B:204
clG10 = R:18 G:52 B:86

)"});
  EXPECT_EQ(Run({"-cg10123456", "/cd000000", "8x16_font.h", "/bw", "-v", "/nd"}).out, expected);
  EXPECT_EQ(Run({"-nd", "8x16_font.h", "/V", "/BW", "/CD000000", "/CG10123456"}).out, expected);
}

TEST_F(EndToEnd, PngCandidateBeforeValidFileBringsHelpButFileIsRead) {
  WriteFile("8x16_font.h", kFont8x16);
  WriteFile("8x16_a.png", kFont8x16);
  EXPECT_EQ(Run({"8x16_font.h", "8x16_a.png"}).out,
            Joined({"\nERROR: Input file can't be PNG file!\n", kTwoSymbolsRead, kHelpScreen,
                    kFont8x16Report}));
}

TEST_F(EndToEnd, EleventhArgumentIsIgnoredEvenAsTheOnlyFontFile) {
  WriteFile("8x16_font.h", kFont8x16);
  std::vector<std::string> arguments(10, "/x");
  arguments.push_back("8x16_font.h");
  EXPECT_EQ(Run(arguments).out, Joined({kNotFound, kHelpScreen, kDefaultReport}));
}

TEST_F(EndToEnd, HelpOptionWithValidFileReadsFileThenHelp) {
  WriteFile("8x16_font.h", kFont8x16);
  EXPECT_EQ(Run({"-?", "8x16_font.h"}).out,
            Joined({kTwoSymbolsRead, kHelpScreen, kFont8x16Report}));
}

TEST_F(EndToEnd, OutOfRangeNameIsNotRecognisedButItsSizeIsReported) {
  WriteFile("300x8_f.h", kFont8x16);
  const std::string out = Run({"300x8_f.h"}).out;
  EXPECT_EQ(out.substr(0, Crlf(kNotFound).size()), Crlf(kNotFound));
  EXPECT_NE(out.find(Crlf("\nFontWidth = 300\nFontHeight = 8\nSymbolHeight = 0\n")),
            std::string::npos);
}

TEST_F(EndToEnd, DirectoryNamedLikeAFontIsNotAFontFile) {
  MakeDirectory("8x16_dir.h");
  EXPECT_EQ(Run({"8x16_dir.h"}).out, Joined({kNotFound, kHelpScreen, kDefaultReport}));
}

// The file system is addressed with the argument as typed; what is reported is upper case.
TEST_F(EndToEnd, MixedCaseFileNameIsFoundAsTyped) {
  if (Target().windows()) GTEST_SKIP() << "case-insensitive file system";
  WriteFile("8x16_Font.h", kFont8x16);
  const std::string out = Run({"8x16_Font.h"}).out;
  EXPECT_NE(out.find(Crlf("inFileNameFound = True\ninFileName = 8X16_FONT.H\n")),
            std::string::npos);
  EXPECT_EQ(Run({"8x16_font.h"}).out, Joined({kNotFound, kHelpScreen, kDefaultReport}));
}

TEST_F(EndToEnd, Utf8ArgumentIsUpperCasedCharacterByCharacter) {
  if (Target().windows()) GTEST_SKIP() << "POSIX locales";
  WriteFile("8x16_\xc3\xa9t\xc3\xa9.h", kFont8x16);  // 8x16_été.h
  const std::string out = Run({"8x16_\xc3\xa9t\xc3\xa9.h"}, {"LC_ALL=C.UTF-8"}).out;
  EXPECT_NE(out.find(Crlf("inFileName = 8X16_\xc3\x89T\xc3\x89.H\n"
                          "outFileName = 8X16_\xc3\x89T\xc3\x89.PNG\n")),
            std::string::npos)
      << out;
}

TEST_F(EndToEnd, InvalidUtf8ArgumentKeepsItsBadBytes) {
  if (Target().windows()) GTEST_SKIP() << "POSIX locales";
  WriteFile(
      "8x16_a\xff\xfe"
      "b.h",
      kFont8x16);
  const std::string out = Run({"8x16_a\xff\xfe"
                               "b.h"},
                              {"LC_ALL=C.UTF-8"})
                              .out;
  EXPECT_NE(out.find(Crlf("inFileName = 8X16_A\xff\xfe"
                          "B.H\n")),
            std::string::npos)
      << out;
}

}  // namespace
}  // namespace fontscan::testing
