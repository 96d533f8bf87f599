// Reading one array of a scanned C text: its elements, values, symbols, conditional groups and
// the first fault with its place. Pure: text in, values or a fault out; nothing is printed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "reader/c_source.h"

namespace fontscan {

// A name given on the command line (/Dname or /Dname=n); matched without regard to case.
struct DefinedName {
  std::string name;
  std::uint64_t value = 1;
};

struct ArrayRules {
  std::int32_t value_bits = 8;         // 8, 16 or 32: a value must be 0 to 2^value_bits - 1
  std::int64_t skip_values = 0;        // the first elements of the outer list, in no symbol
  std::int64_t values_per_symbol = 0;  // values a symbol holds; 0: no symbol rules at all (every
                                       // element read and judged, no counts, no symbol limit)
  std::int32_t max_symbols = 4096;     // symbols taken at most (with symbol rules)
  std::vector<DefinedName> defined;    // the command line's names, which win over the file's
};

enum class ArrayFault {
  kNone,
  kNotANumber,       // value_number, value_text
  kOutOfRange,       // value_number, value_text
  kSymbolCount,      // nested: symbol_number, values_held, values_expected
  kLastSymbolCount,  // flat: symbol_number, values_held, values_expected
  kNestedTooDeep,
  kMixed,
  kConditional,
  kNotClosed,
  kEmpty,
};

struct ArrayReading {
  ArrayFault fault = ArrayFault::kNone;
  std::size_t fault_offset = 0;  // file offset where the fault shows

  std::int64_t value_number = 0;     // k, from 1
  std::string value_text;            // the element's tokens joined by single spaces, first 40 bytes
  std::int64_t symbol_number = 0;    // n, from 1
  std::int64_t values_held = 0;      // m
  std::int64_t values_expected = 0;  // s

  std::int64_t values_read = 0;  // V: every value read, the skipped ones included
  bool nested = false;           // the outer list's first element is a list
  // With symbol rules: the values of the symbols taken, symbol after symbol. Without: every value
  // after the skipped elements, in text order.
  std::vector<std::uint32_t> values;
  // Without symbol rules, nested arrays: the values in each list after the skipped elements.
  std::vector<std::int64_t> list_lengths;

  // Symbol max_symbols + 1 began: the reading stopped at the first token of its element.
  bool too_many = false;
  std::size_t too_many_offset = 0;
};

// Reads array `index` of the scan by the rules.
ArrayReading ReadArray(const CSource& source, std::size_t index, const ArrayRules& rules);

}  // namespace fontscan
