#include "sheet/layout_finder.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>

#include "sheet/value_bytes.h"

namespace fontscan {
namespace {

constexpr std::int32_t kMaxSymbols = 4096;

// One symbol's pixels within its cell, and the box around its ink.
class Glyph {
 public:
  Glyph(const GlyphFormat& format, const std::vector<BitPlace>& places, const std::uint8_t* bytes)
      : width_(format.width), height_(format.height), ink_(places.size()) {
    for (std::size_t i = 0; i < places.size(); ++i) {
      ink_[i] = (bytes[places[i].byte] & places[i].mask) != 0;
    }
    for (std::int32_t row = 0; row < height_; ++row) {
      for (std::int32_t column = 0; column < width_; ++column) {
        if (!Ink(column, row)) continue;
        if (!has_ink_) {
          left_ = right_ = column;
          top_ = bottom_ = row;
          has_ink_ = true;
        }
        left_ = std::min(left_, column);
        right_ = std::max(right_, column);
        bottom_ = row;
      }
    }
  }

  bool Ink(std::int32_t column, std::int32_t row) const {
    return ink_[static_cast<std::size_t>(row * width_ + column)];
  }
  bool has_ink() const { return has_ink_; }
  std::int32_t left() const { return left_; }
  std::int32_t right() const { return right_; }
  std::int32_t top() const { return top_; }
  std::int32_t bottom() const { return bottom_; }
  std::int32_t height() const { return height_; }

  std::int32_t InkInRow(std::int32_t row) const {
    std::int32_t count = 0;
    for (std::int32_t column = 0; column < width_; ++column) count += Ink(column, row);
    return count;
  }
  std::int32_t InkInColumns(std::int32_t first, std::int32_t last) const {
    std::int32_t count = 0;
    for (std::int32_t row = 0; row < height_; ++row) {
      for (std::int32_t column = first; column <= last; ++column) count += Ink(column, row);
    }
    return count;
  }
  // The sum of the columns of a row's ink.
  std::int64_t ColumnSumInRow(std::int32_t row) const {
    std::int64_t sum = 0;
    for (std::int32_t column = 0; column < width_; ++column) {
      if (Ink(column, row)) sum += column;
    }
    return sum;
  }

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::vector<bool> ink_;  // row after row
  bool has_ink_ = false;
  std::int32_t left_ = 0;
  std::int32_t right_ = 0;
  std::int32_t top_ = 0;
  std::int32_t bottom_ = 0;
};

// The glyphs of the codes the checks look at, by code.
class GlyphsByCode {
 public:
  GlyphsByCode(const GlyphFormat& format, const SymbolTable& symbols, std::int32_t first_code)
      : format_(format), places_(PixelPlaces(format)), symbols_(symbols), first_code_(first_code) {}

  const Glyph& Of(char code) {
    auto found = glyphs_.find(code);
    if (found == glyphs_.end()) {
      const std::int32_t number = static_cast<unsigned char>(code) - first_code_ + 1;
      found = glyphs_.emplace(code, Glyph(format_, places_, symbols_.bytes(number))).first;
    }
    return found->second;
  }

 private:
  GlyphFormat format_;
  std::vector<BitPlace> places_;
  const SymbolTable& symbols_;
  std::int32_t first_code_;
  std::map<char, Glyph> glyphs_;
};

bool UnderscoreLow(GlyphsByCode& glyphs) {
  const Glyph& line = glyphs.Of('_');
  return line.has_ink() && 2 * line.top() >= line.height() &&
         line.right() - line.left() >= line.bottom() - line.top();
}

bool DescendersBelowBase(GlyphsByCode& glyphs) {
  std::map<std::int32_t, std::int32_t> lowest_rows;  // row -> capitals ending there
  for (char capital = 'A'; capital <= 'Z'; ++capital) {
    if (capital == 'J' || capital == 'Q') continue;
    const Glyph& glyph = glyphs.Of(capital);
    if (glyph.has_ink()) ++lowest_rows[glyph.bottom()];
  }
  if (lowest_rows.empty()) return false;
  std::int32_t base = 0;
  std::int32_t most = 0;
  for (const auto& [row, count] : lowest_rows) {  // rows in rising order: the smaller wins ties
    if (count > most) {
      base = row;
      most = count;
    }
  }
  std::int32_t below = 0;
  for (const char letter : std::string_view("gjpqy")) {
    const Glyph& glyph = glyphs.Of(letter);
    below += glyph.has_ink() && glyph.bottom() > base;
  }
  return below >= 3;
}

bool StemsOnTheLeft(GlyphsByCode& glyphs) {
  std::int32_t held = 0;
  for (const char letter : std::string_view("BDEFLPRbhk")) {
    const Glyph& glyph = glyphs.Of(letter);
    if (!glyph.has_ink()) continue;
    const std::int32_t n = (glyph.right() - glyph.left() + 1) / 2;
    held += glyph.InkInColumns(glyph.left(), glyph.left() + n - 1) >
            glyph.InkInColumns(glyph.right() - n + 1, glyph.right());
  }
  return held >= 8;
}

bool BarsOnTop(GlyphsByCode& glyphs) {
  for (const char letter : std::string_view("T7")) {
    const Glyph& glyph = glyphs.Of(letter);
    if (!glyph.has_ink() || glyph.InkInRow(glyph.top()) <= glyph.InkInRow(glyph.bottom())) {
      return false;
    }
  }
  return true;
}

bool SlashRises(GlyphsByCode& glyphs) {
  const Glyph& slash = glyphs.Of('/');
  if (!slash.has_ink()) return false;
  // Mean columns compared exactly: top_sum / top_count > bottom_sum / bottom_count (a box of one
  // row has the same mean at top and bottom).
  return slash.ColumnSumInRow(slash.top()) * slash.InkInRow(slash.bottom()) >
         slash.ColumnSumInRow(slash.bottom()) * slash.InkInRow(slash.top());
}

bool BarsUnbroken(GlyphsByCode& glyphs) {
  std::int32_t held = 0;
  for (const char letter : std::string_view("HTEZ_")) {
    const Glyph& glyph = glyphs.Of(letter);
    if (!glyph.has_ink()) continue;
    std::int32_t bar = glyph.top();
    for (std::int32_t row = glyph.top() + 1; row <= glyph.bottom(); ++row) {
      if (glyph.InkInRow(row) > glyph.InkInRow(bar)) bar = row;
    }
    std::int32_t first = -1;
    std::int32_t last = -1;
    for (std::int32_t column = glyph.left(); column <= glyph.right(); ++column) {
      if (!glyph.Ink(column, bar)) continue;
      if (first < 0) first = column;
      last = column;
    }
    held += glyph.InkInRow(bar) == last - first + 1;
  }
  return held >= 4;
}

bool SymbolExists(const SymbolTable& symbols, std::int32_t first_code, std::int32_t code) {
  const std::int32_t number = code - first_code + 1;
  return number >= 1 && number <= symbols.count();
}

}  // namespace

FontValues StrictFontValues(const SymbolTable& symbols, std::int32_t count) {
  FontValues font;
  font.symbol_size = static_cast<std::int32_t>(symbols.symbol_size());
  font.values.reserve(static_cast<std::size_t>(count) * symbols.symbol_size());
  for (std::int32_t number = 1; number <= count; ++number) {
    const std::uint8_t* bytes = symbols.bytes(number);
    font.values.insert(font.values.end(), bytes, bytes + symbols.symbol_size());
  }
  return font;
}

std::vector<GlyphFormat> LayoutCandidates(std::int32_t width, std::int32_t height,
                                          bool array_mode) {
  std::vector<GlyphFormat> candidates;
  const auto add_size = [&](std::int32_t w, std::int32_t h) {
    const std::int32_t byte_rows = (h + 7) / 8 * 8;
    for (const bool lsb : {true, false}) {
      candidates.push_back({w, h, byte_rows, ByteLayout::kColumns, lsb});
    }
    if (h > 8) {
      for (const bool lsb : {true, false}) {
        candidates.push_back({w, h, byte_rows, ByteLayout::kPages, lsb});
      }
    }
    if (array_mode || w % 8 == 0) {
      const std::int32_t rows = array_mode ? h : byte_rows;
      for (const bool lsb : {false, true}) {
        candidates.push_back({w, h, rows, ByteLayout::kRows, lsb});
      }
    }
  };
  add_size(width, height);
  if (width != height) add_size(height, width);
  return candidates;
}

bool LayoutFits(const GlyphFormat& format, const FontValues& font) {
  const std::int32_t bytes = SymbolBytes(format);
  if (!font.array_mode) return bytes == font.symbol_size;
  const std::int32_t value_bytes = font.value_bits / 8;
  if (bytes % value_bytes != 0) return false;
  const std::int64_t per_symbol = bytes / value_bytes;
  if (!font.nested) return static_cast<std::int64_t>(font.values.size()) % per_symbol == 0;
  return std::all_of(font.list_lengths.begin(), font.list_lengths.end(),
                     [&](std::int64_t length) { return length == per_symbol; });
}

bool IsBlankSymbol(const SymbolTable& symbols, std::int32_t number) {
  const std::uint8_t* bytes = symbols.bytes(number);
  return std::all_of(bytes, bytes + symbols.symbol_size(), [](std::uint8_t b) { return b == 0; });
}

std::optional<std::int32_t> FirstCode(const SymbolTable& symbols) {
  for (const std::int32_t first : {0, 32, 31}) {
    if (SymbolExists(symbols, first, '!') && IsBlankSymbol(symbols, ' ' - first + 1) &&
        !IsBlankSymbol(symbols, '!' - first + 1)) {
      return first;
    }
  }
  return std::nullopt;
}

LayoutScore ScoreLayout(const GlyphFormat& format, const SymbolTable& symbols) {
  LayoutScore score;
  score.first_code = FirstCode(symbols);
  score.checks_apply = score.first_code && SymbolExists(symbols, *score.first_code, 'y');
  if (!score.checks_apply) return score;
  GlyphsByCode glyphs(format, symbols, *score.first_code);
  score.checks = {UnderscoreLow(glyphs), DescendersBelowBase(glyphs), StemsOnTheLeft(glyphs),
                  BarsOnTop(glyphs),     SlashRises(glyphs),          BarsUnbroken(glyphs)};
  score.score =
      static_cast<std::int32_t>(std::count(score.checks.begin(), score.checks.end(), true));
  return score;
}

FoundLayout CutLayout(const GlyphFormat& format, const FontValues& font) {
  FoundLayout found{format, {}, {}};
  const std::vector<std::uint8_t> bytes =
      BytesOfValues(font.values, font.value_bits, format.lsb_first);
  const std::int32_t size = SymbolBytes(format);
  const std::int32_t count = static_cast<std::int32_t>(
      std::min<std::size_t>(bytes.size() / static_cast<std::size_t>(size), kMaxSymbols));
  found.symbols.SetSymbolSize(size);
  for (std::int32_t number = 1; number <= count; ++number) {
    found.symbols.AddSymbol();
    std::memcpy(
        found.symbols.bytes(number),
        bytes.data() + static_cast<std::size_t>(number - 1) * static_cast<std::size_t>(size),
        static_cast<std::size_t>(size));
  }
  found.score = ScoreLayout(format, found.symbols);
  return found;
}

std::vector<FoundLayout> FindLayouts(const FontValues& font, std::int32_t width,
                                     std::int32_t height) {
  std::vector<FoundLayout> found;
  for (const GlyphFormat& format : LayoutCandidates(width, height, font.array_mode)) {
    if (LayoutFits(format, font)) found.push_back(CutLayout(format, font));
  }
  return found;
}

std::vector<FoundLayout> RankLayouts(std::vector<FoundLayout> layouts) {
  const auto rank = [](const FoundLayout& layout) {
    return layout.score.checks_apply ? kLayoutChecks - layout.score.score : kLayoutChecks + 1;
  };
  std::stable_sort(layouts.begin(), layouts.end(),
                   [&](const FoundLayout& a, const FoundLayout& b) { return rank(a) < rank(b); });
  return layouts;
}

const FoundLayout* BestLayout(const std::vector<FoundLayout>& ranked) {
  if (ranked.empty() || !ranked.front().score.checks_apply) return nullptr;
  for (std::size_t i = 1; i < ranked.size(); ++i) {
    if (ranked[i].score.checks_apply && ranked[i].score.score >= ranked.front().score.score) {
      return nullptr;
    }
  }
  return &ranked.front();
}

std::string LayoutOptions(const GlyphFormat& format) {
  std::string options;
  if (format.layout == ByteLayout::kPages) options = "/PAGES ";
  if (format.layout == ByteLayout::kRows) options = "/ROWS ";
  options += format.lsb_first ? "/LSB" : "/MSB";
  return options + " /SIZE" + std::to_string(format.width) + "X" + std::to_string(format.height);
}

std::string RankingLine(const FoundLayout& layout) {
  const char score = layout.score.checks_apply ? static_cast<char>('0' + layout.score.score) : '-';
  return std::string("  ") + score + "  " + LayoutOptions(layout.format);
}

std::string VerdictLine(const std::vector<FoundLayout>& ranked, const std::string& probe_file) {
  if (const FoundLayout* best = BestLayout(ranked)) {
    return "Best layout: " + LayoutOptions(best->format) + ".";
  }
  return "No layout stands out: compare them in " + probe_file + ".";
}

std::vector<std::int32_t> ProbeSymbols(const FoundLayout& layout) {
  std::vector<std::int32_t> numbers;
  if (layout.score.checks_apply) {
    for (const char code : std::string_view("AFRgjy_/0?")) {
      numbers.push_back(static_cast<unsigned char>(code) - *layout.score.first_code + 1);
    }
    return numbers;
  }
  const SymbolTable& symbols = layout.symbols;
  for (std::int32_t number = 1; number <= symbols.count() && numbers.size() < 10; ++number) {
    if (!IsBlankSymbol(symbols, number)) numbers.push_back(number);
  }
  if (numbers.empty()) {
    for (std::int32_t number = 1; number <= std::min(symbols.count(), 10); ++number) {
      numbers.push_back(number);
    }
  }
  return numbers;
}

}  // namespace fontscan
