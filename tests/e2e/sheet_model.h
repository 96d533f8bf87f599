// What fontsheet should make of a font, worked out here on the tests' side alone: the bit that
// holds each pixel, the sheet's pixels, the font text of a sheet read back, and the texts of the
// fonts the tests feed in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fontscan::testing {

using Bytes = std::vector<std::uint8_t>;

struct FontModel {
  int width = 8;
  int height = 8;
  std::vector<Bytes> symbols;

  int symbol_height() const { return (height + 7) / 8 * 8; }
  int symbol_size() const { return width * symbol_height() / 8; }
  int count() const { return static_cast<int>(symbols.size()); }
};

enum class Layout { kColumns, kPages, kRows };

struct Colours {
  std::uint32_t background = 0xE6E6E6;
  std::uint32_t ink = 0x000000;
  std::uint32_t delimiter = 0x00FF00;
  std::uint32_t grid5 = 0xCCFFFF;
  std::uint32_t grid10 = 0x99FFFF;
};

// The sheet options of one run, as the program should take them.
struct SheetOptions {
  bool vertical = false;
  bool no_delimiter = false;
  bool rows = false;
  bool pages = false;
  char first = 0;  // 'L' for /LSB, 'M' for /MSB, 0 for neither
  int scale = 1;
  int per_line = 16;
  bool overwrite = false;
  // Array mode, as the report shows it (the entries that ask for it go in `extra`).
  bool array_read = false;
  std::string array_name;
  int skip_values = 0;
  int value_bits = 8;
  bool flat_text = false;
  bool find_layouts = false;
  Colours colours;
  // Passed as well, after the ones above (the colours they stand for must be in `colours`).
  std::vector<std::string> extra;

  Layout layout() const { return rows ? Layout::kRows : pages ? Layout::kPages : Layout::kColumns; }
  bool lsb() const { return first ? first == 'L' : layout() != Layout::kRows; }
  int delimiter() const { return no_delimiter ? 0 : 1; }
  // The command line entries that ask for these options (colours only where not the default).
  std::vector<std::string> Arguments() const;
};

// The options that these entries ask for. Only well-formed entries, each kind at most once, in
// upper case: /V /ND /ROWS /PAGES /LSB /MSB /Sn /Ln /Y /BW /CBrrggbb /CFrrggbb /CDrrggbb
// /CG5rrggbb /CG10rrggbb. `extra` stays empty.
SheetOptions OptionsOf(const std::vector<std::string>& entries);

struct Place {
  int byte;
  std::uint8_t mask;
};

// The byte and bit of a symbol that hold font pixel (column, row).
Place PlaceOf(const FontModel& font, Layout layout, bool lsb, int column, int row);

// The font with every bit of its padding rows (from its height to its symbol height) cleared.
FontModel WithoutPadding(FontModel font, Layout layout, bool lsb);

// How many symbols set a bit in a padding row.
int SymbolsWithPadding(const FontModel& font, Layout layout, bool lsb);

// `count` symbols of pseudo-random bytes; the same `seed` gives the same font.
FontModel PatternFont(int width, int height, int count, std::uint32_t seed);

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row from the top

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct Point {
  int x, y;
};

// The top-left pixel of symbol `index`'s cell (from 0).
Point CellOrigin(const FontModel& font, const SheetOptions& options, int index);

// The sheet the program should draw for `font` with `options`.
Image ExpectedSheet(const FontModel& font, const SheetOptions& options);

// A font source text that fontscan reads without a message into `font`'s bytes, at least 50
// bytes long.
std::string FontSource(const FontModel& font);

// The font text the program should write for `font` read back with `options`.
std::string ExpectedFontText(const FontModel& font, const SheetOptions& options,
                             std::string_view line_end);

// The bytes of each symbol between the array's braces of a C font source: comments and `#` lines
// skipped, numbers in hexadecimal (0x..) or decimal.
std::vector<Bytes> ParseFontSource(std::string_view text);

}  // namespace fontscan::testing
