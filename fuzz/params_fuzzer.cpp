// Fuzz target: the whole run over an arbitrary argument list.
//
// The input is split at NUL bytes into up to twelve arguments. The run sees a file system held in
// memory, so nothing real is touched: a path exists when it holds an underscore, and what it
// holds, and how opening and reading it behave, follow from words in its name (see FakeFiles).

#include <algorithm>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/run.h"
#include "core/console.h"
#include "core/run_state.h"
#include "fuzz/invariants.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace fontscan {
namespace {

using fuzzing::Check;
using fuzzing::Contains;

constexpr std::string_view kTexts[] = {
    "// two glyphs\nconst unsigned char font[][16] = {\n"
    "  {0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,0x09,0x0a,0x0b,0x0c,0x0d,0x0e,0x0f},\n"
    "  {0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,255}\n};\n",
    "/* one byte each */ #define X 1\nunsigned char f[] = {{1},{0x2},{003}};  // done\n",
    "unsigned char broken[] = {{0x01, 0x02,, 0x03}, {4 5 6}};                           \n",
    "{{1,2},{3,4},{5,6},{7,8},{9,10},{11,12},{13,14},{15,16},{17,18},{19,20}}  /* open",
};

class FakeFile final : public platform::ReadableFile {
 public:
  FakeFile(std::string text, std::int64_t size) : text_(std::move(text)), size_(size) {}
  std::int64_t Size() override { return size_; }
  std::int64_t Read(char* buffer, std::size_t size) override {
    Check(!closed_, "read after close");
    // Small pieces, so that reading in a loop is exercised.
    std::size_t count = std::min<std::size_t>({size, text_.size() - offset_, 7});
    text_.copy(buffer, count, offset_);
    offset_ += count;
    return static_cast<std::int64_t>(count);
  }
  void Close() override { closed_ = true; }

 private:
  std::string text_;
  std::int64_t size_;
  std::size_t offset_ = 0;
  bool closed_ = false;
};

// Paths with an underscore exist unless they say DIR; GONE vanishes before it is opened; BIG
// is one byte over the limit; NOSIZE cannot tell its size; SHORT delivers less than its size.
class FakeFiles final : public platform::FileSystem {
 public:
  bool IsExistingFile(const std::string& path) const override {
    return Contains(path, "_") && !Contains(path, "dir") && !Contains(path, "DIR");
  }
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) const override {
    Check(IsExistingFile(path), "only a recognised file is opened", path);
    if (Contains(path, "gone")) return nullptr;
    std::string text(kTexts[path.size() % std::size(kTexts)]);
    auto size = static_cast<std::int64_t>(text.size());
    if (Contains(path, "big")) size = 1024 * 1024 + 1;
    if (Contains(path, "nosize")) size = -1;
    if (Contains(path, "short")) size += 40;
    return std::make_unique<FakeFile>(std::move(text), size);
  }
};

void CheckRun(const RunState& s, const std::string& out, std::size_t argument_count) {
  const std::size_t expected_count = argument_count < 10 ? argument_count : 10;
  Check(s.INPARCOUNT == static_cast<std::int32_t>(expected_count), "parameter count");
  Check(s.INPARAMS.size() == expected_count, "parameter list size");
  for (std::size_t i = 0; i < s.INPARAMS.size(); ++i) {
    Check(s.INPARAMS[i].text.empty() || s.INPARAMS[i].text[0] != '-', "leading - replaced");
    if (i > 0) {
      Check(platform::CompareIgnoringCase(s.INPARAMS[i - 1].text, s.INPARAMS[i].text) <= 0,
            "parameters sorted");
    }
  }

  const std::string help = "\r\nCommand line parameters: <filename.h> [optional parameters]\r\n";
  const std::string report = "\r\nCurrent program parameters:\r\n";
  Check((out.find(help) != std::string::npos) == s.FSHOWHELP, "help screen iff asked for", out);
  Check(out.find(help) == out.rfind(help), "help screen at most once", out);
  const std::size_t report_at = out.rfind(report);
  Check(report_at != std::string::npos, "parameter report written", out);
  Check(out.find(report) == report_at, "parameter report once", out);
  Check(out.size() >= 4 && out.compare(out.size() - 4, 4, "\r\n\r\n") == 0,
        "report ends with an empty line", out);
  Check(Contains(out, std::string("inFileNameFound = ") + (s.INFILENAMEFOUND ? "True" : "False")),
        "found flag reported", out);
  if (expected_count == 0) Check(s.FSHOWHELP, "help without parameters");

  const bool not_found = Contains(out, "ERROR: Input file name not found");
  Check(not_found == !s.INFILENAMEFOUND, "not-found message iff no font file", out);
  if (s.INFILENAMEFOUND) {
    Check(s.FONTWIDTH >= 1 && s.FONTWIDTH <= 256 && s.FONTHEIGHT >= 1 && s.FONTHEIGHT <= 256,
          "recognised dimensions in range");
    Check(s.SYMBOLHEIGHT % 8 == 0 && s.SYMBOLHEIGHT >= s.FONTHEIGHT &&
              s.SYMBOLHEIGHT < s.FONTHEIGHT + 8,
          "symbol height padded to whole bytes");
    Check(s.SYMBOLSIZE == s.FONTWIDTH * s.SYMBOLHEIGHT / 8, "symbol size");
    Check(s.OUTFILENAME.size() >= 4 &&
              s.OUTFILENAME.compare(s.OUTFILENAME.size() - 4, 4, ".PNG") == 0,
          "output name ends in .PNG");
    bool listed = false;
    for (const Parameter& parameter : s.INPARAMS) listed = listed || parameter.text == s.INFILENAME;
    Check(listed, "font file is one of the parameters");
    const bool loaded = Contains(out, "\r\nReading input file finished.\r\n");
    const bool failed = Contains(out, "\r\nERROR: Error while loading input file!\r\n");
    const bool wrong_size = Contains(out, "\r\nERROR: Input file is too big (over 1Mb)");
    Check(int{loaded} + int{failed} + int{wrong_size} == 1, "one loading outcome", out);
    if (!loaded) Check(s.SYMBOLSCOUNT == 0, "no symbols without a loaded file");
  } else {
    Check(s.SYMBOLSCOUNT == 0 && !s.CONTENTERROR, "nothing read without a font file");
  }
  if (s.CONTENTERROR) Check(s.FSHOWHELP, "a parse error brings the help screen");
}

}  // namespace
}  // namespace fontscan

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The multibyte path of upper-casing and collation is the one with more to go wrong.
  std::setlocale(LC_ALL, "C.UTF-8");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fontscan;
  if (size > 200 * 1024) return 0;
  std::vector<std::string> arguments;
  if (size > 0) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (arguments.size() < 12) {
      std::size_t end = input.find('\0', start);
      arguments.emplace_back(input.substr(start, end - start));
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }

  FakeFiles files;
  const RunServices services{files, platform::UpperCase, platform::CompareIgnoringCase};
  RunState state;
  StringOutput output;
  {
    Console console(output);
    RunFontscan(state, arguments, services, console);
  }
  CheckRun(state, output.text(), arguments.size());
  return 0;
}
