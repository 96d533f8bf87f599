#include "app/fontsheet_reports.h"

#include <string_view>

#include "app/reports.h"
#include "app/sheet_options.h"
#include "sheet/glyph_format.h"

namespace fontscan {

namespace {

constexpr std::string_view kSheetHelpText =
    "\r\n"
    "Command line parameters: <filename> [optional parameters]\r\n"
    "\r\n"
    "<filename.h> -   Font text file name: its symbols are drawn into <filename>.png .\r\n"
    "<filename.png> - Sheet image file name: its symbols are read back into <filename>.h .\r\n"
    "                 File name must begin with decimal pixels WIDTHxHEIGHT_* .\r\n"
    "\r\n"
    "-?, /?, -H, /H, or any no or wrong command line - Show this help screen.\r\n"
    "\r\n"
    "-V, /V -         [optional] Vertical symbols output (default is horizontal).\r\n"
    "-ND, /ND -       [optional] No symbol delimiter lines (default is enabled).\r\n"
    "-Ln, /Ln -       [optional] n symbols in a line, 1 to 4096 (default is 16).\r\n"
    "-Sn, /Sn -       [optional] Each pixel drawn as n x n pixels, 1 to 16 (default is 1).\r\n"
    "-ROWS, /ROWS -   [optional] Each byte holds 8 pixels of a row (default is of a column).\r\n"
    "-PAGES, /PAGES - [optional] Column bytes stored page after page (default is column after "
    "column).\r\n"
    "-LSB, /LSB -     [optional] Top or left pixel in bit 0 (default for column bytes).\r\n"
    "-MSB, /MSB -     [optional] Top or left pixel in bit 7 (default for row bytes).\r\n"
    "-Y, /Y -         [optional] Replace the output file if it exists.\r\n"
    "-A, /A -         [optional] Read the font text as C source: one flat or nested array.\r\n"
    "-Aname, /Aname - [optional] The same, for the array of that name (written when reading "
    "back).\r\n"
    "-Dname, /Dname - [optional] Define a name (or name=n) for the #if groups inside the "
    "array.\r\n"
    "-SKIPn, /SKIPn - [optional] Pass over the first n elements of the array.\r\n"
    "-W16, /W16 -     [optional] The array holds 16-bit values (-W32, /W32: 32-bit values).\r\n"
    "-FLAT, /FLAT -   [optional] Write the font text read back as one flat list.\r\n"
    "-SIZEwxh, /SIZEwxh -   [optional] Symbol size in pixels, for a file name without "
    "WIDTHxHEIGHT_.\r\n"
    "-LAYOUTS, /LAYOUTS -   [optional] Draw the first symbols in every layout that fits, best "
    "first.\r\n"
    "\r\n"
    "A sheet is read back with the options it was drawn with, and one rule: a pixel whose "
    "smallest\r\n"
    "R/G/B component is below 50 (from 255) is a symbol pixel, any other is background.\r\n"
    "\r\n";

std::string_view LayoutLabel(ByteLayout layout) {
  switch (layout) {
    case ByteLayout::kColumns:
      return "Columns";
    case ByteLayout::kPages:
      return "Pages";
    case ByteLayout::kRows:
      return "Rows";
  }
  return "";
}

}  // namespace

void SHOWSHEETHELP(Console& console) { WriteHelpScreen(kSheetHelpText, console); }

void SHOWSHEETPARAMS(const RunState& state, Console& console) {
  WriteParameterLines(state, console);
  console << "ByteLayout = " << LayoutLabel(EffectiveLayout(state)) << CRLF;
  console << "FirstBit = " << (LsbFirst(state) ? "LSB" : "MSB") << CRLF;
  console << "SymbolsPerLine = " << state.PERLINE << CRLF;
  console << "Scale = " << state.SCALE << CRLF;
  console << "Overwrite = " << TrueFalse(state.OVERWRITE) << CRLF;
  console << "ArrayRead = " << TrueFalse(state.ARRAYREAD) << CRLF;
  console << "ArrayName = " << state.ARRAYNAME << CRLF;
  console << "SkipValues = " << state.SKIPVALUES << CRLF;
  console << "ValueBits = " << state.VALUEBITS << CRLF;
  console << "FlatText = " << TrueFalse(state.FLATTEXT) << CRLF;
  console << "FindLayouts = " << TrueFalse(state.FINDLAYOUTS) << CRLF;
  console.WriteLine("");
}

}  // namespace fontscan
