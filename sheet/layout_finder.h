// Finding a font's byte layout: every layout and first bit that fits the values read, each one's
// symbols, six checks that hold for a font in ASCII order drawn the right way up, the ranking and
// the texts that report it. Pure: values in, layouts and texts out; nothing is printed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/symbol_table.h"
#include "sheet/glyph_bits.h"

namespace fontscan {

// What was read of the font, before any layout is applied.
struct FontValues {
  // Strict reading: the symbols' bytes one after another. Array mode: every value after the
  // skipped elements, in text order.
  std::vector<std::uint32_t> values;
  std::int32_t value_bits = 8;  // 8, 16 or 32; 8 for the strict reading
  bool array_mode = false;
  std::int32_t symbol_size = 0;            // strict reading: SYMBOLSIZE
  bool nested = false;                     // array mode: the outer list holds lists
  std::vector<std::int64_t> list_lengths;  // nested: the values of each list after the skipped
};

// Symbols 1 to `count` of the strict reading (the complete ones) as values of 8 bits.
FontValues StrictFontValues(const SymbolTable& symbols, std::int32_t count);

// Every layout there is for a font of width x height and then, when they differ, of height x
// width: Columns LSB, Columns MSB, Pages LSB, Pages MSB (a height over 8 only), Rows MSB, Rows
// LSB. Outside array mode Rows needs a width that is a multiple of 8 and its rows are counted in
// whole bytes down, as the strict reader counts them.
std::vector<GlyphFormat> LayoutCandidates(std::int32_t width, std::int32_t height, bool array_mode);

// True when symbols in `format` can be cut from the values: the same byte count as the strict
// reading's symbols, or in array mode a whole number of values that divides the values (flat) or
// is every list's length (nested).
bool LayoutFits(const GlyphFormat& format, const FontValues& font);

inline constexpr std::int32_t kLayoutChecks = 6;

struct LayoutScore {
  // The first code: symbol 1 is the symbol of this code. Empty when no first code is found.
  std::optional<std::int32_t> first_code;
  bool checks_apply = false;  // a first code, and a symbol for 'y'
  // underscore low, descenders, stems on the left, bars on top, slash rising, unbroken bars
  std::array<bool, kLayoutChecks> checks{};
  std::int32_t score = 0;  // the checks that hold
};

// A symbol all of whose bytes are 0, bits outside the glyph's pixels included.
bool IsBlankSymbol(const SymbolTable& symbols, std::int32_t number);

// The first of 0, 32 and 31 that makes the symbol of ' ' blank and that of '!' not blank.
std::optional<std::int32_t> FirstCode(const SymbolTable& symbols);

// The checks on the symbols drawn in `format`.
LayoutScore ScoreLayout(const GlyphFormat& format, const SymbolTable& symbols);

struct FoundLayout {
  GlyphFormat format;
  SymbolTable symbols;  // at most 4096
  LayoutScore score;
};

// The values turned into bytes with the format's first bit and cut into its symbols, at most
// 4096 of them, and scored. The format must fit. May throw std::bad_alloc.
FoundLayout CutLayout(const GlyphFormat& format, const FontValues& font);

// Every candidate of width x height that fits, in candidate order. May throw std::bad_alloc.
std::vector<FoundLayout> FindLayouts(const FontValues& font, std::int32_t width,
                                     std::int32_t height);

// The layouts best first: those whose checks apply by score from 6 down, then the others; in
// the order given within each.
std::vector<FoundLayout> RankLayouts(std::vector<FoundLayout> layouts);

// The first of the ranked layouts when its checks apply and its score is above every other one
// whose checks apply; else none.
const FoundLayout* BestLayout(const std::vector<FoundLayout>& ranked);

// The options that draw the font in `format`, as typed: "/ROWS /MSB /SIZE8X16".
std::string LayoutOptions(const GlyphFormat& format);

// A line of the ranking: "  " score (or '-' when the checks do not apply) "  " options.
std::string RankingLine(const FoundLayout& layout);

// The verdict on the ranked layouts; `probe_file` is the probe sheet's name as typed.
std::string VerdictLine(const std::vector<FoundLayout>& ranked, const std::string& probe_file);

// The numbers (from 1) of the symbols that show the layout best: those of "AFRgjy_/0?" when the
// checks apply; else the first ten that are not blank, or the first ten when all are blank.
std::vector<std::int32_t> ProbeSymbols(const FoundLayout& layout);

}  // namespace fontscan
