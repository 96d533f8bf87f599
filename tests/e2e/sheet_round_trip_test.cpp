// Real fonts drawn and read back: the sheet's pixels, the font text written, and fontscan
// reading that text into the same bytes.

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

namespace fs = std::filesystem;

struct RoundTrip {
  std::string path;  // the font file
  int width, height;
  std::vector<std::string> layout;  // the options that say how its bytes hold the pixels
  std::vector<std::string> sheet;   // and more options for the sheet
};

std::ostream& operator<<(std::ostream& out, const RoundTrip& c) {
  out << fs::path(c.path).filename().string();
  for (const std::string& option : c.layout) out << " " << option;
  for (const std::string& option : c.sheet) out << " " << option;
  return out;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

class SheetRoundTrip : public SheetRun, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(SheetRoundTrip, GivesTheFontsBytesBack) {
  const RoundTrip& c = GetParam();
  std::vector<std::string> entries = c.layout;
  entries.insert(entries.end(), c.sheet.begin(), c.sheet.end());
  const SheetOptions options = OptionsOf(entries);
  const std::string name = fs::path(c.path).filename().string();
  const std::optional<std::string> source = [&] {
    std::ifstream file(c.path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return file ? std::optional<std::string>(bytes.str()) : std::nullopt;
  }();
  ASSERT_TRUE(source) << c.path;
  FontModel font;
  font.width = c.width;
  font.height = c.height;
  font.symbols = ParseFontSource(*source);
  ASSERT_GT(font.count(), 0);
  for (const Bytes& symbol : font.symbols) ASSERT_EQ(symbol.size(), font.symbol_size());
  WriteFile(name, *source);

  // Drawn: fontscan's reading, then the sheet.
  std::vector<std::string> arguments{name};
  arguments.insert(arguments.end(), entries.begin(), entries.end());
  const ProcessResult drawn = RunSheet(arguments);
  const int padded = SymbolsWithPadding(font, options.layout(), options.lsb());
  EXPECT_EQ(drawn.out,
            Joined({ReadingLines(font.count()), padded ? PaddingWarning(padded, font.count()) : "",
                    kWritten, FoundSheetReport(Upper(name), c.width, c.height, options)}));
  ASSERT_EQ(drawn.exit_code, 0);
  const std::string sheet_name = name.substr(0, name.rfind('.')) + ".png";
  const std::optional<std::string> png = ReadFile(sheet_name);
  ASSERT_TRUE(png);
  EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, options)));

  // Read back under another name of the same size, so the original stays.
  const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
  fs::rename(PathOf(sheet_name), PathOf(size + "_back.png"));
  arguments[0] = size + "_back.png";
  const ProcessResult back = RunSheet(arguments);
  EXPECT_EQ(back.out,
            Joined({ReadingLines(font.count()), kWritten,
                    FoundSheetReport(Upper(size) + "_BACK.PNG", c.width, c.height, options)}));
  ASSERT_EQ(back.exit_code, 0);
  const FontModel cleared = WithoutPadding(font, options.layout(), options.lsb());
  const std::optional<std::string> text = ReadFile(size + "_back.h");
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, ExpectedFontText(cleared, options, LineEnd()));
  EXPECT_EQ(ParseFontSource(*text), cleared.symbols);
  EXPECT_EQ(ReadFile(name), source);

  // fontscan reads the text written without a message.
  const int symbol_height = font.symbol_height();
  EXPECT_EQ(RunFontscan({size + "_back.h"}).out,
            Joined({ReadingLines(font.count()),
                    FoundReport(Upper(size) + "_BACK.H",
                                {c.width, c.height, symbol_height, font.symbol_size()})}));
}

const std::string kFonts = std::string(FONTSCAN_TEST_DATA) + "/fonts/";
const std::string kSample = std::string(FONTSCAN_EXAMPLES) + "/8x8_basic_dhepper.h";

// The fonts bundled with the project that fontscan reads without an error. Column fonts keep
// the top pixel in bit 0; the 8x8 fonts are rows with the left pixel in bit 0.
std::vector<RoundTrip> BundledFonts(const std::vector<std::string>& sheet) {
  return {
      {kSample, 8, 8, {"/LSB", "/ROWS"}, sheet},
      {kFonts + "8x8_cpp_attribute_citren0.h", 8, 8, {"/LSB", "/ROWS"}, sheet},
      {kFonts + "5x7_commented_decl_ht1632.h", 5, 7, {}, sheet},
      {kFonts + "5x7_progmem_before_type_ht1632.h", 5, 7, {}, sheet},
      {kFonts + "5x7_utf8_turkish_comments_stm32.h", 5, 7, {}, sheet},
  };
}

INSTANTIATE_TEST_SUITE_P(Bundled, SheetRoundTrip, ::testing::ValuesIn(BundledFonts({})));
INSTANTIATE_TEST_SUITE_P(BundledVerticalScaled, SheetRoundTrip,
                         ::testing::ValuesIn(BundledFonts({"/L7", "/ND", "/S3", "/V"})));

// The same bytes whatever the layout they are taken for, padding rows aside.
INSTANTIATE_TEST_SUITE_P(
    OtherLayouts, SheetRoundTrip,
    ::testing::Values(RoundTrip{kSample, 8, 8, {"/MSB", "/PAGES"}, {"/BW", "/S2"}},
                      RoundTrip{kSample, 8, 8, {}, {"/L128"}},
                      RoundTrip{kFonts + "5x7_commented_decl_ht1632.h", 5, 7, {"/MSB"}, {"/L1"}}));

// A C compiler takes the text written.
TEST_F(SheetRun, FontTextWrittenCompiles) {
  if (Target().windows()) GTEST_SKIP() << "the text of the Windows program, not compiled here";
  std::string compiler;
  const char* path = std::getenv("PATH");
  for (std::string_view rest = path ? path : ""; compiler.empty() && !rest.empty();) {
    const std::size_t colon = rest.find(':');
    const std::string folder(rest.substr(0, colon));
    if (!folder.empty() && access((folder + "/cc").c_str(), X_OK) == 0) compiler = folder + "/cc";
    rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
  }
  if (compiler.empty()) GTEST_SKIP() << "no cc on PATH";
  CopyIn(kSample, "8x8_basic_dhepper.h");
  ASSERT_EQ(RunSheet({"8x8_basic_dhepper.h", "/ROWS", "/LSB"}).exit_code, 0);
  fs::rename(PathOf("8x8_basic_dhepper.png"), PathOf("8x8_copy.png"));
  ASSERT_EQ(RunSheet({"8x8_copy.png", "/ROWS", "/LSB"}).exit_code, 0);
  ProcessOptions options;
  options.directory = dir();
  const ProcessResult compiled = RunProcess({compiler, "-Wall", "-Wextra", "-pedantic", "-Werror",
                                             "-fsyntax-only", "-x", "c", "8x8_copy.h"},
                                            options);
  EXPECT_EQ(compiled.exit_code, 0) << compiled.out << compiled.err;
}

}  // namespace
}  // namespace fontscan::testing
