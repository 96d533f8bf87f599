// The symbols read from the font file: up to 4096 entries of SYMBOLSIZE bytes each.
#pragma once

#include <cstdint>
#include <vector>

namespace fontscan {

class SymbolTable {
 public:
  // Fixes the size of every entry; empties the table.
  void SetSymbolSize(std::int32_t size) {
    symbol_size_ = static_cast<std::size_t>(size);
    bytes_.clear();
  }

  // Adds the next entry, filled with zeros. May throw std::bad_alloc.
  void AddSymbol() { bytes_.resize(bytes_.size() + symbol_size_); }

  std::int32_t count() const {
    return symbol_size_ == 0 ? 0 : static_cast<std::int32_t>(bytes_.size() / symbol_size_);
  }
  std::size_t symbol_size() const { return symbol_size_; }

  // Byte `index` (from 0) of symbol `number` (from 1).
  std::uint8_t& at(std::int32_t number, std::int32_t index) {
    return bytes_[Offset(number, index)];
  }
  std::uint8_t at(std::int32_t number, std::int32_t index) const {
    return bytes_[Offset(number, index)];
  }

  // Where the bytes of symbol `number` (from 1) begin.
  std::uint8_t* bytes(std::int32_t number) { return &bytes_[Offset(number, 0)]; }
  const std::uint8_t* bytes(std::int32_t number) const { return &bytes_[Offset(number, 0)]; }

  // The bytes of symbol `number` (from 1).
  std::vector<std::uint8_t> Symbol(std::int32_t number) const {
    auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(Offset(number, 0));
    return {first, first + static_cast<std::ptrdiff_t>(symbol_size_)};
  }

 private:
  std::size_t Offset(std::int32_t number, std::int32_t index) const {
    return static_cast<std::size_t>(number - 1) * symbol_size_ + static_cast<std::size_t>(index);
  }

  std::size_t symbol_size_ = 0;
  std::vector<std::uint8_t> bytes_;  // the entries one after another
};

}  // namespace fontscan
