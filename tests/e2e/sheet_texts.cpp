#include "tests/e2e/sheet_texts.h"

#include <cstdio>

namespace fontscan::testing {

const char* const kSheetHelp = R"(
Command line parameters: <filename> [optional parameters]

<filename.h> -   Font text file name: its symbols are drawn into <filename>.png .
<filename.png> - Sheet image file name: its symbols are read back into <filename>.h .
                 File name must begin with decimal pixels WIDTHxHEIGHT_* .

-?, /?, -H, /H, or any no or wrong command line - Show this help screen.

-V, /V -         [optional] Vertical symbols output (default is horizontal).
-ND, /ND -       [optional] No symbol delimiter lines (default is enabled).
-Ln, /Ln -       [optional] n symbols in a line, 1 to 4096 (default is 16).
-Sn, /Sn -       [optional] Each pixel drawn as n x n pixels, 1 to 16 (default is 1).
-ROWS, /ROWS -   [optional] Each byte holds 8 pixels of a row (default is of a column).
-PAGES, /PAGES - [optional] Column bytes stored page after page (default is column after column).
-LSB, /LSB -     [optional] Top or left pixel in bit 0 (default for column bytes).
-MSB, /MSB -     [optional] Top or left pixel in bit 7 (default for row bytes).
-Y, /Y -         [optional] Replace the output file if it exists.
-A, /A -         [optional] Read the font text as C source: one flat or nested array.
-Aname, /Aname - [optional] The same, for the array of that name (written when reading back).
-Dname, /Dname - [optional] Define a name (or name=n) for the #if groups inside the array.
-SKIPn, /SKIPn - [optional] Pass over the first n elements of the array.
-W16, /W16 -     [optional] The array holds 16-bit values (-W32, /W32: 32-bit values).
-FLAT, /FLAT -   [optional] Write the font text read back as one flat list.
-SIZEwxh, /SIZEwxh -   [optional] Symbol size in pixels, for a file name without WIDTHxHEIGHT_.
-LAYOUTS, /LAYOUTS -   [optional] Draw the first symbols in every layout that fits, best first.

A sheet is read back with the options it was drawn with, and one rule: a pixel whose smallest
R/G/B component is below 50 (from 255) is a symbol pixel, any other is background.

-BW, /BW -                 [optional] Use grayscale color scheme (you will override this if specify exact colors).
-CBrrggbb, /CBrrggbb-      [optional] Override background color, if rr gg and bb is correct hex values.
-CFrrggbb, /CFrrggbb -     [optional] Override symbols color, if rr gg and bb is correct hex values.
-CDrrggbb, /CDrrggbb -     [optional] Override delimeter line color, if rr gg and bb is correct hex values.
-CG5rrggbb, /CG5rrggbb -   [optional] Override 5px grid color, if rr gg and bb is correct hex values.
-CG10rrggbb, /CG10rrggbb - [optional] Override 10px grid color, if rr gg and bb is correct hex values.
)";

namespace {

std::string ColourLine(std::string_view label, std::uint32_t colour) {
  return std::string(label) + " = R:" + std::to_string(colour >> 16 & 0xFF) +
         " G:" + std::to_string(colour >> 8 & 0xFF) + " B:" + std::to_string(colour & 0xFF) + "\n";
}

const char* TrueFalse(bool value) { return value ? "True" : "False"; }

}  // namespace

std::string PaddingWarning(int symbols, int of) {
  return "\nWARNING: Pixels below the symbol height are set in " + std::to_string(symbols) +
         " of " + std::to_string(of) + " symbols; the sheet does not show them.\n";
}

std::string GeometryError(int image_width, int image_height, int cell_width, int cell_height,
                          bool delimiter, int per_line) {
  return "\nERROR: Image size does not fit the symbol size!\n       Image: " +
         std::to_string(image_width) + " x " + std::to_string(image_height) +
         " pixels. Symbol cell: " + std::to_string(cell_width) + " x " +
         std::to_string(cell_height) + " pixels, " + (delimiter ? "with" : "without") +
         " delimiter lines, " + std::to_string(per_line) + " per line.\n";
}

std::string MixedBlock(int symbol, int column, int row, int x, int y) {
  return "\nERROR: Pixel block of mixed colors in symbol #" + std::to_string(symbol) +
         "!\n       Symbol pixel " + std::to_string(column) + ", " + std::to_string(row) +
         ", image pixel " + std::to_string(x) + ", " + std::to_string(y) + ".\n";
}

std::string TooManySymbols(long position) {
  char hex[24];
  std::snprintf(hex, sizeof hex, "%04lX", static_cast<unsigned long>(position));
  return "\nWARNING: Found too many symbols in input file!\n         File position: " +
         std::to_string(position) + " / 0x" + hex +
         " bytes.\n         Symbols after #4096 will not be converted,\n"
         "         all text after that symbol definition will be ignored.\n";
}

std::string SheetReport(bool found, std::string_view in_name, std::string_view out_name,
                        Dimensions size, const SheetOptions& options) {
  std::string text = "\nCurrent program parameters:\n";
  text += std::string("inFileNameFound = ") + TrueFalse(found) + "\n";
  text += "inFileName = " + std::string(in_name) + "\n";
  text += "outFileName = " + std::string(out_name) + "\n";
  text += std::string("VerticalOutput = ") + TrueFalse(options.vertical) + "\n";
  text += std::string("NoDelimeter = ") + TrueFalse(options.no_delimiter) + "\n";
  text += "FontWidth = " + std::to_string(size.width) + "\n";
  text += "FontHeight = " + std::to_string(size.height) + "\n";
  text += "SymbolHeight = " + std::to_string(size.symbol_height) + "\n";
  text += "SymbolSize = " + std::to_string(size.symbol_size) + "\n";
  text += ColourLine("clBG", options.colours.background);
  text += ColourLine("clFG", options.colours.ink);
  text += ColourLine("clDM", options.colours.delimiter);
  text += ColourLine("clG5", options.colours.grid5);
  text += ColourLine("clG10", options.colours.grid10);
  const char* layout = options.layout() == Layout::kRows    ? "Rows"
                       : options.layout() == Layout::kPages ? "Pages"
                                                            : "Columns";
  text += std::string("ByteLayout = ") + layout + "\n";
  text += std::string("FirstBit = ") + (options.lsb() ? "LSB" : "MSB") + "\n";
  text += "SymbolsPerLine = " + std::to_string(options.per_line) + "\n";
  text += "Scale = " + std::to_string(options.scale) + "\n";
  text += std::string("Overwrite = ") + TrueFalse(options.overwrite) + "\n";
  text += std::string("ArrayRead = ") + TrueFalse(options.array_read) + "\n";
  text += "ArrayName = " + options.array_name + "\n";
  text += "SkipValues = " + std::to_string(options.skip_values) + "\n";
  text += "ValueBits = " + std::to_string(options.value_bits) + "\n";
  text += std::string("FlatText = ") + TrueFalse(options.flat_text) + "\n";
  text += std::string("FindLayouts = ") + TrueFalse(options.find_layouts) + "\n";
  text += "\n";
  return text;
}

std::string FoundSheetReport(std::string_view name, int width, int height,
                             const SheetOptions& options) {
  std::size_t dot = name.find_last_of("./\\:");
  if (dot != std::string_view::npos && name[dot] != '.') dot = std::string_view::npos;
  const bool sheet = dot != std::string_view::npos && name.substr(dot) == ".PNG";
  const std::string out_name =
      std::string(name.substr(0, dot == std::string_view::npos ? name.size() : dot)) +
      (sheet ? ".H" : ".PNG");
  FontModel font;
  font.width = width;
  font.height = height;
  return SheetReport(true, name, out_name,
                     {width, height, font.symbol_height(), font.symbol_size()}, options);
}

std::string NoInputSheetReport(const SheetOptions& options) {
  return SheetReport(false, "", "", {-1, -1, 0, 0}, options);
}

}  // namespace fontscan::testing
