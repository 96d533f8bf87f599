// Finding a font's layout end to end: the ranking and the probe sheet of the sample font pixel for
// pixel, the options of every ranking line typed back, and the messages.

#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

const std::string kSample = std::string(FONTSCAN_EXAMPLES) + "/8x8_basic_dhepper.h";
const std::string kShared = std::string(FONTSCAN_SHARED_FONTS) + "/";
constexpr char kProbeCodes[] = "AFRgjy_/0?";

std::vector<std::string> RankingLines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream text(out.substr(out.find("best first:\r\n") + 13));
  for (std::string line; std::getline(text, line) && line.size() > 1;) {
    lines.push_back(line.substr(0, line.size() - 1));  // without the CR
  }
  return lines;
}

TEST_F(SheetRun, LayoutsOfTheSampleFontAndItsProbeSheet) {
  CopyIn(kSample, "8x8_font.h");
  const ProcessResult run = RunSheet({"8x8_font.h", "/LAYOUTS", "/S2"});
  SheetOptions options;
  options.scale = 2;
  options.find_layouts = true;
  EXPECT_EQ(run.out, Joined({ReadingLines(128),
                             "\nLayouts that fit the symbols, best first:\n"
                             "  6  /ROWS /LSB /SIZE8X8\n"
                             "  4  /ROWS /MSB /SIZE8X8\n"
                             "  2  /LSB /SIZE8X8\n"
                             "  1  /MSB /SIZE8X8\n"
                             "\nBest layout: /ROWS /LSB /SIZE8X8.\n",
                             kWritten, FoundSheetReport("8X8_FONT.H", 8, 8, options)}));
  ASSERT_EQ(run.exit_code, 0);

  // Each line of the probe is the sheet of the ten telling symbols drawn in that line's layout.
  FontModel probe;
  const std::vector<Bytes> symbols = ParseFontSource(*ReadFile("8x8_font.h"));
  for (const char* code = kProbeCodes; *code; ++code) probe.symbols.push_back(symbols[*code]);
  const SheetOptions layouts[] = {
      OptionsOf({"/ROWS", "/LSB", "/S2", "/L10"}), OptionsOf({"/ROWS", "/MSB", "/S2", "/L10"}),
      OptionsOf({"/LSB", "/S2", "/L10"}), OptionsOf({"/MSB", "/S2", "/L10"})};
  Image expected;
  expected.width = 10 * 16 + 11;
  expected.height = 4 * 16 + 5;
  expected.pixels.resize(static_cast<std::size_t>(expected.width) * expected.height);
  for (int line = 0; line < 4; ++line) {
    const Image sheet = ExpectedSheet(probe, layouts[line]);
    for (int y = 0; y < sheet.height; ++y) {
      for (int x = 0; x < sheet.width; ++x) expected.at(x, line * 17 + y) = sheet.at(x, y);
    }
  }
  EXPECT_TRUE(IsSheet(*ReadFile("8x8_font.layouts.png"), expected));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"8x8_font.h", "8x8_font.layouts.png"}));
}

struct TypedBack {
  std::string path;
  std::string name;
  std::vector<std::string> options;
  int first_code;  // of the font's first symbol
};

std::ostream& operator<<(std::ostream& out, const TypedBack& c) { return out << c.name; }

class LayoutOptionsTypedBack : public SheetRun, public ::testing::WithParamInterface<TypedBack> {};

// The options a ranking line prints draw the font as that line of the probe shows it.
TEST_P(LayoutOptionsTypedBack, DrawTheSymbolsOfTheirProbeLine) {
  const TypedBack& c = GetParam();
  if (!std::filesystem::exists(c.path)) GTEST_SKIP() << "no font at " << c.path;
  CopyIn(c.path, c.name);
  std::vector<std::string> arguments{c.name, "/LAYOUTS"};
  arguments.insert(arguments.end(), c.options.begin(), c.options.end());
  const ProcessResult run = RunSheet(arguments);
  ASSERT_EQ(run.exit_code, 0) << run.out;
  const std::string stem = c.name.substr(0, c.name.rfind('.'));
  const std::optional<Image> probe = DecodePng(*ReadFile(stem + ".layouts.png"));
  ASSERT_TRUE(probe);
  const std::vector<std::string> lines = RankingLines(run.out);
  ASSERT_FALSE(lines.empty());
  const int side = (probe->height - 1) / static_cast<int>(lines.size()) - 1;
  for (std::size_t line = 0; line < lines.size(); ++line) {
    SCOPED_TRACE(lines[line]);
    ASSERT_NE(lines[line][2], '-') << "every line here has its checks";
    std::vector<std::string> typed{c.name, "/Y"};
    std::istringstream words(lines[line].substr(5));
    for (std::string word; words >> word;) typed.push_back(word);
    typed.insert(typed.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(RunSheet(typed).exit_code, 0);
    const std::optional<Image> drawn = DecodePng(*ReadFile(stem + ".png"));
    ASSERT_TRUE(drawn);
    const std::string size = typed[typed.size() - 1 - c.options.size()].substr(5);
    const int width = std::stoi(size);
    const int height = std::stoi(size.substr(size.find('X') + 1));
    for (int place = 0; place < 10; ++place) {
      const int symbol = kProbeCodes[place] - c.first_code;  // from 0
      const int x0 = 1 + symbol % 16 * (width + 1);
      const int y0 = 1 + symbol / 16 * (height + 1);
      const int px = 1 + place * (side + 1);
      const int py = 1 + static_cast<int>(line) * (side + 1);
      for (int r = 0; r < height; ++r) {
        for (int col = 0; col < width; ++col) {
          ASSERT_EQ(drawn->at(x0 + col, y0 + r), probe->at(px + col, py + r))
              << "probe cell " << place << ", pixel " << col << ", " << r;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, LayoutOptionsTypedBack,
    ::testing::Values(
        TypedBack{kSample, "8x8_sample.h", {}, 0},
        TypedBack{kShared + "tricky/5x7_flat_progmem_ledisplay.h", "5x7_flat.h", {"/A"}, 32}));

struct Message {
  const char* what;
  std::string name, text;
  std::vector<std::string> options;
  std::string expected;  // after the loading line, before the report
  int exit_code;
};

TEST_F(SheetRun, LayoutMessages) {
  std::string values;
  for (int i = 0; i < 24; ++i) values += std::to_string(i * 37 % 256) + ",";
  // Three symbols: none for 'y', so no checks apply.
  const std::string no_y =
      "\nReading array f: 24 values.\n\nLayouts that fit the symbols, best first:\n"
      "  -  /LSB /SIZE8X8\n  -  /MSB /SIZE8X8\n  -  /ROWS /MSB /SIZE8X8\n"
      "  -  /ROWS /LSB /SIZE8X8\n\nNo layout stands out: compare them in 8x8_f.layouts.png.\n";
  const std::vector<Message> messages = {
      {"no layout fits",
       "8x8_f.h",
       "char f[] = {1, 2, 3, 4, 5, 6, 7};",
       {"/A"},
       "\nReading array f: 7 values.\n\nERROR: No layout fits the symbols!\n",
       1},
      {"words that fit no layout, and no error about them",
       "5x7_f.h",
       "short f[] = {1, 2, 3};",
       {"/W16"},
       "\nReading array f: 3 values.\n\nERROR: No layout fits the symbols!\n",
       1},
      {"no symbol for y",
       "8x8_f.h",
       "char f[] = {" + values + "};",
       {"/A"},
       no_y + std::string(kWritten),
       0},
      {"the probe sheet exists",
       "8x8_f.h",
       "char f[] = {" + values + "};",
       {"/A"},
       no_y + std::string(kOutputExists),
       1},
  };
  for (const Message& m : messages) {
    SCOPED_TRACE(m.what);
    WriteFile(m.name, m.text + "\n/* padding, so that the file is not too small to load */\n");
    std::vector<std::string> arguments{m.name, "/LAYOUTS"};
    arguments.insert(arguments.end(), m.options.begin(), m.options.end());
    SheetOptions options;
    options.extra = m.options;
    options.array_read = true;
    options.find_layouts = true;
    options.value_bits = m.options[0] == "/W16" ? 16 : 8;
    const int width = m.name[0] - '0';
    const int height = m.name[2] - '0';
    std::string upper = m.name;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const ProcessResult run = RunSheet(arguments);
    EXPECT_EQ(run.out, Joined({kLoaded, m.expected,
                               SheetReport(true, upper, upper.substr(0, 5) + ".PNG",
                                           {width, height, 8, width}, options)}));
    EXPECT_EQ(run.exit_code, m.exit_code);
  }
}

}  // namespace
}  // namespace fontscan::testing
