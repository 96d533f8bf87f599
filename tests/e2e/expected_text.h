// The program's messages as the end-to-end tests expect them, written with plain LF line ends;
// Crlf() and Joined() turn them into the bytes the program prints.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace fontscan::testing {

// The text with every LF turned into CR LF.
std::string Crlf(std::string_view text);

// The parts one after another, with CR LF line ends.
std::string Joined(std::initializer_list<std::string_view> parts);

// The help screen, as it follows an error message or another line.
extern const char* const kHelpScreen;

inline constexpr std::string_view kLoaded = "\nReading input file finished.\n";
inline constexpr std::string_view kNotFound =
    "\nERROR: Input file name not found, wrong format, or not specified!\n";
inline constexpr std::string_view kWrongSize =
    "\nERROR: Input file is too big (over 1Mb) or too small (less than 50 bytes)!\n";
inline constexpr std::string_view kLoadFailed = "\nERROR: Error while loading input file!\n";

struct Dimensions {
  int width, height, symbol_height, symbol_size;
};

// The parameter report with the default colours and delimiter lines.
std::string Report(bool found, std::string_view in_name, std::string_view out_name, Dimensions size,
                   bool vertical = false);

// The report of a run that recognised the font file `name` (upper case, with its extension).
std::string FoundReport(std::string_view name, Dimensions size, bool vertical = false);

// The report of a run that recognised no font file.
std::string DefaultReport();

// The four-line parse error report; `detail` without its indent.
std::string ParseError(std::int64_t position, std::string_view detail);

// "Reading symbol #n finished." for symbols `first` to `last`.
std::string Progress(int first, int last);

}  // namespace fontscan::testing
