#include "tests/e2e/expected_text.h"

#include <cstdio>

namespace fontscan::testing {

std::string Crlf(std::string_view text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result.push_back('\r');
    result.push_back(c);
  }
  return result;
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return Crlf(text);
}

const char* const kHelpScreen = R"(
Command line parameters: <filename.h> [optional parameters]

<filename.h> - Input kelvara text font file name.
               File name must begin with decimal pixels WIDTHxHEIGHT_* .
               Input file extension can be any except .PNG .

-?, /?, -H, /H, or any no or wrong command line - Show this help screen.

-V, /V -   [optional] Vertical symbols output (default is horizontal).
-ND, /ND - [optional] No symbol delimeter lines (default is enabled).

You can also redefine color scheme. But keep in mind, that while reverse conversion will be
used only one rule - if minimum of R/G/B components is below decimal 50 (from 255) - this will
read as black symbols, otherwise - it will be read as white background.

-BW, /BW -                 [optional] Use grayscale color scheme (you will override this if specify exact colors).
-CBrrggbb, /CBrrggbb-      [optional] Override background color, if rr gg and bb is correct hex values.
-CFrrggbb, /CFrrggbb -     [optional] Override symbols color, if rr gg and bb is correct hex values.
-CDrrggbb, /CDrrggbb -     [optional] Override delimeter line color, if rr gg and bb is correct hex values.
-CG5rrggbb, /CG5rrggbb -   [optional] Override 5px grid color, if rr gg and bb is correct hex values.
-CG10rrggbb, /CG10rrggbb - [optional] Override 10px grid color, if rr gg and bb is correct hex values.
)";

std::string Report(bool found, std::string_view in_name, std::string_view out_name, Dimensions size,
                   bool vertical) {
  auto flag = [](bool value) { return value ? "True" : "False"; };
  std::string text = "\nCurrent program parameters:\n";
  text += std::string("inFileNameFound = ") + flag(found) + "\n";
  text += "inFileName = " + std::string(in_name) + "\n";
  text += "outFileName = " + std::string(out_name) + "\n";
  text += std::string("VerticalOutput = ") + flag(vertical) + "\n";
  text += "NoDelimeter = False\n";
  text += "FontWidth = " + std::to_string(size.width) + "\n";
  text += "FontHeight = " + std::to_string(size.height) + "\n";
  text += "SymbolHeight = " + std::to_string(size.symbol_height) + "\n";
  text += "SymbolSize = " + std::to_string(size.symbol_size) + "\n";
  text +=
      "clBG = R:230 G:230 B:230\n"
      "clFG = R:0 G:0 B:0\n"
      "clDM = R:0 G:255 B:0\n"
      "clG5 = R:204 G:255 B:255\n"
      "clG10 = R:153 G:255 B:255\n"
      "\n";
  return text;
}

std::string FoundReport(std::string_view name, Dimensions size, bool vertical) {
  const std::string out_name = std::string(name.substr(0, name.rfind('.'))) + ".PNG";
  return Report(true, name, out_name, size, vertical);
}

std::string DefaultReport() { return Report(false, "", "", {-1, -1, 0, 0}); }

std::string ParseError(std::int64_t position, std::string_view detail) {
  char hex[24];
  std::snprintf(hex, sizeof hex, "%04llX", static_cast<unsigned long long>(position));
  return "\nERROR: Error while processing input file!\n       File position: " +
         std::to_string(position) + " / 0x" + hex + " bytes.\n       " + std::string(detail) + "\n";
}

std::string Progress(int first, int last) {
  std::string text;
  for (int n = first; n <= last; ++n)
    text += "Reading symbol #" + std::to_string(n) + " finished.\n";
  return text;
}

}  // namespace fontscan::testing
