#include "app/font_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace fontscan {
namespace {

TEST(NamePart, FollowsTheLastSeparatorOfAnyKind) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"8X8_A.H", "8X8_A.H"},
      {"DIR/8X8_A.H", "8X8_A.H"},
      {"C:\\F\\8X8_A.H", "8X8_A.H"},
      {"C:8X8_A.H", "8X8_A.H"},
      {"A/B\\C:D", "D"},
      {"DIR/", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NamePart(c.path), c.name) << c.path;
}

TEST(Extension, IsFoundBackwardUpToTheFirstSeparator) {
  const struct {
    const char* path;
    const char* extension;
  } cases[] = {
      {"8X8_A.H", ".H"},
      {"8X8_A.TAR.GZ", ".GZ"},
      {"5X7_SMALL", ""},
      {"DIR.X\\8X8_F", ""},
      {"DIR.X/8X8_F", ""},
      {"C:8X8_F", ""},
      {"8X8_F.", "."},
      {".HIDDEN", ""},
      {"DIR\\.HIDDEN", ""},
      {"DIR/.HIDDEN", ""},
      {"C:.H", ".H"},
      {"8X16_F.PNG", ".PNG"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Extension(c.path), c.extension) << c.path;
}

TEST(ReadCellSize, AcceptsOneToThreeDigitsEachSideOfX) {
  const struct {
    const char* name;
    bool qualifies;
    std::int32_t width, height;
  } cases[] = {
      {"8X16_FONT.H", true, 8, 16},
      {"8X8_", true, 8, 8},
      {"008X016_F.H", true, 8, 16},
      {"999X999_", true, 999, 999},
      {"0X8_F.H", true, 0, 8},
      {"300X8_F.H", true, 300, 8},
      {"8X8.H", false, 0, 0},
      {"X8_A.H", false, 0, 0},
      {"8X_A.H", false, 0, 0},
      {"1234X8_A.H", false, 0, 0},
      {"0008X8_F.H", false, 0, 0},
      {"8X1234_A.H", false, 0, 0},
      {"8X8A_F.H", false, 0, 0},
      {"8Y8_F.H", false, 0, 0},
      {"8x8_F.H", false, 0, 0},  // names arrive upper-cased; a lower x is no separator
      {"8X8", false, 0, 0},
      {"_", false, 0, 0},
      {"", false, 0, 0},
      {"8", false, 0, 0},
      {"8X", false, 0, 0},
      {" 8X8_", false, 0, 0},
  };
  for (const auto& c : cases) {
    std::optional<CellSize> cell = ReadCellSize(c.name);
    ASSERT_EQ(cell.has_value(), c.qualifies) << c.name;
    if (!cell) continue;
    EXPECT_EQ(cell->width, c.width) << c.name;
    EXPECT_EQ(cell->height, c.height) << c.name;
  }
}

// A file system that knows a fixed set of file names and opens none of them.
class NamedFiles final : public platform::FileSystem {
 public:
  explicit NamedFiles(std::set<std::string> names) : names_(std::move(names)) {}
  bool IsExistingFile(const std::string& path) const override { return names_.count(path) > 0; }
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string&) const override {
    return nullptr;
  }

 private:
  std::set<std::string> names_;
};

struct Recognition {
  bool found;
  std::string in, out;
  std::int32_t width, height, symbol_height, symbol_size;
  bool help;
  std::string messages;
};

Recognition Recognise(std::initializer_list<const char*> typed, std::set<std::string> existing) {
  RunState state;
  state.FONTWIDTH = -1;
  state.FONTHEIGHT = -1;
  StringOutput output;
  Console console(output);
  NamedFiles files(std::move(existing));
  for (const char* argument : typed) {
    std::string text = argument;
    for (char& c : text) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    TestFontFile(state, Parameter{text, argument}, files, console);
  }
  console.Flush();
  return {state.INFILENAMEFOUND, state.INFILENAME, state.OUTFILENAME,
          state.FONTWIDTH,       state.FONTHEIGHT, state.SYMBOLHEIGHT,
          state.SYMBOLSIZE,      state.FSHOWHELP,  output.text()};
}

constexpr const char* kPngMessage = "\r\nERROR: Input file can't be PNG file!\r\n";

TEST(TestFontFile, DerivesDimensionsAndOutputName) {
  const struct {
    const char* typed;
    Recognition expected;
  } cases[] = {
      {"8x16_font.h", {true, "8X16_FONT.H", "8X16_FONT.PNG", 8, 16, 16, 16, false, ""}},
      {"12X12_A.TXT", {true, "12X12_A.TXT", "12X12_A.PNG", 12, 12, 16, 24, false, ""}},
      {"5x7_small", {true, "5X7_SMALL", "5X7_SMALL.PNG", 5, 7, 8, 5, false, ""}},
      {"8X8_", {true, "8X8_", "8X8_.PNG", 8, 8, 8, 8, false, ""}},
      {"256X256_BIG.H", {true, "256X256_BIG.H", "256X256_BIG.PNG", 256, 256, 256, 8192, false, ""}},
      {"1X1_A.H", {true, "1X1_A.H", "1X1_A.PNG", 1, 1, 8, 1, false, ""}},
      {"dir.x\\8x8_f", {true, "DIR.X\\8X8_F", "DIR.X\\8X8_F.PNG", 8, 8, 8, 8, false, ""}},
      {"fonts/6x9_f.h", {true, "FONTS/6X9_F.H", "FONTS/6X9_F.PNG", 6, 9, 16, 12, false, ""}},
      {"8x16_f.png", {false, "", "", -1, -1, 0, 0, true, kPngMessage}},
      {"8x16_f.Png", {false, "", "", -1, -1, 0, 0, true, kPngMessage}},
      {"8x16_f.png.h", {true, "8X16_F.PNG.H", "8X16_F.PNG.PNG", 8, 16, 16, 16, false, ""}},
      {"300x8_f.h", {false, "", "", 300, 8, 0, 0, false, ""}},
      {"8x0_f.h", {false, "", "", 8, 0, 0, 0, false, ""}},
      {"0x8_f.png", {false, "", "", 0, 8, 0, 0, false, ""}},
      {"300x8_f.png", {false, "", "", 300, 8, 0, 0, false, ""}},
      {"8x8.h", {false, "", "", -1, -1, 0, 0, false, ""}},
  };
  for (const auto& c : cases) {
    Recognition got = Recognise({c.typed}, {c.typed});
    const Recognition& want = c.expected;
    EXPECT_EQ(got.found, want.found) << c.typed;
    EXPECT_EQ(got.in, want.in) << c.typed;
    EXPECT_EQ(got.out, want.out) << c.typed;
    EXPECT_EQ(got.width, want.width) << c.typed;
    EXPECT_EQ(got.height, want.height) << c.typed;
    EXPECT_EQ(got.symbol_height, want.symbol_height) << c.typed;
    EXPECT_EQ(got.symbol_size, want.symbol_size) << c.typed;
    EXPECT_EQ(got.help, want.help) << c.typed;
    EXPECT_EQ(got.messages, want.messages) << c.typed;
  }
}

TEST(TestFontFile, OnlyExistingFilesAreExaminedAndTheFirstFoundWins) {
  Recognition missing = Recognise({"8x8_a.h"}, {});
  EXPECT_FALSE(missing.found);
  EXPECT_EQ(missing.width, -1);

  Recognition first = Recognise({"8x8_a.h", "16x16_b.h"}, {"8x8_a.h", "16x16_b.h"});
  EXPECT_EQ(first.in, "8X8_A.H");
  EXPECT_EQ(first.width, 8);

  // After a recognised file nothing is looked at, not even a PNG candidate.
  Recognition then_png = Recognise({"8x8_a.h", "8x8_b.png"}, {"8x8_a.h", "8x8_b.png"});
  EXPECT_TRUE(then_png.found);
  EXPECT_FALSE(then_png.help);
  EXPECT_EQ(then_png.messages, "");

  // A PNG candidate first: message and help, then the next file is still recognised.
  Recognition png_then = Recognise({"8x8_a.png", "8x16_b.h"}, {"8x8_a.png", "8x16_b.h"});
  EXPECT_TRUE(png_then.found);
  EXPECT_TRUE(png_then.help);
  EXPECT_EQ(png_then.in, "8X16_B.H");
  EXPECT_EQ(png_then.height, 16);
  EXPECT_EQ(png_then.messages, kPngMessage);

  // Out-of-range values stay until a later entry changes them.
  Recognition range_then = Recognise({"300x8_a.h", "9x9_b"}, {"300x8_a.h", "9x9_b"});
  EXPECT_EQ(range_then.width, 9);
  EXPECT_TRUE(range_then.found);
}

// The existence test uses the argument as typed; what is compared and kept is upper case.
TEST(TestFontFile, FileSystemSeesTheArgumentAsTyped) {
  Recognition typed = Recognise({"8x8_Mixed.h"}, {"8x8_Mixed.h"});
  EXPECT_TRUE(typed.found);
  EXPECT_EQ(typed.in, "8X8_MIXED.H");
  Recognition upper_only = Recognise({"8x8_Mixed.h"}, {"8X8_MIXED.H"});
  EXPECT_FALSE(upper_only.found);
}

}  // namespace
}  // namespace fontscan
