// Recognising the font file among the parameters by its name, WIDTHxHEIGHT_*.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"

namespace fontscan {

// What follows the last '\', '/' or ':' of a path.
std::string_view NamePart(std::string_view path);

// The extension, dot included, or empty: found by searching backward for the first '.', '\',
// '/' or ':'. A dot that starts the path or directly follows '\' or '/' starts no extension.
std::string_view Extension(std::string_view path);

struct CellSize {
  std::int32_t width;
  std::int32_t height;
};

// The digits of WIDTHxHEIGHT_ at the start of an upper-case file name, 1 to 3 of them each,
// with their values not yet range-checked; nothing when the name does not have that form.
std::optional<CellSize> ReadCellSize(std::string_view name);

// What a file named like a font but with the extension .PNG is.
enum class PngEntry {
  kRejected,  // not a font file: a message, and the help screen
  kSheet,     // a sheet to read back into a font
};

// The font file test for one parameter, tried after the option tests. With `given_size`, any
// existing file is the font, of that size.
void TestFontFile(RunState& state, const Parameter& parameter, const platform::FileSystem& files,
                  Console& console, PngEntry png_entry = PngEntry::kRejected,
                  std::optional<CellSize> given_size = std::nullopt);

}  // namespace fontscan
