// The font text walk over generated fonts of about 1 MiB, in MB/s of text actually walked, beside
// a memchr count of the line feeds in the same buffer: the machine's scanning speed for one pass.
//
//   fontscan_walk_bench                      run the benchmarks
//   fontscan_walk_bench --write SHAPE FILE   write one generated font (for timing whole runs)

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "bench/fonts.h"
#include "core/console.h"
#include "core/run_state.h"
#include "reader/comment_filter.h"

namespace fontscan::bench {
namespace {

struct Shape {
  const char* name;
  GeneratedFont (*make)();
};

constexpr Shape kShapes[] = {
    {"tiny_1x8", Tiny1x8},       {"typical_8x16", Typical8x16},          {"rows_8x16", Rows8x16},
    {"big_256x256", Big256x256}, {"comment_heavy_8x8", CommentHeavy8x8},
};

const GeneratedFont& FontOf(const Shape& shape) {
  // Generated once per shape; benchmarks of a shape share it.
  static std::string names[std::size(kShapes)];
  static GeneratedFont fonts[std::size(kShapes)];
  const std::size_t index = static_cast<std::size_t>(&shape - kShapes);
  if (names[index].empty()) {
    fonts[index] = shape.make();
    names[index] = shape.name;
  }
  return fonts[index];
}

void Walk(benchmark::State& bench, const Shape* shape) {
  const GeneratedFont& font = FontOf(*shape);
  std::int32_t symbols = 0;
  bool stopped_early = false;
  for (auto _ : bench) {
    RunState state;
    state.SYMBOLSIZE = font.symbol_size;
    StringOutput output;
    Console console(output);
    PrepareWalk(state);
    WalkFontText(state, font.text, console);
    console.Flush();
    benchmark::DoNotOptimize(output.text().data());
    symbols = state.SYMBOLSDATA.count();
    stopped_early = state.POSITION > static_cast<std::int32_t>(font.text.size());
  }
  // The walk stops at the array's end or the table's overflow; what follows is never read.
  if (!stopped_early || symbols == 0) bench.SkipWithError("the font did not read as intended");
  bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(font.walked));
  bench.counters["walked_KiB"] = static_cast<double>(font.walked) / 1024;
  bench.counters["symbols"] = symbols;
}

void MemchrLineFeeds(benchmark::State& bench, const Shape* shape) {
  const std::string& text = FontOf(*shape).text;
  std::size_t lines = 0;
  for (auto _ : bench) {
    lines = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while ((at = static_cast<const char*>(std::memchr(at, '\n', end - at))) != nullptr) {
      ++lines;
      ++at;
    }
    benchmark::DoNotOptimize(lines);
  }
  bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(text.size()));
  bench.counters["lines"] = static_cast<double>(lines);
}

int WriteFont(std::string_view name, const char* path) {
  for (const Shape& shape : kShapes) {
    if (name != shape.name) continue;
    const GeneratedFont font = shape.make();
    std::ofstream file(path, std::ios::binary);
    file.write(font.text.data(), static_cast<std::streamsize>(font.text.size()));
    return file.good() ? 0 : 1;
  }
  std::fprintf(stderr, "unknown shape %s\n", std::string(name).c_str());
  return 2;
}

}  // namespace
}  // namespace fontscan::bench

int main(int argc, char** argv) {
  using namespace fontscan::bench;
  if (argc == 4 && std::string_view(argv[1]) == "--write") return WriteFont(argv[2], argv[3]);
  for (const Shape& shape : kShapes) {
    benchmark::RegisterBenchmark((std::string("walk/") + shape.name).c_str(), Walk, &shape);
    benchmark::RegisterBenchmark((std::string("memchr_lf/") + shape.name).c_str(), MemchrLineFeeds,
                                 &shape);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
