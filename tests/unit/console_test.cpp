#include "app/console.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace fontscan {
namespace {

// Counts the writes that reach the output.
class CountingOutput final : public ConsoleOutput {
 public:
  void Write(std::string_view part) override {
    ++writes;
    text.append(part);
  }
  int writes = 0;
  std::string text;
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

}  // namespace
}  // namespace fontscan
