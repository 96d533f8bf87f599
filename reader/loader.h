// Reading the recognised font file into memory, then walking it.
#pragma once

#include <cstdint>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"

namespace fontscan {

inline constexpr std::int64_t kMinFontFileSize = 50;
inline constexpr std::int64_t kMaxFontFileSize = 1024 * 1024;

// Reads until `size` bytes are in; a read error or an early end of file is a failure.
bool ReadWhole(platform::ReadableFile& file, char* buffer, std::size_t size);

// Loads INFILENAME whole into INFILEDATA. A file of the wrong size gives its message; one that
// cannot be opened or read in full, or memory that cannot be had, gives the loading error. True
// when the file was loaded.
bool LoadFontFile(RunState& state, const platform::FileSystem& files, Console& console);

// Loads INFILENAME whole into INFILEDATA and walks it. A file that cannot be opened or read in
// full, or memory that cannot be had, gives the loading error; the run goes on either way.
// True when the file was loaded and walked (with or without a parse error).
bool LoadAndWalkFontFile(RunState& state, const platform::FileSystem& files, Console& console);

}  // namespace fontscan
