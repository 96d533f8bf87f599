// Loading the font file through a fake file system: size limits, open and read failures, and
// the file closed exactly once on every path.

#include "reader/loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"
#include "tests/unit/reader_walk.h"

namespace fontscan::testing {
namespace {

struct FileLog {
  int opens = 0;
  int close_calls = 0;
  int closed_on_destruction = 0;  // destroyed without Close(): the destructor closes it
  int destructions = 0;
  std::string opened_path;
  int closes() const { return close_calls + closed_on_destruction; }
};

enum class Fault { kNone, kEndOfFile, kError };

struct FakeContent {
  std::string bytes;
  std::int64_t size;  // what Size() reports
  Fault fault = Fault::kNone;
  std::size_t fault_after = 0;                                  // bytes delivered before the fault
  std::size_t chunk = std::numeric_limits<std::size_t>::max();  // most bytes per Read()
};

class FakeFile final : public platform::ReadableFile {
 public:
  FakeFile(const FakeContent& content, FileLog& log) : content_(content), log_(log) {}
  ~FakeFile() override {
    ++log_.destructions;
    if (!closed_) ++log_.closed_on_destruction;
  }

  std::int64_t Size() override { return content_.size; }

  std::int64_t Read(char* buffer, std::size_t size) override {
    EXPECT_FALSE(closed_) << "read after Close()";
    const std::size_t limit =
        content_.fault == Fault::kNone ? content_.bytes.size() : content_.fault_after;
    if (offset_ >= limit) return content_.fault == Fault::kError ? -1 : 0;
    const std::size_t count = std::min({size, content_.chunk, limit - offset_});
    std::memcpy(buffer, content_.bytes.data() + offset_, count);
    offset_ += count;
    return static_cast<std::int64_t>(count);
  }

  void Close() override {
    ++log_.close_calls;
    closed_ = true;
  }

 private:
  const FakeContent& content_;
  FileLog& log_;
  std::size_t offset_ = 0;
  bool closed_ = false;
};

// Holds one file, or none when opening is to fail.
class FakeFileSystem final : public platform::FileSystem {
 public:
  explicit FakeFileSystem(std::optional<FakeContent> content) : content_(std::move(content)) {}

  bool IsExistingFile(const std::string&) const override { return true; }
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) const override {
    ++log.opens;
    log.opened_path = path;
    if (!content_) return nullptr;
    return std::make_unique<FakeFile>(*content_, log);
  }

  mutable FileLog log;

 private:
  std::optional<FakeContent> content_;
};

// A font text of exactly `size` bytes with one two-byte symbol at its very end.
std::string FontOfSize(std::size_t size) { return "{" + std::string(size - 7, ' ') + "{7,8}}"; }

FakeContent File(std::size_t size) { return {FontOfSize(size), static_cast<std::int64_t>(size)}; }

FakeContent FaultyFile(std::size_t size, Fault fault, std::size_t after) {
  FakeContent content = File(size);
  content.fault = fault;
  content.fault_after = after;
  return content;
}

FakeContent ChunkedFile(std::size_t size, std::size_t chunk) {
  FakeContent content = File(size);
  content.chunk = chunk;
  return content;
}

FakeContent UnknownSize() {
  FakeContent content = File(60);
  content.size = -1;
  return content;
}

const std::string kLoaded = "\r\nReading input file finished.\r\n";
const std::string kWrongSize =
    "\r\nERROR: Input file is too big (over 1Mb) or too small (less than 50 bytes)!\r\n";
const std::string kLoadFailed = "\r\nERROR: Error while loading input file!\r\n";

struct LoadCase {
  const char* name;
  std::optional<FakeContent> file;  // none: opening fails
  std::string out;
  std::int32_t symbols;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, MessagesWalkAndClosing) {
  const LoadCase& c = GetParam();
  FakeFileSystem files(c.file);
  RunState state;
  state.INFILENAMEFOUND = true;
  state.INFILENAME = "2X8_T.H";
  state.in_file_path = "2X8_T.H";
  state.SYMBOLSIZE = 2;
  StringOutput output;
  {
    Console console(output);
    LoadAndWalkFontFile(state, files, console);
  }
  EXPECT_EQ(output.text(), c.out);
  EXPECT_FALSE(state.FSHOWHELP);
  EXPECT_FALSE(state.CONTENTERROR);
  EXPECT_EQ(state.SYMBOLSDATA.count(), c.symbols);
  if (c.symbols > 0) {
    EXPECT_EQ(state.SYMBOLSDATA.Symbol(1), (std::vector<std::uint8_t>{7, 8}));
  }

  EXPECT_EQ(files.log.opens, 1);
  EXPECT_EQ(files.log.opened_path, "2X8_T.H");
  const int opened = c.file ? 1 : 0;
  EXPECT_EQ(files.log.destructions, opened) << "the file outlived the loading";
  EXPECT_EQ(files.log.closes(), opened) << files.log.close_calls << " Close() calls";
}

const LoadCase kCases[] = {
    {"SmallestSize", File(50), kLoaded + Finished(1), 1},
    {"LargestSize", File(1024 * 1024), kLoaded + Finished(1), 1},
    {"OneByteTooSmall", File(49), kWrongSize, 0},
    {"OneByteTooBig", File(1024 * 1024 + 1), kWrongSize, 0},
    {"SizeUnknown", UnknownSize(), kWrongSize, 0},
    {"ReadInSmallPieces", ChunkedFile(60, 7), kLoaded + Finished(1), 1},
    {"OpenFails", std::nullopt, kLoadFailed, 0},
    {"ShortRead", FaultyFile(60, Fault::kEndOfFile, 40), kLoadFailed, 0},
    {"NothingRead", FaultyFile(60, Fault::kEndOfFile, 0), kLoadFailed, 0},
    {"ReadErrorMidway", FaultyFile(60, Fault::kError, 20), kLoadFailed, 0},
    {"ReadErrorAtOnce", FaultyFile(60, Fault::kError, 0), kLoadFailed, 0},
    {"ReadErrorBeforeLastByte", FaultyFile(60, Fault::kError, 59), kLoadFailed, 0},
};

INSTANTIATE_TEST_SUITE_P(Loader, LoadTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fontscan::testing
