// Whole runs against a file system that changes under the program: the font file is there when
// it is recognised, and gone, unsized or emptied when it is loaded a moment later.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/run.h"
#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"

namespace fontscan {
namespace {

enum class Change { kVanished, kSizeUnknown, kEmptied };

class ShrunkFile final : public platform::ReadableFile {
 public:
  explicit ShrunkFile(std::int64_t size) : size_(size) {}
  std::int64_t Size() override { return size_; }
  std::int64_t Read(char*, std::size_t) override { return 0; }
  void Close() override {}

 private:
  std::int64_t size_;
};

// Every path exists when asked; opening finds the file changed as `change` says.
class ChangingFileSystem final : public platform::FileSystem {
 public:
  explicit ChangingFileSystem(Change change) : change_(change) {}

  bool IsExistingFile(const std::string& path) const override {
    calls.push_back("exists " + path);
    return true;
  }
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) const override {
    calls.push_back("open " + path);
    switch (change_) {
      case Change::kVanished:
        return nullptr;
      case Change::kSizeUnknown:
        return std::make_unique<ShrunkFile>(-1);
      case Change::kEmptied:
        return std::make_unique<ShrunkFile>(0);
    }
    return nullptr;
  }

  mutable std::vector<std::string> calls;

 private:
  Change change_;
};

std::string UpperCaseAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return result;
}

int ByteOrder(const std::string& a, const std::string& b) { return a.compare(b); }

constexpr const char* kReport =
    "\r\nCurrent program parameters:\r\n"
    "inFileNameFound = True\r\n"
    "inFileName = 8X8_GONE.H\r\n"
    "outFileName = 8X8_GONE.PNG\r\n"
    "VerticalOutput = False\r\n"
    "NoDelimeter = False\r\n"
    "FontWidth = 8\r\n"
    "FontHeight = 8\r\n"
    "SymbolHeight = 8\r\n"
    "SymbolSize = 8\r\n"
    "clBG = R:230 G:230 B:230\r\n"
    "clFG = R:0 G:0 B:0\r\n"
    "clDM = R:0 G:255 B:0\r\n"
    "clG5 = R:204 G:255 B:255\r\n"
    "clG10 = R:153 G:255 B:255\r\n"
    "\r\n";

TEST(FileChangedAfterRecognition, LoadingMessageAndReportWithoutHelp) {
  const struct {
    Change change;
    std::string message;
  } cases[] = {
      {Change::kVanished, "\r\nERROR: Error while loading input file!\r\n"},
      {Change::kSizeUnknown,
       "\r\nERROR: Input file is too big (over 1Mb) or too small (less than 50 bytes)!\r\n"},
      {Change::kEmptied,
       "\r\nERROR: Input file is too big (over 1Mb) or too small (less than 50 bytes)!\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.change));
    ChangingFileSystem files(c.change);
    const RunServices services{files, UpperCaseAscii, ByteOrder};
    RunState state;
    StringOutput output;
    {
      Console console(output);
      RunFontscan(state, {"8x8_gone.h"}, services, console);
    }
    EXPECT_EQ(output.text(), c.message + kReport);
    EXPECT_EQ(files.calls, (std::vector<std::string>{"exists 8x8_gone.h", "open 8x8_gone.h"}));
    EXPECT_TRUE(state.INFILENAMEFOUND);
    EXPECT_FALSE(state.FSHOWHELP);
    EXPECT_EQ(state.SYMBOLSDATA.count(), 0);
  }
}

}  // namespace
}  // namespace fontscan
