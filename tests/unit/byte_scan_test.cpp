// The byte scans, in whichever form this build has (SSE2 or the plain loops): every position of
// the byte looked for, in texts long and short enough to end inside and outside a 16-byte step.

#include "platform/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace fontscan::platform {
namespace {

struct ScanCase {
  const char* name;
  // Where the scan must stop in `text`: the first byte for which `stops` holds.
  bool (*stops)(char);
  const char* (*scan)(const char*, const char*);
  char filler;  // a byte the scan passes over
  char target;  // a byte it stops at
};

const ScanCase kCases[] = {
    {"EitherOf", [](char c) { return c == '\n' || c == '\r'; },
     [](const char* b, const char* e) { return FindEitherOf(b, e, '\n', '\r'); }, '.', '\r'},
    {"AnyOf4", [](char c) { return c == '\n' || c == '\r' || c == '/' || c == '*'; },
     [](const char* b, const char* e) { return FindAnyOf4(b, e, '\n', '\r', '/', '*'); }, '#', '*'},
    {"NoneOf4", [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; },
     [](const char* b, const char* e) { return FindNoneOf4(b, e, ' ', '\t', '\r', '\n'); }, '\t',
     '0'},
};

class ByteScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ByteScanTest, StopsAtTheFirstMatchOrTheEnd) {
  const ScanCase& c = GetParam();
  for (std::size_t length = 0; length <= 50; ++length) {
    // Nothing to find: the scan runs to the end.
    std::string text(length, c.filler);
    EXPECT_EQ(c.scan(text.data(), text.data() + length) - text.data(),
              static_cast<std::ptrdiff_t>(length));
    for (std::size_t at = 0; at < length; ++at) {
      std::string with = text;
      with[at] = c.target;
      if (at + 3 < length) with[at + 3] = c.target;  // a later match does not count
      EXPECT_EQ(c.scan(with.data(), with.data() + length) - with.data(),
                static_cast<std::ptrdiff_t>(at))
          << "length " << length << ", match at " << at;
      // A match just past the end is not looked at.
      EXPECT_EQ(c.scan(with.data(), with.data() + at) - with.data(),
                static_cast<std::ptrdiff_t>(at));
    }
  }
}

TEST_P(ByteScanTest, AgreesWithAPlainSearchOverEveryByteValue) {
  const ScanCase& c = GetParam();
  // All 256 byte values, shuffled in a fixed way, so that bytes above 127 meet the compares too.
  std::string text;
  for (int i = 0; i < 256; ++i) text.push_back(static_cast<char>((i * 167 + 13) & 0xFF));
  for (std::size_t from = 0; from < text.size(); ++from) {
    const char* begin = text.data() + from;
    const char* end = text.data() + text.size();
    EXPECT_EQ(c.scan(begin, end), std::find_if(begin, end, c.stops)) << "from " << from;
  }
}

INSTANTIATE_TEST_SUITE_P(Scans, ByteScanTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fontscan::platform
