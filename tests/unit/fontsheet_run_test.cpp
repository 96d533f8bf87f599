// Whole fontsheet runs against files held in memory, with an output side that can be made to
// fail: what reaches the console, what is written, and the exit status.

#include "app/fontsheet_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"
#include "platform/output_files.h"

namespace fontscan {
namespace {

class MemoryFile final : public platform::ReadableFile {
 public:
  explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    return static_cast<std::int64_t>(count);
  }
  void Close() override {}

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

class MemoryFiles final : public platform::FileSystem {
 public:
  std::map<std::string, std::string> files;
  bool IsExistingFile(const std::string& path) const override { return files.count(path) > 0; }
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) const override {
    auto found = files.find(path);
    if (found == files.end()) return nullptr;
    return std::make_unique<MemoryFile>(found->second);
  }
};

// Records what is asked of it and answers as told.
class ScriptedOutputs final : public platform::OutputFiles {
 public:
  bool exists = false;
  platform::WriteResult result = platform::WriteResult::kWritten;
  mutable std::vector<std::string> calls;
  mutable std::string written;

  bool EntryExists(const std::string& path) const override {
    calls.push_back("exists " + path);
    return exists;
  }
  platform::WriteResult WriteNewFile(const std::string& path, std::string_view bytes,
                                     bool replace) const override {
    calls.push_back("write " + path + (replace ? " replacing" : ""));
    written = std::string(bytes);
    return result;
  }
};

std::string UpperCaseAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return result;
}

int ByteOrder(const std::string& a, const std::string& b) { return a.compare(b); }

constexpr const char* kFont =
    "const unsigned char f[2][8] = {\n"
    "  {0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00},\n"
    "  {0x3F, 0x66, 0x66, 0x3E, 0x66, 0x66, 0x3F, 0x00}\n"
    "};\n";

constexpr const char* kRead =
    "\r\nReading input file finished.\r\n"
    "Reading symbol #1 finished.\r\n"
    "Reading symbol #2 finished.\r\n";

std::string Report(std::string_view overwrite) {
  return std::string(
             "\r\nCurrent program parameters:\r\n"
             "inFileNameFound = True\r\n"
             "inFileName = DIR/8X8_F.H\r\n"
             "outFileName = DIR/8X8_F.PNG\r\n"
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
             "ByteLayout = Columns\r\n"
             "FirstBit = LSB\r\n"
             "SymbolsPerLine = 16\r\n"
             "Scale = 1\r\n"
             "Overwrite = ") +
         std::string(overwrite) +
         "\r\nArrayRead = False\r\nArrayName = \r\nSkipValues = 0\r\nValueBits = 8\r\n"
         "FlatText = False\r\nFindLayouts = False\r\n\r\n";
}

TEST(FontsheetRun, TheOutputSideDecidesMessageAndExitStatus) {
  using platform::WriteResult;
  const struct {
    const char* what;
    bool exists;
    bool overwrite;
    WriteResult result;
    std::vector<std::string> calls;
    std::string message;
    int status;
  } cases[] = {
      {"written",
       false,
       false,
       WriteResult::kWritten,
       {"exists dir/8x8_f.png", "write dir/8x8_f.png"},
       "\r\nWriting output file finished.\r\n",
       0},
      {"write fails",
       false,
       false,
       WriteResult::kFailed,
       {"exists dir/8x8_f.png", "write dir/8x8_f.png"},
       "\r\nERROR: Error while writing output file!\r\n",
       1},
      {"a file appears before the move",
       false,
       false,
       WriteResult::kExists,
       {"exists dir/8x8_f.png", "write dir/8x8_f.png"},
       "\r\nERROR: Error while writing output file!\r\n",
       1},
      {"exists",
       true,
       false,
       WriteResult::kWritten,
       {"exists dir/8x8_f.png"},
       "\r\nERROR: Output file already exists, add /Y to replace it!\r\n",
       1},
      {"exists, replaced",
       true,
       true,
       WriteResult::kWritten,
       {"write dir/8x8_f.png replacing"},
       "\r\nWriting output file finished.\r\n",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFiles files;
    files.files["dir/8x8_f.h"] = kFont;
    ScriptedOutputs outputs;
    outputs.exists = c.exists;
    outputs.result = c.result;
    const RunServices services{files, UpperCaseAscii, ByteOrder};
    RunState state;
    StringOutput output;
    int status = -1;
    {
      Console console(output);
      std::vector<std::string> arguments{"dir/8x8_f.h"};
      if (c.overwrite) arguments.push_back("/y");
      status = RunFontsheet(state, arguments, services, outputs, console);
    }
    EXPECT_EQ(output.text(), kRead + c.message + Report(c.overwrite ? "True" : "False"));
    EXPECT_EQ(outputs.calls, c.calls);
    EXPECT_EQ(status, c.status);
    if (outputs.calls.size() > 1 || c.overwrite) {
      EXPECT_EQ(outputs.written.substr(0, 8), "\x89PNG\r\n\x1a\n");
    }
  }
}

}  // namespace
}  // namespace fontscan
