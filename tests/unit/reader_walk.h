// Shared by the reader's unit tests: walks a font text as the loader would and keeps what came
// out, plus the expected forms of the reader's messages written out independently.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"
#include "reader/comment_filter.h"
#include "reader/loader.h"

namespace fontscan::testing {

using Symbols = std::vector<std::vector<std::uint8_t>>;

struct WalkResult {
  std::string out;
  RunState state;
};

// Walks `text` with SYMBOLSIZE set to `symbol_size`, from a fresh run state.
inline WalkResult Walk(std::int32_t symbol_size, std::string_view text) {
  WalkResult result;
  result.state.SYMBOLSIZE = symbol_size;
  StringOutput output;
  {
    Console console(output);
    PrepareWalk(result.state);
    WalkFontText(result.state, text, console);
    console.Flush();
  }
  result.out = output.text();
  return result;
}

// Loads and walks the font file at `path` as a run would, with SYMBOLSIZE set to `symbol_size`.
inline WalkResult LoadFont(const std::string& path, std::int32_t symbol_size) {
  WalkResult result;
  result.state.INFILENAMEFOUND = true;
  result.state.INFILENAME = path;
  result.state.in_file_path = path;
  result.state.SYMBOLSIZE = symbol_size;
  platform::NativeFileSystem files;
  StringOutput output;
  {
    Console console(output);
    LoadAndWalkFontFile(result.state, files, console);
  }
  result.out = output.text();
  return result;
}

// Checks that the symbol table holds exactly `expected`, symbol by symbol.
inline void ExpectSymbolTable(const RunState& state, const Symbols& expected) {
  ASSERT_EQ(state.SYMBOLSDATA.count(), static_cast<std::int32_t>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(state.SYMBOLSDATA.Symbol(static_cast<std::int32_t>(i + 1)), expected[i])
        << "symbol #" << i + 1;
  }
}

inline std::string PositionText(std::int32_t position) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(position));
  return std::to_string(position) + " / 0x" + hex + " bytes.";
}

// The four-line parse error report; `detail` without its indent.
inline std::string ErrorReport(std::int32_t position, std::string_view detail) {
  return "\r\nERROR: Error while processing input file!\r\n       File position: " +
         PositionText(position) + "\r\n       " + std::string(detail) + "\r\n";
}

inline std::string Finished(std::int32_t symbol) {
  return "Reading symbol #" + std::to_string(symbol) + " finished.\r\n";
}

// Progress lines for symbols `first` to `last`.
inline std::string FinishedRange(std::int32_t first, std::int32_t last) {
  std::string text;
  for (std::int32_t symbol = first; symbol <= last; ++symbol) text += Finished(symbol);
  return text;
}

}  // namespace fontscan::testing
