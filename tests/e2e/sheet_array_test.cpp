// Array mode end to end: fonts of many C shapes drawn pixel for pixel, real fonts drawn and read
// back into text a compiler takes, and every message of the array reading.

#include <unistd.h>

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

// Fonts whose licence allows a copy are in the tests' data; the others are read in place from the
// shared font folder, when there is one.
const std::string kBundled = std::string(FONTSCAN_TEST_DATA) + "/fonts/";
const std::string kShared = std::string(FONTSCAN_SHARED_FONTS) + "/";

std::string Hex(unsigned value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int i = digits - 1; i >= 0; --i) text += kDigits[value >> (4 * i) & 0xF];
  return text;
}

// The numbers of the initializer that follows the first `name` in a C text: decimal or 0x,
// comments and strings left out. Enough for the fonts here and the texts fontsheet writes.
std::vector<unsigned> NumbersOfArray(const std::string& text, const std::string& name) {
  std::vector<unsigned> numbers;
  std::size_t i = text.find(name);
  if (i == std::string::npos) return numbers;
  i = text.find('{', i);
  for (int depth = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (text.compare(i, 2, "//") == 0) {
      i = text.find('\n', i);
    } else if (text.compare(i, 2, "/*") == 0) {
      i = text.find("*/", i) + 1;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}' && --depth == 0) {
      break;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      std::size_t end = 0;
      numbers.push_back(static_cast<unsigned>(std::stoul(text.substr(i), &end, 0)));
      i += end - 1;
    }
    if (i == std::string::npos) break;
  }
  return numbers;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

FontModel ModelOf(int width, int height, const std::vector<unsigned>& bytes, int symbol_size) {
  FontModel font;
  font.width = width;
  font.height = height;
  for (std::size_t at = 0; at + symbol_size <= bytes.size(); at += symbol_size) {
    font.symbols.emplace_back(bytes.begin() + at, bytes.begin() + at + symbol_size);
  }
  return font;
}

std::string CompilerOnPath(const char* name) {
  const char* path = std::getenv("PATH");
  for (std::string_view rest = path ? path : ""; !rest.empty();) {
    const std::size_t colon = rest.find(':');
    const std::string candidate = std::string(rest.substr(0, colon)) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
  }
  return "";
}

// ---- Real fonts, drawn and read back

struct RealFont {
  std::string path;
  std::string name;  // the array, as written
  int width, height;
  std::vector<std::string> options;
};

std::ostream& operator<<(std::ostream& out, const RealFont& c) {
  return out << fs::path(c.path).filename().string();
}

class RealArrayFont : public SheetRun, public ::testing::WithParamInterface<RealFont> {};

TEST_P(RealArrayFont, DrawsAndReadsBackIntoTextACompilerTakes) {
  const RealFont& c = GetParam();
  if (!fs::exists(c.path)) GTEST_SKIP() << "no font at " << c.path;
  const std::string source = FileText(c.path);
  ASSERT_FALSE(source.empty()) << c.path;
  const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
  WriteFile(size + "_font.h", source);
  SheetOptions options = OptionsOf(c.options);
  options.extra = {"/A" + c.name};
  options.array_read = true;
  options.array_name = c.name;
  const std::vector<unsigned> values = NumbersOfArray(source, c.name + "[");
  FontModel font = ModelOf(c.width, c.height, values, (c.height + 7) / 8 * c.width);

  const ProcessResult drawn = RunSheet(WithOptions(size + "_font.h", options));
  EXPECT_EQ(
      drawn.out,
      Joined({kLoaded,
              "\nReading array " + c.name + ": " + std::to_string(values.size()) + " values, " +
                  std::to_string(font.count()) + " symbols of " +
                  std::to_string(font.symbol_size()) + " bytes.\n",
              kWritten,
              FoundSheetReport(std::to_string(c.width) + "X" + std::to_string(c.height) + "_FONT.H",
                               c.width, c.height, options)}));
  ASSERT_EQ(drawn.exit_code, 0);
  const std::optional<std::string> png = ReadFile(size + "_font.png");
  ASSERT_TRUE(png);
  EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, options)));

  // Read back as one flat list under the array's name: the same values.
  options.flat_text = true;
  options.extra.push_back("/FLAT");
  fs::rename(PathOf(size + "_font.png"), PathOf(size + "_back.png"));
  ASSERT_EQ(RunSheet(WithOptions(size + "_back.png", options)).exit_code, 0);
  const std::optional<std::string> text = ReadFile(size + "_back.h");
  ASSERT_TRUE(text);
  EXPECT_EQ(NumbersOfArray(*text, c.name + "["), values);

  if (Target().windows()) return;  // the Windows program's text is not compiled here
  ProcessOptions in_dir;
  in_dir.directory = dir();
  for (const char* compiler : {"cc", "c++"}) {
    const std::string program = CompilerOnPath(compiler);
    if (program.empty()) continue;
    const ProcessResult compiled =
        RunProcess({program, "-Wall", "-Wextra", "-pedantic", "-Werror", "-fsyntax-only", "-x",
                    compiler[1] == '+' ? "c++" : "c",
                    compiler[1] == '+' ? "-std=c++17" : "-std=c11", size + "_back.h"},
                   in_dir);
    EXPECT_EQ(compiled.exit_code, 0) << compiler << compiled.out << compiled.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shared, RealArrayFont,
    ::testing::Values(
        RealFont{kShared + "tricky/5x7_flat_progmem_ledisplay.h", "Font5x7", 5, 7, {}},
        RealFont{kShared + "tricky/6x8_two_flat_arrays_cp1251_stm8snake.h", "NewFontRUS", 6, 8, {}},
        RealFont{kShared + "tricky/8x8_struct_symbol_decimal_hex_mix_andvari.h",
                 "font8x8",
                 8,
                 8,
                 {"/MSB"}},
        RealFont{kBundled + "8x16_ascii_hubenchang.h", "font8x16", 8, 16, {"/ROWS"}},
        RealFont{kShared + "more/8x8_ufb_font6x8_rows.h", "font6x8", 8, 8, {"/ROWS"}}));

// ---- C shapes: every text holds the same three 8x8 column symbols

const FontModel kThree = PatternFont(8, 8, 3, 7);

std::string Values(int symbol, const char* separator = ", ") {
  std::string text;
  for (unsigned byte : kThree.symbols[symbol]) {
    text += (text.empty() ? "" : separator) + Hex(byte, 2);
  }
  return text;
}

std::string Nested(const std::string& head, const std::string& tail = "};\n") {
  return head + "{" + Values(0) + ",},\n  {" + Values(1) + "},\n  {" + Values(2) + ",}\n" + tail;
}

// The symbols' bytes joined two by two into 16-bit values, in the order of the first bit.
std::string Words(bool lsb_first) {
  std::string text;
  for (const Bytes& symbol : kThree.symbols) {
    for (std::size_t i = 0; i < symbol.size(); i += 2) {
      const unsigned word =
          lsb_first ? symbol[i] | symbol[i + 1] << 8 : symbol[i] << 8 | symbol[i + 1];
      text += Hex(word, 4) + ", ";
    }
  }
  return text;
}

struct Shape {
  const char* what;
  std::string text;
  std::vector<std::string> options;  // /SIZE8X8 and /A are always given
};

std::vector<Shape> Shapes() {
  const std::string flat = Values(0) + ",  // one\n" + Values(1) + ", /* two */\n" + Values(2);
  return {
      {"flat, a comment a line", "const unsigned char f[] = {\n" + flat + "\n};\n", {}},
      {"nested, trailing commas", Nested("static const uint8_t f[3][8] = {\n  "), {}},
      {"attributes", "const uint8_t f[] PROGMEM __attribute__((aligned(4))) = {" + flat + "};", {}},
      {"C++ braces", "constexpr unsigned char f[] {" + flat + "};", {}},
      {"std::array", "std::array<uint8_t, 24> f = {" + flat + "};", {}},
      {"macro name", "FONTDECL(f) = {" + flat + "};", {}},
      {"extern C, struct and function first",
       "extern \"C\" {\nstruct s { int a; };\nint g(void) { return 1; }\nconst char f[] = {" +
           flat + "};\n}\n",
       {}},
      {"inside a function", "void g() {\n  static const char f[] = {" + flat + "};\n}\n", {}},
      {"spliced comment", "// a comment \\\nint x[] = {1};\nchar f[] = {" + flat + "};", {}},
      {"conditional groups",
       "#define LARGE 0\nchar f[] = {\n#if LARGE\n 1, 2,\n#elif defined(EXTRA)\n" + Values(0) +
           ",\n#else\n 3,\n#endif\n" + Values(1) + ",\n#ifndef EXTRA\n 4,\n#endif\n" + Values(2) +
           "};",
       {"/DEXTRA"}},
      {"header values skipped", "char f[] = {8, 8, 32, " + flat + "};", {"/SKIP3"}},
      {"16-bit values, LSB first", "uint16_t f[] = {" + Words(true) + "};", {"/W16"}},
      {"byte-order mark, CR LF",
       "\xEF\xBB\xBFint f[] = {\r\n" + Values(0) + ",\r\n" + Values(1) + ",\r" + Values(2) +
           "\n};\r\n",
       {}},
  };
}

TEST_F(SheetRun, ArraysOfEveryShapeDrawTheSameSymbols) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.what);
    WriteFile("font.h", shape.text + "\n/* any name serves: the size is given */\n");
    std::vector<std::string> arguments{"font.h", "/SIZE8X8", "/A", "/Y"};
    arguments.insert(arguments.end(), shape.options.begin(), shape.options.end());
    const ProcessResult run = RunSheet(arguments);
    ASSERT_EQ(run.exit_code, 0) << run.out;
    SheetOptions options;
    EXPECT_TRUE(IsSheet(*ReadFile("font.png"), ExpectedSheet(kThree, options)));
  }
}

TEST_F(SheetRun, WordsInTheFirstBitsOrderAndSpellingsOfNumbers) {
  // MSB first: the high byte of each word comes first.
  WriteFile("8x8_w.h", "uint16_t f[] = {" + Words(false) + "};");
  SheetOptions options;
  options.first = 'M';
  ASSERT_EQ(RunSheet({"8x8_w.h", "/W16", "/MSB"}).exit_code, 0);
  EXPECT_TRUE(IsSheet(*ReadFile("8x8_w.png"), ExpectedSheet(kThree, options)));
  // Decimal, octal, binary, suffixes, characters and Arduino's names: one symbol.
  WriteFile("8x8_n.h", "char f[] = {65, 0101, 0x41u, 0X41UL, 0b1000001, B1000001, 'A', '\\x41'};");
  FontModel a;
  a.symbols = {Bytes(8, 0x41)};
  ASSERT_EQ(RunSheet({"8x8_n.h", "/A"}).exit_code, 0);
  EXPECT_TRUE(IsSheet(*ReadFile("8x8_n.png"), ExpectedSheet(a, {})));
}

// ---- Messages

struct Message {
  const char* what;
  std::string name;  // the file
  std::string text;
  std::vector<std::string> options;
  std::string expected;  // between the loading line and the report
  bool help;
};

TEST_F(SheetRun, ArrayMessages) {
  const std::string two =
      "char a[] = {1, 2};\nchar Bb[2][8] = {{" + Values(0) + "}, {" + Values(1) + ",},\n};\n";
  const std::string full_row = "char r[] = {0x1F, 0x1F, 0x10, 0x08, 0x04, 0x22, 0x01, 0x1F};\n";
  const std::vector<Message> messages = {
      {"no array",
       "8x8_f.h",
       "int x = 1; /* nothing here */ struct s { int a; };",
       {"/A"},
       "\nERROR: No array found in input file!\n",
       false},
      {"several arrays",
       "8x8_f.h",
       two,
       {"/A"},
       "\nERROR: Input file holds 2 arrays, choose one with /Aname!\n"
       "       a at line 1: 2 elements.\n       Bb at line 2: 2 elements.\n",
       false},
      {"no such array",
       "8x8_f.h",
       two,
       {"/Acc"},
       "\nERROR: Array cc not found in input file!\n"
       "       a at line 1: 2 elements.\n       Bb at line 2: 2 elements.\n",
       false},
      {"the chosen array, without regard to case",
       "8x8_f.h",
       two,
       {"/AbB"},
       "\nReading array Bb: 16 values, 2 symbols of 8 bytes.\n" + std::string(kWritten),
       false},
      {"a fault",
       "8x8_f.h",
       "char f[] = {\r\n 1, 2,\r\n 3, -4};\r\n",
       {"/A"},
       "\nERROR: Error while reading array f!\n"
       "       Line 3, column 5 (file position 27 / 0x001B bytes).\n"
       "       Value #4 is not a number: '- 4'.\n",
       true},
      {"out of range",
       "8x8_f.h",
       "short f[] = {0x10000};",
       {"/W16", "/SIZE8X2"},
       "\nERROR: Error while reading array f!\n"
       "       Line 1, column 14 (file position 14 / 0x000E bytes).\n"
       "       Value #1 is out of range: '0x10000' (0 to 65535).\n",
       true},
      {"words that make no symbol",
       "5x7_f.h",
       "short f[] = {1};",
       {"/W16"},
       "\nERROR: Symbols of 5 bytes can't be read from 16-bit values!\n",
       false},
      {"pixels right of the width",
       "5x8_f.h",
       full_row,
       {"/A", "/ROWS", "/LSB"},
       "\nReading array r: 8 values, 1 symbols of 8 bytes.\n"
       "\nWARNING: Pixels right of the symbol width are set in 1 of 1 symbols; the sheet does "
       "not show them.\n" +
           std::string(kWritten),
       false},
  };
  for (const Message& m : messages) {
    SCOPED_TRACE(m.what);
    WriteFile(m.name, m.text + "\n/* padding, so that the file is not too small to load */\n");
    std::vector<std::string> arguments{m.name};
    arguments.insert(arguments.end(), m.options.begin(), m.options.end());
    SheetOptions options = OptionsOf(m.options);
    options.extra = m.options;
    options.array_read = true;
    for (const std::string& entry : m.options) {
      if (entry.size() > 2 && entry.compare(0, 2, "/A") == 0) options.array_name = entry.substr(2);
      if (entry == "/W16") options.value_bits = 16;
    }
    const bool sized = m.options.back().compare(0, 5, "/SIZE") == 0;
    const int width = sized ? 8 : m.name[0] - '0';
    const int height = sized ? 2 : m.name[2] - '0';
    const bool loads = m.expected.find("Symbols of") == std::string::npos;
    const std::string size_text = m.name.substr(0, 3);
    Dimensions dimensions{width, height, (height + 7) / 8 * 8, width * ((height + 7) / 8)};
    if (options.rows) dimensions.symbol_size = (width + 7) / 8 * height;
    const ProcessResult run = RunSheet(arguments);
    std::string upper = m.name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string out_name = upper.substr(0, upper.size() - 2) + ".PNG";
    EXPECT_EQ(run.out, Joined({loads ? kLoaded : "", m.expected, m.help ? kSheetHelp : "",
                               SheetReport(true, upper, out_name, dimensions, options)}));
  }
}

TEST_F(SheetRun, HintsForAFontTheStrictReadingCannotTake) {
  // A comma after each symbol's last byte: a parse error, and the array that reads.
  CopyIn(kBundled + "8x16_ascii_hubenchang.h", "8x16_ascii.h");
  const ProcessResult strict = RunSheet({"8x16_ascii.h", "/ROWS"});
  EXPECT_NE(strict.out.find("Content: '00'.\r\n\r\nHINT: The file reads as a C array with /A:\r\n"
                            "      /Afont8x16 - 128 symbols of 16 bytes.\r\n\r\nCommand line"),
            std::string::npos)
      << strict.out;
  EXPECT_EQ(strict.exit_code, 1);
  // A file without the size in its name.
  CopyIn(kBundled + "5x7_commented_decl_ht1632.h", "glcdfont.c");
  const ProcessResult unnamed = RunSheet({"glcdfont.c", "/A"});
  EXPECT_NE(unnamed.out.find("\r\nERROR: Input file name not found, wrong format, or not "
                             "specified!\r\n\r\nHINT: glcdfont.c exists; give its symbol size "
                             "with /SIZEwxh.\r\n"),
            std::string::npos)
      << unnamed.out;
}

}  // namespace
}  // namespace fontscan::testing
