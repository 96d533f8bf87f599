// Whole runs on inputs meant to break the program: odd file types, unreadable and malformed
// files, files at and past the size limits, unusual arguments and an output that goes away.
// Each must end in the usual messages, with exit status 0, without a crash or a hang.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/e2e_fixture.h"

namespace fontscan::testing {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// One 8x8 symbol, padded well past the minimum size by its comment.
constexpr std::string_view kFont8x8 =
    "// one glyph, eight rows of eight pixels\n"
    "const unsigned char font[][8] = {\n"
    "  {0x18,0x3c,0x66,0x66,0x7e,0x66,0x66,0x00}\n"
    "};\n";

constexpr Dimensions k8x8{8, 8, 8, 8};
constexpr Dimensions k1x8{1, 8, 8, 1};

class Hostile : public EndToEnd {};

// --- Files that are not regular files -----------------------------------------------------

TEST_F(Hostile, DirectoryNamedLikeAFontIsPassedOverForTheNextFile) {
  MakeDirectory("8x8_a.h");
  WriteFile("8x8_b.h", kFont8x8);
  EXPECT_EQ(Run({"8x8_b.h", "8x8_a.h"}).out,
            Joined({kLoaded, Progress(1, 1), FoundReport("8X8_B.H", k8x8)}));
}

// A FIFO without a writer would block an ordinary open and read; its size of 0 decides instead.
TEST_F(Hostile, FifoNamedLikeAFontGivesTheSizeMessageWithoutHanging) {
  if (Target().windows()) GTEST_SKIP() << "no FIFOs";
  ASSERT_EQ(mkfifo(PathOf("8x8_fifo.h").c_str(), 0644), 0);
  ProcessOptions options;
  options.timeout_seconds = 10;
  EXPECT_EQ(Run({"8x8_fifo.h"}, {}, options).out,
            Joined({kWrongSize, FoundReport("8X8_FIFO.H", k8x8)}));
}

TEST_F(Hostile, DeviceNamedLikeAFontGivesTheSizeMessage) {
  if (Target().windows()) GTEST_SKIP() << "no POSIX devices or symbolic links";
  for (const char* device : {"/dev/zero", "/dev/null", "/dev/urandom"}) {
    SCOPED_TRACE(device);
    std::filesystem::remove(PathOf("8x8_d.h"));
    std::filesystem::create_symlink(device, PathOf("8x8_d.h"));
    ProcessOptions options;
    options.timeout_seconds = 10;
    EXPECT_EQ(Run({"8x8_d.h"}, {}, options).out,
              Joined({kWrongSize, FoundReport("8X8_D.H", k8x8)}));
  }
}

TEST_F(Hostile, DanglingSymbolicLinkIsNoFile) {
  if (Target().windows()) GTEST_SKIP() << "no POSIX symbolic links";
  std::filesystem::create_symlink("nowhere.h", PathOf("8x8_link.h"));
  EXPECT_EQ(Run({"8x8_link.h"}).out, Joined({kNotFound, kHelpScreen, DefaultReport()}));
}

// The file exists, so it is recognised, but opening it fails: the loading error, no help.
// Root reads everything, so as root the run is made as the unprivileged user `nobody`.
TEST_F(Hostile, FileWithoutReadPermissionGivesTheLoadingError) {
  if (Target().windows()) GTEST_SKIP() << "POSIX permissions";
  WriteFile("8x8_locked.h", kFont8x8);
  ASSERT_EQ(chmod(PathOf("8x8_locked.h").c_str(), 0), 0);
  const std::string expected = Joined({kLoadFailed, FoundReport("8X8_LOCKED.H", k8x8)});
  if (geteuid() != 0) {
    EXPECT_EQ(Run({"8x8_locked.h"}).out, expected);
    return;
  }
  const std::string setpriv = "/usr/bin/setpriv";
  if (access(setpriv.c_str(), X_OK) != 0) GTEST_SKIP() << "running as root without setpriv";
  ASSERT_EQ(chmod(dir().c_str(), 0711), 0);  // `nobody` may look the file up, not list or read
  ProcessOptions options;
  options.directory = dir();
  options.environment = {"LC_ALL=C"};
  const ProcessResult result = RunProcess({setpriv, "--reuid=65534", "--regid=65534",
                                           "--clear-groups", Target().fontscan, "8x8_locked.h"},
                                          options);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, expected);
}

// --- Malformed contents ---------------------------------------------------------------------

// Bytes that are neither line breaks nor anything the filter or parser acts on.
std::string InertJunk(std::size_t size) {
  std::string junk;
  std::uint32_t seed = 12345;
  while (junk.size() < size) {
    seed = seed * 1103515245u + 12345u;
    const auto byte = static_cast<unsigned char>(seed >> 16);
    const bool inert = byte >= 0x80 || (byte < 0x20 && byte != '\r' && byte != '\n');
    if (inert) junk.push_back(static_cast<char>(byte));
  }
  return junk;
}

TEST_F(Hostile, BinaryJunkIsWalkedToTheFirstCharacterThatMatters) {
  WriteFile("8x8_junk.h", InertJunk(4000) + "}" + InertJunk(1000));
  EXPECT_EQ(Run({"8x8_junk.h"}).out,
            Joined({kLoaded,
                    ParseError(4001,
                               "Found symbol } in wrong place. Current symbol #0, "
                               "current byte #0."),
                    kHelpScreen, FoundReport("8X8_JUNK.H", k8x8)}));
}

TEST_F(Hostile, RandomBytesEndInTheReport) {
  std::string junk;
  std::uint32_t seed = 99;
  for (std::size_t i = 0; i < 256 * 1024; ++i) {
    seed = seed * 1103515245u + 12345u;
    junk.push_back(static_cast<char>(seed >> 16));
  }
  WriteFile("8x8_random.h", junk);
  const std::string out = Run({"8x8_random.h"}).out;
  const std::string report = Crlf(FoundReport("8X8_RANDOM.H", k8x8));
  EXPECT_EQ(out.rfind(Crlf(kLoaded), 0), 0u) << out;
  ASSERT_GE(out.size(), report.size());
  EXPECT_EQ(out.substr(out.size() - report.size()), report);
}

TEST_F(Hostile, NulBytesAreOrdinaryCharacters) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    std::string text;
    std::string expected;  // between the loading line and the report
  } cases[] = {
      {"1x8_zeros.h", std::string(kMiB, '\0'), ""},
      // Each NUL ends a number like a space would.
      {"1x8_split.h",
       "{\0{\0"s
       "0x41\0}\0,\0{\0"s
       "7\0}\0}"s +
           std::string(60, '\0'),
       Progress(1, 2)},
      // A NUL between 0 and x keeps them from forming the prefix.
      {"1x8_prefix.h", "{{0\0x1}}"s + std::string(60, '\0'),
       ParseError(5, "Letter x found in wrong place. Symbol #1. Byte #0. Content: '0'.") +
           kHelpScreen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(c.name, c.text);
    std::string upper = c.name;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(Run({c.name}).out, Joined({kLoaded, c.expected, FoundReport(upper, k1x8)}));
  }
}

TEST_F(Hostile, MebibyteOfOneCharacter) {
  const struct {
    char fill;
    std::string expected;  // between the loading line and the report
  } cases[] = {
      {'{', ParseError(3, "Found symbol { in wrong place, current symbol #1, current byte #0.") +
                kHelpScreen},
      {',', ""},
      {'}', ParseError(1, "Found symbol } in wrong place. Current symbol #0, current byte #0.") +
                kHelpScreen},
      {'/', ""},  // one line comment from the second byte on
      {'#', ""},
      {'0', ""},  // outside the array digits mean nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(1, c.fill));
    WriteFile("8x8_fill.h", std::string(kMiB, c.fill));
    EXPECT_EQ(Run({"8x8_fill.h"}).out,
              Joined({kLoaded, c.expected, FoundReport("8X8_FILL.H", k8x8)}));
  }
}

// The comment swallows the rest of the file, the array's end included: no message for that.
TEST_F(Hostile, BlockCommentNeverClosed) {
  WriteFile("1x8_open.h", "{{1},{2},/* never closed }}} " + std::string(100000, '*'));
  EXPECT_EQ(Run({"1x8_open.h"}).out,
            Joined({kLoaded, Progress(1, 2), FoundReport("1X8_OPEN.H", k1x8)}));
}

// The one symbol stands at the very end, so the last byte of the file is walked too.
TEST_F(Hostile, FileSizesAtTheLimits) {
  const struct {
    std::size_t size;
    std::string expected;
  } cases[] = {
      {49, std::string(kWrongSize)},
      {50, std::string(kLoaded) + Progress(1, 1)},
      {kMiB, std::string(kLoaded) + Progress(1, 1)},
      {kMiB + 1, std::string(kWrongSize)},
      {0, std::string(kWrongSize)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    WriteFile("1x8_size.h",
              c.size < 5 ? std::string(c.size, ' ') : std::string(c.size - 5, ' ') + "{{5}}");
    EXPECT_EQ(Run({"1x8_size.h"}).out, Joined({c.expected, FoundReport("1X8_SIZE.H", k1x8)}));
  }
}

// --- Unusual arguments ----------------------------------------------------------------------

TEST_F(Hostile, HundredThousandCharacterArgument) {
  if (Target().windows()) GTEST_SKIP() << "past the Windows command-line limit";
  const std::string long_name = "8x8_" + std::string(100000 - 6, 'a') + ".h";
  ASSERT_EQ(long_name.size(), 100000u);
  const std::string long_option = "/cb" + std::string(100000 - 3, '1');
  EXPECT_EQ(Run({long_name}).out, Joined({kNotFound, kHelpScreen, DefaultReport()}));
  WriteFile("8x8_ok.h", kFont8x8);
  EXPECT_EQ(Run({long_option, "8x8_ok.h", long_name}).out,
            Joined({kLoaded, Progress(1, 1), FoundReport("8X8_OK.H", k8x8)}));
}

TEST_F(Hostile, ArgumentsPastTheTenthAreIgnored) {
  WriteFile("8x8_ok.h", kFont8x8);
  std::vector<std::string> arguments(9, "/x");
  arguments.push_back("8x8_ok.h");
  for (int i = 0; i < 2000; ++i) arguments.push_back(i % 2 ? "-v" : "/bw");
  EXPECT_EQ(Run(arguments).out, Joined({kLoaded, Progress(1, 1), FoundReport("8X8_OK.H", k8x8)}));
  // The same options among the first ten do count.
  std::vector<std::string> first_ten(arguments.begin() + 9, arguments.begin() + 19);
  const std::string out = Run(first_ten).out;
  EXPECT_NE(out.find(Crlf("VerticalOutput = True\n")), std::string::npos) << out;
  EXPECT_NE(out.find(Crlf("clDM = R:102 G:102 B:102\n")), std::string::npos) << out;
}

TEST_F(Hostile, EmptyArguments) {
  WriteFile("8x8_ok.h", kFont8x8);
  EXPECT_EQ(Run({"", "8x8_ok.h", ""}).out,
            Joined({kLoaded, Progress(1, 1), FoundReport("8X8_OK.H", k8x8)}));
  // An empty argument is a parameter: no help for lack of parameters, but no file either.
  EXPECT_EQ(Run({""}).out, Joined({kNotFound, kHelpScreen, DefaultReport()}));
  EXPECT_EQ(Run(std::vector<std::string>(12, "")).out,
            Joined({kNotFound, kHelpScreen, DefaultReport()}));
}

TEST_F(Hostile, NonAsciiArguments) {
  if (Target().windows()) GTEST_SKIP() << "POSIX locales";
  const struct {
    const char* locale;
    std::string typed;     // the font file's name as typed and on disk
    std::string reported;  // as the report shows it
    std::string other;     // an argument that matches no option
  } cases[] = {
      // UTF-8 upper-cased as characters under a UTF-8 locale, kept byte for byte under C.
      {"LC_ALL=C.UTF-8", "8x8_\xc3\xa9.h", "8X8_\xc3\x89.H", "/cb\xc3\xa9\xc3\xa9\xc3\xa9"},
      {"LC_ALL=C", "8x8_\xc3\xa9.h", "8X8_\xc3\xa9.H", "/cb\xc3\xa9\xc3\xa9\xc3\xa9"},
      // Latin-1 bytes are no valid UTF-8: kept under either locale.
      {"LC_ALL=C.UTF-8", "8x8_\xe9t\xe9.h", "8X8_\xe9T\xe9.H", "/CB\xe9\xe9\xe9\xe9\xe9\xe9"},
      {"LC_ALL=C", "8x8_\xe9t\xe9.h", "8X8_\xe9T\xe9.H", "-\xff\xfe\xfd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.typed);
    WriteFile(c.typed, kFont8x8);
    EXPECT_EQ(Run({c.other, c.typed}, {c.locale}).out,
              Joined({kLoaded, Progress(1, 1), FoundReport(c.reported, k8x8)}));
    std::filesystem::remove(PathOf(c.typed));
  }
}

// --- Output that cannot be written ----------------------------------------------------------

// Run() itself checks for exit status 0 within the time limit.
TEST_F(Hostile, ClosedOrBrokenStandardOutputStillExitsZero) {
  if (Target().windows()) GTEST_SKIP() << "POSIX descriptors and pipes";
  std::string text = "{";
  for (int n = 0; n < 4100; ++n) text += "{1},";
  WriteFile("1x8_many.h", text + "}");
  for (bool closed : {true, false}) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"1x8_many.h", "/?"}}) {
      SCOPED_TRACE(closed ? "closed" : "broken pipe");
      ProcessOptions options;
      options.close_stdout = closed;
      options.stdout_reader_goes_away = !closed;
      const ProcessResult result = Run(arguments, {}, options);
      EXPECT_TRUE(result.out.empty());
    }
  }
}

}  // namespace
}  // namespace fontscan::testing
