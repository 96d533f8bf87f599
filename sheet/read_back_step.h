// Reading a sheet back into a font: loading and decoding the picture, checking its geometry,
// reading each symbol, and writing the font text.
#pragma once

#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"
#include "platform/output_files.h"

namespace fontscan {

// The biggest sheet file that is read.
inline constexpr std::int64_t kMaxSheetFileSize = 64 * 1024 * 1024;

// Reads the recognised sheet into SYMBOLSDATA and writes the font text next to it. Errors in
// the sheet's geometry or in a symbol's pixels earn the help screen. True when the font text was
// written.
bool ReadBackSheet(RunState& state, const platform::FileSystem& files,
                   const platform::OutputFiles& outputs, Console& console);

}  // namespace fontscan
