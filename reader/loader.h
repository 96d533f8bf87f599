// Reading the recognised font file into memory, then walking it.
#pragma once

#include <cstdint>

#include "app/console.h"
#include "app/run_state.h"
#include "platform/files.h"

namespace fontscan {

inline constexpr std::int64_t kMinFontFileSize = 50;
inline constexpr std::int64_t kMaxFontFileSize = 1024 * 1024;

// Loads INFILENAME whole into INFILEDATA and walks it. A file that cannot be opened or read in
// full, or memory that cannot be had, gives the loading error; the run goes on either way.
void LoadAndWalkFontFile(RunState& state, const platform::FileSystem& files, Console& console);

}  // namespace fontscan
