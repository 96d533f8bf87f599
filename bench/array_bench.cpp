// The C scan and the array reader over 1 MiB arrays, in MB/s of text: one scan of the whole text,
// then the reading of its array with 16 values a symbol and no symbol limit, so that all of it is
// read.

#include <benchmark/benchmark.h>

#include <climits>
#include <string>

#include "bench/fonts.h"
#include "reader/array_reader.h"
#include "reader/c_source.h"

namespace fontscan::bench {
namespace {

void ScanAndRead(benchmark::State& bench, std::string (*make)()) {
  const std::string text = make();
  ArrayRules rules;
  rules.values_per_symbol = 16;
  rules.max_symbols = INT_MAX;
  std::size_t values = 0;
  bool read = false;
  for (auto _ : bench) {
    const CSource source = ScanCSource(text);
    read = source.arrays.size() == 1;
    if (!read) break;
    const ArrayReading reading = ReadArray(source, 0, rules);
    read = reading.fault == ArrayFault::kNone && !reading.too_many;
    values = reading.values.size();
    benchmark::DoNotOptimize(reading.values.data());
  }
  if (!read || values < 60000) bench.SkipWithError("the font did not read as intended");
  bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
  bench.counters["values"] = static_cast<double>(values);
}

void ScanOnly(benchmark::State& bench, std::string (*make)()) {
  const std::string text = make();
  for (auto _ : bench) {
    const CSource source = ScanCSource(text);
    benchmark::DoNotOptimize(source.arrays.data());
  }
  bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
}

void ReadOnly(benchmark::State& bench, std::string (*make)()) {
  const std::string text = make();
  const CSource source = ScanCSource(text);
  ArrayRules rules;
  rules.values_per_symbol = 16;
  rules.max_symbols = INT_MAX;
  for (auto _ : bench) {
    const ArrayReading reading = ReadArray(source, 0, rules);
    benchmark::DoNotOptimize(reading.values.data());
  }
  bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
}

BENCHMARK_CAPTURE(ScanAndRead, flat_commented_8x16, FlatCommented8x16);
BENCHMARK_CAPTURE(ScanAndRead, nested_8x16, Nested8x16);
BENCHMARK_CAPTURE(ScanOnly, flat_commented_8x16, FlatCommented8x16);
BENCHMARK_CAPTURE(ScanOnly, nested_8x16, Nested8x16);
BENCHMARK_CAPTURE(ReadOnly, flat_commented_8x16, FlatCommented8x16);
BENCHMARK_CAPTURE(ReadOnly, nested_8x16, Nested8x16);

}  // namespace
}  // namespace fontscan::bench

BENCHMARK_MAIN();
