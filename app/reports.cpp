#include "app/reports.h"

#include <string>
#include <string_view>

namespace fontscan {

namespace {

constexpr std::string_view kHelpText =
    "\r\n"
    "Command line parameters: <filename.h> [optional parameters]\r\n"
    "\r\n"
    "<filename.h> - Input kelvara text font file name.\r\n"
    "               File name must begin with decimal pixels WIDTHxHEIGHT_* .\r\n"
    "               Input file extension can be any except .PNG .\r\n"
    "\r\n"
    "-?, /?, -H, /H, or any no or wrong command line - Show this help screen.\r\n"
    "\r\n"
    "-V, /V -   [optional] Vertical symbols output (default is horizontal).\r\n"
    "-ND, /ND - [optional] No symbol delimeter lines (default is enabled).\r\n"
    "\r\n"
    "You can also redefine color scheme. But keep in mind, that while reverse conversion will "
    "be\r\n"
    "used only one rule - if minimum of R/G/B components is below decimal 50 (from 255) - this "
    "will\r\n"
    "read as black symbols, otherwise - it will be read as white background.\r\n"
    "\r\n";

void WriteColour(Console& console, std::string_view label, std::int32_t colour) {
  console << label << "R:" << colour / 65536 % 256 << " G:" << colour / 256 % 256
          << " B:" << colour % 256 << CRLF;
}

constexpr std::string_view kColourHelpLines =
    "-BW, /BW -                 [optional] Use grayscale color scheme (you will override this "
    "if specify exact colors).\r\n"
    "-CBrrggbb, /CBrrggbb-      [optional] Override background color, if rr gg and bb is "
    "correct hex values.\r\n"
    "-CFrrggbb, /CFrrggbb -     [optional] Override symbols color, if rr gg and bb is correct "
    "hex values.\r\n"
    "-CDrrggbb, /CDrrggbb -     [optional] Override delimeter line color, if rr gg and bb is "
    "correct hex values.\r\n"
    "-CG5rrggbb, /CG5rrggbb -   [optional] Override 5px grid color, if rr gg and bb is "
    "correct hex values.\r\n"
    "-CG10rrggbb, /CG10rrggbb - [optional] Override 10px grid color, if rr gg and bb is "
    "correct hex values.\r\n";

}  // namespace

void WriteHelpScreen(std::string_view program_lines, Console& console) {
  // The screen goes to the console as one piece, so that it leaves in one write.
  std::string screen;
  screen.reserve(program_lines.size() + kColourHelpLines.size());
  screen.append(program_lines).append(kColourHelpLines);
  console << screen;
}

void SHOWHELP(Console& console) { WriteHelpScreen(kHelpText, console); }

std::string_view TrueFalse(bool value) { return value ? "True" : "False"; }

void SHOWCURRENTPARAMS(const RunState& state, Console& console) {
  WriteParameterLines(state, console);
  console.WriteLine("");
}

void WriteParameterLines(const RunState& state, Console& console) {
  console.WriteLine("\r\nCurrent program parameters:");
  console << "inFileNameFound = " << TrueFalse(state.INFILENAMEFOUND) << CRLF;
  console << "inFileName = " << state.INFILENAME << CRLF;
  console << "outFileName = " << state.OUTFILENAME << CRLF;
  console << "VerticalOutput = " << TrueFalse(state.VERTICALOUTPUT) << CRLF;
  console << "NoDelimeter = " << TrueFalse(state.NODELIMETER) << CRLF;
  console << "FontWidth = " << state.FONTWIDTH << CRLF;
  console << "FontHeight = " << state.FONTHEIGHT << CRLF;
  console << "SymbolHeight = " << state.SYMBOLHEIGHT << CRLF;
  console << "SymbolSize = " << state.SYMBOLSIZE << CRLF;
  WriteColour(console, "clBG = ", state.CLBG);
  WriteColour(console, "clFG = ", state.CLFG);
  WriteColour(console, "clDM = ", state.CLDM);
  WriteColour(console, "clG5 = ", state.CLG5);
  WriteColour(console, "clG10 = ", state.CLG10);
}

}  // namespace fontscan
