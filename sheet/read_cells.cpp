#include "sheet/read_cells.h"

#include <algorithm>
#include <cstring>

#include "sheet/ink.h"

namespace fontscan {

namespace {

constexpr std::int32_t kNone = -1;
constexpr std::int32_t kNoColumn = 0x7FFFFFFF;

}  // namespace

std::uint8_t PixelClass(Rgb colour, Rgb empty) {
  return static_cast<std::uint8_t>((IsInk(colour) ? kInkPixel : 0) |
                                   (colour == empty ? kEmptyPixel : 0));
}

SheetScanner::SheetScanner(const GlyphFormat& format, std::int32_t scale, const SheetLayout& layout,
                           const CellGrid& grid, Extent image, std::int64_t readable)
    : format_(format),
      scale_(scale),
      layout_(layout),
      grid_(grid),
      width_(static_cast<std::size_t>(image.width)),
      across_(layout.vertical ? grid.lines : grid.per_line),
      readable_(std::min(readable, (grid.lines - 1) * layout.per_line + grid.per_line)),
      symbol_size_(static_cast<std::size_t>(SymbolBytes(format))),
      places_(PixelPlaces(format)),
      symbols_(static_cast<std::size_t>(readable_) * symbol_size_),
      mixed_(static_cast<std::size_t>(readable_), MixedBlock{kNone, kNone, {0, 0}}),
      pending_(static_cast<std::size_t>(across_), kNoColumn),
      empty_(static_cast<std::size_t>(grid.per_line), true),
      block_top_(width_) {}

std::int64_t SheetScanner::CellIndex(std::int64_t column, std::int64_t cell_row) const {
  return layout_.vertical ? column * layout_.per_line + cell_row
                          : cell_row * layout_.per_line + column;
}

void SheetScanner::TakeRow(std::int64_t y, const std::uint8_t* classes) {
  const std::int64_t d = layout_.delimiter;
  const std::int64_t pitch = layout_.cell_height + d;
  if (y < d || (y - d) % pitch >= layout_.cell_height) return;  // delimiter pixels are not read
  const std::int64_t cell_row = (y - d) / pitch;
  const auto inside = static_cast<std::int32_t>((y - d) % pitch);
  const std::int32_t row = inside / scale_;
  const std::int32_t sub = inside % scale_;
  const std::int64_t top_y = y - sub;
  const bool last = sub == scale_ - 1;
  // A block's later rows are mostly its first row again: nothing new in them.
  if (sub > 0 && std::memcmp(classes, block_top_.data(), width_) == 0) {
    if (last) EndBlockRow(cell_row, row, top_y);
    return;
  }

  const auto block = static_cast<std::size_t>(scale_);
  const auto cell_width = static_cast<std::size_t>(layout_.cell_width);
  const BitPlace* places = &places_[static_cast<std::size_t>(row) * format_.width];
  for (std::int64_t column = 0; column < across_; ++column) {
    const std::uint8_t* cell = classes + d + column * (layout_.cell_width + d);
    const bool in_last_line = (layout_.vertical ? column : cell_row) == grid_.lines - 1;
    if (in_last_line) {
      const auto place = static_cast<std::size_t>(layout_.vertical ? cell_row : column);
      if (empty_[place]) {
        empty_[place] = std::all_of(cell, cell + cell_width,
                                    [](std::uint8_t c) { return (c & kEmptyPixel) != 0; });
      }
    }
    const std::int64_t index = CellIndex(column, cell_row);
    if (index >= readable_ || mixed_[static_cast<std::size_t>(index)].column != kNone) continue;
    std::int32_t& pending = pending_[static_cast<std::size_t>(column)];
    if (sub == 0) {
      std::uint8_t* symbol = &symbols_[static_cast<std::size_t>(index) * symbol_size_];
      if (block == 1) {
        // Blocks of one pixel always agree; ink and paper come with no pattern a branch could
        // predict, so the bit is masked in.
        for (std::int32_t c = 0; c < format_.width; ++c) {
          const auto ink = static_cast<std::uint8_t>(cell[c] & kInkPixel);
          symbol[places[c].byte] |= static_cast<std::uint8_t>(places[c].mask & -ink);
        }
        continue;
      }
      for (std::int32_t c = 0; c < format_.width; ++c) {
        const std::uint8_t* first = cell + static_cast<std::size_t>(c) * block;
        const std::uint8_t ink = first[0] & kInkPixel;
        bool agree = true;
        for (std::size_t x = 1; x < block; ++x) agree &= (first[x] & kInkPixel) == ink;
        if (!agree) {
          pending = std::min(pending, c);
          break;
        }
        symbol[places[c].byte] |= ink ? places[c].mask : 0;
      }
    } else {
      const std::uint8_t* top = block_top_.data() + (cell - classes);
      for (std::size_t x = 0; x < cell_width; ++x) {
        if (((cell[x] ^ top[x]) & kInkPixel) != 0) {
          pending = std::min(pending, static_cast<std::int32_t>(x / block));
          break;
        }
      }
    }
  }
  if (sub == 0) std::memcpy(block_top_.data(), classes, width_);
  if (last) EndBlockRow(cell_row, row, top_y);
}

void SheetScanner::EndBlockRow(std::int64_t cell_row, std::int32_t row, std::int64_t top_y) {
  for (std::int64_t column = 0; column < across_; ++column) {
    std::int32_t& pending = pending_[static_cast<std::size_t>(column)];
    if (pending == kNoColumn) continue;
    const std::int64_t index = CellIndex(column, cell_row);
    const std::int64_t x = layout_.delimiter + column * (layout_.cell_width + layout_.delimiter);
    mixed_[static_cast<std::size_t>(index)] = {pending, row, {x + pending * scale_, top_y}};
    pending = kNoColumn;
  }
}

std::optional<std::int64_t> SheetScanner::UsedCells() const {
  std::int64_t used = grid_.per_line;
  for (std::int64_t place = 0; place < grid_.per_line; ++place) {
    const bool holds_only_empty = empty_[static_cast<std::size_t>(place)];
    if (place < used && holds_only_empty) used = place;
    if (place > used && !holds_only_empty) return std::nullopt;
  }
  if (used == 0) return std::nullopt;
  return (grid_.lines - 1) * layout_.per_line + used;
}

const std::uint8_t* SheetScanner::Symbol(std::int64_t index) const {
  return &symbols_[static_cast<std::size_t>(index) * symbol_size_];
}

std::optional<MixedBlock> SheetScanner::Mixed(std::int64_t index) const {
  const MixedBlock& mixed = mixed_[static_cast<std::size_t>(index)];
  if (mixed.column == kNone) return std::nullopt;
  return mixed;
}

}  // namespace fontscan
