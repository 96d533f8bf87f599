// fontsheet's messages, help screen and report as the end-to-end tests expect them, with plain LF
// line ends like expected_text.h; Joined() turns them into the bytes the program prints.
#pragma once

#include <string>
#include <string_view>

#include "tests/e2e/expected_text.h"
#include "tests/e2e/sheet_model.h"

namespace fontscan::testing {

// fontsheet's help screen, as it follows an error message or another line.
extern const char* const kSheetHelp;

inline constexpr std::string_view kWritten = "\nWriting output file finished.\n";
inline constexpr std::string_view kWriteFailed = "\nERROR: Error while writing output file!\n";
inline constexpr std::string_view kOutputExists =
    "\nERROR: Output file already exists, add /Y to replace it!\n";
inline constexpr std::string_view kEndedInArray =
    "\nWARNING: Input file ended inside the font array!\n";
inline constexpr std::string_view kNoSymbols = "\nERROR: No symbols found in input file!\n";
inline constexpr std::string_view kRowWidth =
    "\nERROR: Row layout needs a font width that is a multiple of 8!\n";
inline constexpr std::string_view kColourWarning =
    "\nWARNING: With this color scheme the sheet can't be read back!\n";
inline constexpr std::string_view kOutputTooBig =
    "\nERROR: Output image would be too big, use a smaller scale!\n";
inline constexpr std::string_view kInputTooBig = "\nERROR: Input image is too big!\n";
inline constexpr std::string_view kTooManyInImage =
    "\nERROR: Image holds more than 4096 symbols!\n";

// "WARNING: Pixels below the symbol height are set in n of N symbols; ...".
std::string PaddingWarning(int symbols, int of);

// The geometry error and its detail line.
std::string GeometryError(int image_width, int image_height, int cell_width, int cell_height,
                          bool delimiter, int per_line);

// The mixed block error and its detail line; `symbol` from 1.
std::string MixedBlock(int symbol, int column, int row, int x, int y);

// fontscan's five-line warning for a 4097th symbol whose `{` is at `position`.
std::string TooManySymbols(long position);

// The whole report: fontscan's lines with these names, dimensions and options, then fontsheet's.
std::string SheetReport(bool found, std::string_view in_name, std::string_view out_name,
                        Dimensions size, const SheetOptions& options = {});

// The report of a run that recognised `name` (upper case, with its extension): a .PNG is read
// back into .H, anything else is drawn into .PNG.
std::string FoundSheetReport(std::string_view name, int width, int height,
                             const SheetOptions& options = {});

// The report of a run that recognised no input.
std::string NoInputSheetReport(const SheetOptions& options = {});

}  // namespace fontscan::testing
