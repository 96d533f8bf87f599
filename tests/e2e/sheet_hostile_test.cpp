// Sheets that are not what they claim: damaged, truncated, invalid in one way each, or huge.
// Each gets its message and exit status 1, writes nothing, and finishes in time.

#include <cctype>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

using png_builder::Chunk;

// Three 8x8 symbols in lines of 16: a 28 x 10 sheet.
FontModel SmallFont() { return WithoutPadding(PatternFont(8, 8, 3, 21), Layout::kColumns, true); }

std::vector<Chunk> SmallSheet(const PngForm& form = {}) {
  return PngChunks(ExpectedSheet(SmallFont(), {}), form);
}

std::string Huge(std::uint32_t width, std::uint32_t height) {
  png_builder::Header header;
  header.width = width;
  header.height = height;
  header.colour_type = 2;
  return png_builder::HeaderData(header);
}

// The raw scanlines of the small sheet, for zlib streams of one's own.
std::string SmallRaw() {
  const Image image = ExpectedSheet(SmallFont(), {});
  png_builder::Header header;
  header.width = static_cast<std::uint32_t>(image.width);
  header.height = static_cast<std::uint32_t>(image.height);
  header.colour_type = 2;
  return png_builder::Scanlines(
      header, [&](std::uint32_t x, std::uint32_t y) { return std::uint64_t{image.at(x, y)}; },
      [](int, std::uint32_t) { return 0; });
}

struct BrokenCase {
  const char* what;
  std::function<std::string()> file;
  bool too_big;  // "Input image is too big!" rather than the loading error
};

std::ostream& operator<<(std::ostream& out, const BrokenCase& c) { return out << c.what; }

// A file of chunks, the small sheet's changed by `change`.
std::function<std::string()> Changed(std::function<void(std::vector<Chunk>&)> change,
                                     PngForm form = {}) {
  return [change, form] {
    std::vector<Chunk> chunks = SmallSheet(form);
    change(chunks);
    return png_builder::Assemble(chunks);
  };
}

class BrokenSheet : public SheetRun, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenSheet, IsRefusedWithItsMessage) {
  const BrokenCase& c = GetParam();
  WriteFile("8x8_broken.png", c.file());
  const ProcessResult result = RunSheet({"8x8_broken.png"});
  EXPECT_EQ(result.out, Joined({c.too_big ? kInputTooBig : kLoadFailed,
                                FoundSheetReport("8X8_BROKEN.PNG", 8, 8)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_broken.png"});
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, BrokenSheet,
    ::testing::Values(
        BrokenCase{"zero bytes", [] { return std::string(); }, false},
        BrokenCase{"a text file", [] { return std::string("This is no picture at all.\n"); },
                   false},
        BrokenCase{"signature only", [] { return png_builder::Signature(); }, false},
        BrokenCase{"wrong signature",
                   [] {
                     std::string file = png_builder::Assemble(SmallSheet());
                     file[1] = 'Q';
                     return file;
                   },
                   false},
        BrokenCase{"cut in half",
                   [] {
                     const std::string file = png_builder::Assemble(SmallSheet());
                     return file.substr(0, file.size() / 2);
                   },
                   false},
        BrokenCase{"cut inside the IEND CRC",
                   [] {
                     const std::string file = png_builder::Assemble(SmallSheet());
                     return file.substr(0, file.size() - 2);
                   },
                   false},
        BrokenCase{"no IEND", Changed([](auto& chunks) { chunks.pop_back(); }), false},
        BrokenCase{"IEND with data", Changed([](auto& chunks) { chunks.back().data = "x"; }),
                   false},
        BrokenCase{"bad IDAT CRC", Changed([](auto& chunks) { chunks[1].crc = 0x12345678; }),
                   false},
        BrokenCase{"bad IHDR CRC", Changed([](auto& chunks) { chunks[0].crc = 0; }), false},
        BrokenCase{"bad IEND CRC", Changed([](auto& chunks) { chunks.back().crc = 1; }), false},
        BrokenCase{"bad CRC in a text chunk",
                   Changed([](auto& chunks) {
                     chunks.insert(chunks.begin() + 1,
                                   Chunk{"tEXt", std::string("Title\0x", 7), 7u, {}});
                   }),
                   false},
        BrokenCase{"chunk length past the end",
                   Changed([](auto& chunks) { chunks[1].length = 0x7FFFFFFF; }), false},
        BrokenCase{"IHDR not first",
                   Changed([](auto& chunks) {
                     chunks.insert(chunks.begin(), Chunk{"tEXt", std::string("A\0b", 3), {}, {}});
                   }),
                   false},
        BrokenCase{"IHDR twice", Changed([](auto& chunks) { chunks.insert(chunks.begin() + 1, chunks[0]); }),
                   false},
        BrokenCase{"IHDR of 12 bytes",
                   Changed([](auto& chunks) { chunks[0].data.pop_back(); }), false},
        BrokenCase{"zero width", Changed([](auto& chunks) { chunks[0].data = Huge(0, 10); }),
                   false},
        BrokenCase{"zero height", Changed([](auto& chunks) { chunks[0].data = Huge(28, 0); }),
                   false},
        BrokenCase{"RGB of 4 bits",
                   Changed([](auto& chunks) { chunks[0].data[8] = 4; }), false},
        BrokenCase{"palette of 16 bits",
                   Changed([](auto& chunks) {
                     chunks[0].data[8] = 16;
                     chunks[0].data[9] = 3;
                   }),
                   false},
        BrokenCase{"grey of 3 bits", Changed([](auto& chunks) {
                     chunks[0].data[8] = 3;
                     chunks[0].data[9] = 0;
                   }),
                   false},
        BrokenCase{"colour type 5", Changed([](auto& chunks) { chunks[0].data[9] = 5; }), false},
        BrokenCase{"compression method 1", Changed([](auto& chunks) { chunks[0].data[10] = 1; }),
                   false},
        BrokenCase{"filter method 1", Changed([](auto& chunks) { chunks[0].data[11] = 1; }),
                   false},
        BrokenCase{"interlace method 2", Changed([](auto& chunks) { chunks[0].data[12] = 2; }),
                   false},
        BrokenCase{"width of 2^31",
                   Changed([](auto& chunks) { chunks[0].data = Huge(0x80000000u, 1); }), false},
        BrokenCase{"palette image without PLTE",
                   Changed([](auto& chunks) { chunks.erase(chunks.begin() + 1); },
                           [] {
                             PngForm form;
                             form.colour_type = 3;
                             form.palette = std::string(15, '\x40');
                             form.sample = [](std::uint32_t colour) { return colour % 5; };
                             return form;
                           }()),
                   false},
        BrokenCase{"PLTE in a grey image",
                   Changed(
                       [](auto& chunks) {
                         chunks.insert(chunks.begin() + 1,
                                       Chunk{"PLTE", std::string(6, '\x20'), {}, {}});
                       },
                       [] {
                         PngForm form;
                         form.colour_type = 0;
                         form.sample = [](std::uint32_t colour) { return colour & 0xFF; };
                         return form;
                       }()),
                   false},
        BrokenCase{"PLTE of 7 bytes",
                   Changed([](auto& chunks) {
                     chunks.insert(chunks.begin() + 1, Chunk{"PLTE", std::string(7, 'p'), {}, {}});
                   }),
                   false},
        BrokenCase{"PLTE of more entries than 2 bits hold",
                   Changed([](auto& chunks) { chunks[1].data += std::string(3, '\x7F'); },
                           [] {
                             PngForm form;
                             form.colour_type = 3;
                             form.depth = 2;
                             form.palette = std::string(12, '\x40');
                             form.sample = [](std::uint32_t colour) { return colour % 4; };
                             return form;
                           }()),
                   false},
        BrokenCase{"two PLTE chunks",
                   Changed([](auto& chunks) { chunks.insert(chunks.begin() + 1, chunks[1]); },
                           [] {
                             PngForm form;
                             form.colour_type = 3;
                             form.palette = std::string(15, '\x40');
                             form.sample = [](std::uint32_t colour) { return colour % 5; };
                             return form;
                           }()),
                   false},
        BrokenCase{"PLTE after IDAT",
                   Changed([](auto& chunks) {
                     chunks.insert(chunks.end() - 1, Chunk{"PLTE", std::string(6, '\x20'), {}, {}});
                   }),
                   false},
        BrokenCase{"chunk type with a digit",
                   Changed([](auto& chunks) {
                     chunks.insert(chunks.begin() + 1, Chunk{"te4t", "x", {}, {}});
                   }),
                   false},
        BrokenCase{"palette index out of range",
                   [] {
                     PngForm form;
                     form.colour_type = 3;
                     form.palette = std::string(12, '\x40');  // four entries
                     form.sample = [](std::uint32_t colour) { return colour == 0 ? 4 : 1; };
                     return EncodePng(ExpectedSheet(SmallFont(), {}), form);
                   },
                   false},
        BrokenCase{"IDAT chunks not consecutive",
                   [] {
                     PngForm form;
                     form.idat_count = 2;
                     std::vector<Chunk> chunks = SmallSheet(form);
                     chunks.insert(chunks.begin() + 2,
                                   Chunk{"tEXt", std::string("A\0b", 3), {}, {}});
                     return png_builder::Assemble(chunks);
                   },
                   false},
        BrokenCase{"no IDAT",
                   Changed([](auto& chunks) { chunks.erase(chunks.begin() + 1); }), false},
        BrokenCase{"unknown critical chunk",
                   Changed([](auto& chunks) {
                     chunks.insert(chunks.begin() + 1, Chunk{"QUUX", "data", {}, {}});
                   }),
                   false},
        BrokenCase{"not a zlib stream",
                   Changed([](auto& chunks) { chunks[1].data = "not deflated at all"; }), false},
        BrokenCase{"zlib stream cut short",
                   Changed([](auto& chunks) { chunks[1].data.resize(chunks[1].data.size() / 2); }),
                   false},
        BrokenCase{"zlib checksum wrong",
                   Changed([](auto& chunks) { chunks[1].data.back() ^= 0x01; }), false},
        BrokenCase{"bytes after the zlib stream",
                   Changed([](auto& chunks) { chunks[1].data += "more"; }), false},
        BrokenCase{"too little image data",
                   Changed([](auto& chunks) {
                     const std::string raw = SmallRaw();
                     chunks[1].data = png_builder::Compress(raw.substr(0, raw.size() - 85));
                   }),
                   false},
        BrokenCase{"too much image data",
                   Changed([](auto& chunks) {
                     chunks[1].data = png_builder::Compress(SmallRaw() + std::string(85, '\0'));
                   }),
                   false},
        BrokenCase{"filter type 5",
                   Changed([](auto& chunks) {
                     std::string raw = SmallRaw();
                     raw[85 * 3] = 5;  // the filter byte of row 3
                     chunks[1].data = png_builder::Compress(raw);
                   }),
                   false}));

INSTANTIATE_TEST_SUITE_P(
    Huge, BrokenSheet,
    ::testing::Values(
        BrokenCase{"100000 x 100000, nothing after IHDR",
                   [] {
                     return png_builder::Assemble({Chunk{"IHDR", Huge(100000, 100000), {}, {}}});
                   },
                   true},
        BrokenCase{"100000 x 100000 with broken data after it", Changed([](auto& chunks) {
                     chunks[0].data = Huge(100000, 100000);
                     chunks[1].data = "garbage";
                   }),
                   true},
        BrokenCase{"8192 x 8193", Changed([](auto& chunks) { chunks[0].data = Huge(8192, 8193); }),
                   true},
        // Exactly 64 Mi pixels is allowed; the data is then too short for it.
        BrokenCase{"8192 x 8192", Changed([](auto& chunks) { chunks[0].data = Huge(8192, 8192); }),
                   false},
        BrokenCase{"100000 x 100000 with a bad CRC", Changed([](auto& chunks) {
                     chunks[0].data = Huge(100000, 100000);
                     chunks[0].crc = 0;
                   }),
                   false},
        BrokenCase{"100000 x 100000 of a wrong depth", Changed([](auto& chunks) {
                     chunks[0].data = Huge(100000, 100000);
                     chunks[0].data[8] = 7;
                   }),
                   false},
        BrokenCase{"100000 x 100000 after a wrong signature",
                   [] {
                     std::string file =
                         png_builder::Assemble({Chunk{"IHDR", Huge(100000, 100000), {}, {}}});
                     file[0] = 'P';
                     return file;
                   },
                   false}));

// Bytes after IEND are not looked at, and a PLTE in an RGB image is only a suggestion.
TEST_F(SheetRun, SheetsThatAreValidAfterAll) {
  struct Case {
    const char* what;
    std::string file;
  };
  std::vector<Chunk> with_palette = SmallSheet();
  with_palette.insert(with_palette.begin() + 1, Chunk{"PLTE", std::string(9, '\x33'), {}, {}});
  // Empty IDAT chunks are allowed, even between the others.
  PngForm split;
  split.idat_count = 2;
  std::vector<Chunk> empty_idats = SmallSheet(split);
  empty_idats.insert(empty_idats.begin() + 2, Chunk{"IDAT", "", {}, {}});
  empty_idats.insert(empty_idats.end() - 1, Chunk{"IDAT", "", {}, {}});
  const Case cases[] = {
      {"bytes after IEND", png_builder::Assemble(SmallSheet()) + "trailing garbage"},
      {"PLTE in an RGB image", png_builder::Assemble(with_palette)},
      {"empty IDAT chunks", png_builder::Assemble(empty_idats)},
  };
  const FontModel font = SmallFont();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile("8x8_valid.png", c.file);
    const ProcessResult result = RunSheet({"8x8_valid.png", "/Y"});
    SheetOptions options;
    options.overwrite = true;
    EXPECT_EQ(result.out, Joined({ReadingLines(3), kWritten,
                                  FoundSheetReport("8X8_VALID.PNG", 8, 8, options)}));
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(ReadFile("8x8_valid.h"), ExpectedFontText(font, {}, LineEnd()));
  }
}

// The file's size decides before anything is read: over 64 MiB is too big, even for a sheet
// that would read well. The files are sparse, so they cost no disk.
TEST_F(SheetRun, SheetFileOfMoreThan64MiB) {
  constexpr std::uintmax_t kLimit = 64u << 20;
  const std::string sheet = png_builder::Assemble(SmallSheet());
  struct Case {
    const char* name;
    std::string content;
    std::uintmax_t size;
    std::string_view message;  // empty: read and written
  };
  const Case cases[] = {
      {"8x8_zeros.png", "", kLimit, kLoadFailed},
      {"8x8_zeros.png", "", kLimit + 1, kInputTooBig},
      {"8x8_padded.png", sheet, kLimit, ""},
      {"8x8_padded.png", sheet, kLimit + 1, kInputTooBig},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(c.size));
    WriteFile(c.name, c.content);
    std::filesystem::resize_file(PathOf(c.name), c.size);
    const ProcessResult result = RunSheet({c.name, "/Y"});
    SheetOptions options;
    options.overwrite = true;
    std::string upper = c.name;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (c.message.empty()) {
      EXPECT_EQ(result.out,
                Joined({ReadingLines(3), kWritten, FoundSheetReport(upper, 8, 8, options)}));
      EXPECT_EQ(result.exit_code, 0);
      EXPECT_EQ(ReadFile("8x8_padded.h"), ExpectedFontText(SmallFont(), {}, LineEnd()));
      std::filesystem::remove(PathOf("8x8_padded.h"));
    } else {
      EXPECT_EQ(result.out, Joined({c.message, FoundSheetReport(upper, 8, 8, options)}));
      EXPECT_EQ(result.exit_code, 1);
    }
    std::filesystem::remove(PathOf(c.name));
    EXPECT_TRUE(Entries().empty());
  }
}

// A directory is no file: not recognised, so the not-found message and help.
TEST_F(SheetRun, DirectoryNamedLikeASheet) {
  MakeDirectory("8x8_dir.png");
  const ProcessResult result = RunSheet({"8x8_dir.png"});
  EXPECT_EQ(result.out, Joined({kNotFound, kSheetHelp, NoInputSheetReport()}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"8x8_dir.png"});
  EXPECT_TRUE(Entries("8x8_dir.png").empty());
}

// Names whose size is out of range are not sheets either (and fontscan's PNG refusal is gone):
// the sizes read stay in the report, and a hint says how to give the size.
TEST_F(SheetRun, SheetNamesOutOfRange) {
  struct Case {
    const char* name;
    int width, height;
  };
  const Case cases[] = {
      {"0x8_f.png", 0, 8}, {"300x8_f.png", 300, 8}, {"8x257_f.png", 8, 257},
      {"8x8.png", -1, -1}, {"x8_f.png", -1, -1},
  };
  const std::string sheet = png_builder::Assemble(SmallSheet());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(c.name, sheet);
    const ProcessResult result = RunSheet({c.name});
    EXPECT_EQ(
        result.out,
        Joined({kNotFound,
                "\nHINT: " + std::string(c.name) + " exists; give its symbol size with /SIZEwxh.\n",
                kSheetHelp, SheetReport(false, "", "", {c.width, c.height, 0, 0})}));
    EXPECT_EQ(result.exit_code, 1);
    std::filesystem::remove(PathOf(c.name));
    EXPECT_TRUE(Entries().empty());
  }
}

}  // namespace
}  // namespace fontscan::testing
