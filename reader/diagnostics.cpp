#include "reader/diagnostics.h"

#include <string_view>

namespace fontscan {

namespace {

void WriteDetail(const RunState& state, ParseError kind, Console& console) {
  constexpr std::string_view kIndent = "       ";
  console << kIndent;
  switch (kind) {
    case ParseError::kBraceOpen:
      console << "Found symbol { in wrong place, current symbol #" << state.SYMBOLSCOUNT
              << ", current byte #" << state.CURRENTBYTE << ".";
      break;
    case ParseError::kDigitBetween:
      console << "Hex digit (0..9, A..F) or x found between symbol definitions after symbol #"
              << state.SYMBOLSCOUNT << ".";
      break;
    case ParseError::kPrefix:
      console << "Text 0x found in wrong place. Symbol #" << state.SYMBOLSCOUNT << ". Byte #"
              << state.CURRENTBYTE << ". Content: '" << state.BYTEDATA << "'.";
      break;
    case ParseError::kLetterX:
      console << "Letter x found in wrong place. Symbol #" << state.SYMBOLSCOUNT << ". Byte #"
              << state.CURRENTBYTE << ". Content: '" << state.BYTEDATA << "'.";
      break;
    case ParseError::kWrongByte:
      console << "Wrong byte found in symbol #" << state.SYMBOLSCOUNT << ". Byte #"
              << state.CURRENTBYTE << ". Content: '" << state.BYTEDATA << "'.";
      break;
    case ParseError::kWrongSize:
      console << "Wrong size of symbol #" << state.SYMBOLSCOUNT
              << ". Size: " << state.CURRENTBYTE + 1 << " bytes. Expected: " << state.SYMBOLSIZE
              << " bytes.";
      break;
    case ParseError::kEndSyntax:
      console << "Wrong end syntax of symbol #" << state.SYMBOLSCOUNT << ".";
      break;
    case ParseError::kBraceClose:
      console << "Found symbol } in wrong place. Current symbol #" << state.SYMBOLSCOUNT
              << ", current byte #" << state.CURRENTBYTE << ".";
      break;
    case ParseError::kCommasBetween:
      console << "Too much comma symbols found after symbol #" << state.SYMBOLSCOUNT
              << " definition.";
      break;
    case ParseError::kCommasInside:
      console << "Too much comma symbols found in symbol #" << state.SYMBOLSCOUNT
              << " definition. Byte #" << state.CURRENTBYTE << ". Content: '" << state.BYTEDATA
              << "'.";
      break;
    case ParseError::kCommaUnexpected:
      console << "Unexpected comma symbol found in symbol #" << state.SYMBOLSCOUNT
              << " definition. Byte #" << state.CURRENTBYTE << ". Content: '" << state.BYTEDATA
              << "'.";
      break;
  }
  console << CRLF;
}

}  // namespace

std::string HexPosition(std::int32_t position) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::uint32_t value = static_cast<std::uint32_t>(position);
  std::string hex;
  do {
    hex.insert(hex.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  if (hex.size() < 4) hex.insert(0, 4 - hex.size(), '0');
  return hex;
}

void WriteParseError(const RunState& state, ParseError kind, Console& console) {
  console.WriteLine("\r\nERROR: Error while processing input file!");
  console << "       File position: " << state.POSITION << " / 0x" << HexPosition(state.POSITION)
          << " bytes." << CRLF;
  WriteDetail(state, kind, console);
}

void WriteTooManySymbolsWarning(const RunState& state, Console& console) {
  WriteTooManySymbolsWarning("File position: " + std::to_string(state.POSITION) + " / 0x" +
                                 HexPosition(state.POSITION) + " bytes.",
                             console);
}

void WriteTooManySymbolsWarning(std::string_view place, Console& console) {
  console.WriteLine("\r\nWARNING: Found too many symbols in input file!");
  console << "         " << place << CRLF;
  console << "         Symbols after #" << MAXSYMBOLSCOUNT << " will not be converted," << CRLF;
  console.WriteLine("         all text after that symbol definition will be ignored.");
}

void WriteSymbolFinished(const RunState& state, Console& console) {
  // One line per symbol, up to 4096 of them: put together here and handed over in one piece.
  constexpr std::string_view kStart = "Reading symbol #";
  constexpr std::string_view kEnd = " finished.\r\n";
  char line[kStart.size() + 11 + kEnd.size()];
  char* p = line;
  for (char c : kStart) *p++ = c;
  std::uint32_t value = static_cast<std::uint32_t>(state.SYMBOLSCOUNT);
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) *p++ = digits[--count];
  for (char c : kEnd) *p++ = c;
  console << std::string_view(line, static_cast<std::size_t>(p - line));
}

}  // namespace fontscan
