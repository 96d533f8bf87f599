#include "core/console.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "app/fontsheet_reports.h"
#include "app/reports.h"

namespace fontscan {
namespace {

// Counts the writes that reach the output, and keeps each.
class CountingOutput final : public ConsoleOutput {
 public:
  void Write(std::string_view part) override {
    ++writes;
    text.append(part);
    parts.emplace_back(part);
  }
  int writes = 0;
  std::string text;
  std::vector<std::string> parts;
};

TEST(Console, LinesEndInCrLfAndNumbersAreDecimal) {
  StringOutput output;
  {
    Console console(output);
    console.WriteLine("first");
    console.WriteLine("");
    const std::int32_t numbers[] = {0,    7,          -1,
                                    4096, 2147483647, std::numeric_limits<std::int32_t>::min()};
    for (std::int32_t number : numbers) console << "n=" << number << CRLF;
  }
  EXPECT_EQ(output.text(),
            "first\r\n\r\nn=0\r\nn=7\r\nn=-1\r\nn=4096\r\nn=2147483647\r\nn=-2147483648\r\n");
}

TEST(Console, BuffersLinesAndLosesNothing) {
  CountingOutput output;
  std::string expected;
  {
    Console console(output);
    for (int i = 0; i < 20000; ++i) {
      console << "Reading symbol #" << i << " finished." << CRLF;
      expected += "Reading symbol #" + std::to_string(i) + " finished.\r\n";
    }
    EXPECT_LT(output.writes, 20);  // large writes, not one per line
  }
  EXPECT_EQ(output.text, expected);
}

TEST(Console, FlushHandsOverWhatIsBuffered) {
  CountingOutput output;
  Console console(output);
  console.WriteLine("a");
  EXPECT_EQ(output.writes, 0);
  console.Flush();
  EXPECT_EQ(output.text, "a\r\n");
  console.Flush();
  EXPECT_EQ(output.writes, 1);
}

// The write that holds `text` whole, or -1 when no single write does.
int WriteHolding(const CountingOutput& output, const std::string& text) {
  for (std::size_t i = 0; i < output.parts.size(); ++i) {
    if (output.parts[i].find(text) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

// A help screen leaves in one write even when the text before it has nearly filled the buffer,
// as after thousands of progress lines; every fill level around the flush point is tried.
TEST(Console, HelpScreenLeavesInOneWrite) {
  struct Screen {
    const char* program;
    void (*show)(Console&);
  };
  for (const Screen& screen : {Screen{"fontscan", SHOWHELP}, Screen{"fontsheet", SHOWSHEETHELP}}) {
    StringOutput alone;
    {
      Console console(alone);
      screen.show(console);
    }
    const std::string help = alone.text();
    ASSERT_GT(help.size(), 1000u) << screen.program;
    for (std::size_t before = 64 * 1024 - help.size() - 2; before < 64 * 1024 + 2; before += 7) {
      CountingOutput output;
      {
        Console console(output);
        console << std::string(before, '.');
        screen.show(console);
      }
      EXPECT_EQ(output.text, std::string(before, '.') + help);
      EXPECT_NE(WriteHolding(output, help), -1) << screen.program << " after " << before;
    }
  }
}

}  // namespace
}  // namespace fontscan
