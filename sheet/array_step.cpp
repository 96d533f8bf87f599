#include "sheet/array_step.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "reader/array_reader.h"
#include "reader/c_source.h"
#include "reader/diagnostics.h"
#include "sheet/glyph_format.h"
#include "sheet/value_bytes.h"

namespace fontscan {

namespace {

std::string_view FileText(const RunState& state) {
  return {state.INFILEDATA.data(), state.INFILEDATA.size()};
}

std::int32_t AsInt(std::int64_t value) { return static_cast<std::int32_t>(value); }

// "Line l, column c (file position P / 0xHEX bytes)."
std::string PlaceText(std::string_view file, std::size_t offset) {
  const SourcePosition position = PositionAt(file, offset);
  const std::int32_t from_one = AsInt(static_cast<std::int64_t>(offset) + 1);
  return "Line " + std::to_string(position.line) + ", column " + std::to_string(position.column) +
         " (file position " + std::to_string(from_one) + " / 0x" + HexPosition(from_one) +
         " bytes).";
}

void WriteArrayList(const CSource& source, Console& console) {
  for (const ArrayDeclaration& array : source.arrays) {
    console << "       " << array.name << " at line "
            << AsInt(PositionAt(source.file, array.open).line) << ": " << AsInt(array.elements)
            << " elements." << CRLF;
  }
}

std::string MaxValue(std::int32_t value_bits) {
  return std::to_string((std::uint64_t{1} << value_bits) - 1);
}

void WriteFaultDetail(const ArrayReading& reading, std::int32_t value_bits, Console& console) {
  switch (reading.fault) {
    case ArrayFault::kNotANumber:
      console << "       Value #" << AsInt(reading.value_number) << " is not a number: '"
              << reading.value_text << "'." << CRLF;
      break;
    case ArrayFault::kOutOfRange:
      console << "       Value #" << AsInt(reading.value_number) << " is out of range: '"
              << reading.value_text << "' (0 to " << MaxValue(value_bits) << ")." << CRLF;
      break;
    case ArrayFault::kSymbolCount:
      console << "       Symbol #" << AsInt(reading.symbol_number) << " holds "
              << AsInt(reading.values_held) << " values, " << AsInt(reading.values_expected)
              << " expected." << CRLF;
      break;
    case ArrayFault::kLastSymbolCount:
      console << "       The last symbol, #" << AsInt(reading.symbol_number) << ", holds "
              << AsInt(reading.values_held) << " values, " << AsInt(reading.values_expected)
              << " expected." << CRLF;
      break;
    case ArrayFault::kNestedTooDeep:
      console.WriteLine("       Lists are nested more than two deep.");
      break;
    case ArrayFault::kMixed:
      console.WriteLine("       Values and lists are mixed in one list.");
      break;
    case ArrayFault::kConditional:
      console.WriteLine("       A #if group in the array can't be read.");
      break;
    case ArrayFault::kNotClosed:
      console.WriteLine("       The array is not closed.");
      break;
    case ArrayFault::kEmpty:
      console.WriteLine("       The array holds no symbols.");
      break;
    case ArrayFault::kNone:
      break;
  }
}

// The array that the options choose, or nothing after the message that says why.
std::optional<std::size_t> ChooseArray(const RunState& state, const CSource& source,
                                       Console& console) {
  if (source.arrays.empty()) {
    console.WriteLine("\r\nERROR: No array found in input file!");
    return std::nullopt;
  }
  if (!state.ARRAYNAME.empty()) {
    const std::optional<std::size_t> found = FindArrayNamed(source, state.ARRAYNAME);
    if (!found) {
      console << "\r\nERROR: Array " << state.ARRAYNAME << " not found in input file!" << CRLF;
      WriteArrayList(source, console);
    }
    return found;
  }
  if (source.arrays.size() > 1) {
    console << "\r\nERROR: Input file holds "
            << AsInt(static_cast<std::int64_t>(source.arrays.size()))
            << " arrays, choose one with /Aname!" << CRLF;
    WriteArrayList(source, console);
    return std::nullopt;
  }
  return 0;
}

ArrayRules RulesOf(const RunState& state, std::int32_t value_bits, std::int32_t skip_values,
                   std::int32_t symbol_size) {
  ArrayRules rules;
  rules.value_bits = value_bits;
  rules.skip_values = skip_values;
  rules.values_per_symbol = symbol_size / (value_bits / 8);
  rules.max_symbols = MAXSYMBOLSCOUNT;
  rules.defined = state.DEFINEDNAMES;
  return rules;
}

// Scans the text, chooses the array and reads it by `rules`; the name as written and the reading,
// or nothing after the messages of what went wrong.
std::optional<std::pair<std::string, ArrayReading>> ReadChosenArray(RunState& state,
                                                                    const ArrayRules& rules,
                                                                    Console& console) {
  const CSource source = ScanCSource(FileText(state));
  const std::optional<std::size_t> chosen = ChooseArray(state, source, console);
  if (!chosen) return std::nullopt;
  const std::string& name = source.arrays[*chosen].name;
  ArrayReading reading = ReadArray(source, *chosen, rules);
  if (reading.fault != ArrayFault::kNone) {
    console << "\r\nERROR: Error while reading array " << name << "!" << CRLF;
    console << "       " << PlaceText(source.file, reading.fault_offset) << CRLF;
    WriteFaultDetail(reading, rules.value_bits, console);
    state.FSHOWHELP = true;
    return std::nullopt;
  }
  if (reading.too_many) {
    WriteTooManySymbolsWarning(PlaceText(source.file, reading.too_many_offset), console);
  }
  return std::make_pair(name, std::move(reading));
}

}  // namespace

bool ReadArrayFont(RunState& state, Console& console) {
  const auto read = ReadChosenArray(
      state, RulesOf(state, state.VALUEBITS, state.SKIPVALUES, state.SYMBOLSIZE), console);
  if (!read) return false;
  const ArrayReading& reading = read->second;
  const std::vector<std::uint8_t> bytes =
      BytesOfValues(reading.values, state.VALUEBITS, LsbFirst(state));
  const auto symbol_size = static_cast<std::size_t>(state.SYMBOLSIZE);
  state.SYMBOLSDATA.SetSymbolSize(state.SYMBOLSIZE);
  state.SYMBOLSCOUNT = static_cast<std::int32_t>(bytes.size() / symbol_size);
  for (std::int32_t number = 1; number <= state.SYMBOLSCOUNT; ++number) {
    state.SYMBOLSDATA.AddSymbol();
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>((number - 1) * symbol_size),
                symbol_size, state.SYMBOLSDATA.bytes(number));
  }
  console << "\r\nReading array " << read->first << ": " << AsInt(reading.values_read)
          << " values, " << state.SYMBOLSCOUNT << " symbols of " << state.SYMBOLSIZE << " bytes."
          << CRLF;
  return true;
}

std::optional<ArrayReading> ReadArrayValues(RunState& state, Console& console) {
  auto read = ReadChosenArray(state, RulesOf(state, state.VALUEBITS, state.SKIPVALUES, 0), console);
  if (!read) return std::nullopt;
  console << "\r\nReading array " << read->first << ": " << AsInt(read->second.values_read)
          << " values." << CRLF;
  return std::move(read->second);
}

void WriteArrayHint(const RunState& state, Console& console) {
  const CSource source = ScanCSource(FileText(state));
  const std::int32_t symbol_size = SymbolBytes(ArrayGlyphFormat(state));
  const ArrayRules rules = RulesOf(state, 8, 0, symbol_size);
  bool first_line = true;
  for (std::size_t index = 0; index < source.arrays.size(); ++index) {
    const ArrayDeclaration& array = source.arrays[index];
    if (FindArrayNamed(source, array.name) != index) continue;
    const ArrayReading reading = ReadArray(source, index, rules);
    if (reading.fault != ArrayFault::kNone) continue;
    if (first_line) console.WriteLine("\r\nHINT: The file reads as a C array with /A:");
    first_line = false;
    console << "      /A" << array.name << " - "
            << AsInt(static_cast<std::int64_t>(reading.values.size()) / symbol_size)
            << " symbols of " << symbol_size << " bytes." << CRLF;
  }
}

}  // namespace fontscan
