// Whole runs of fontscan.exe that only mean something on Windows: share modes held by another
// program, backslash paths and the user locale's collation.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/e2e_fixture.h"

namespace fontscan::testing {
namespace {

constexpr std::string_view kFont8x8 =
    "// one glyph\n"
    "const unsigned char font[][8] = {\n"
    "  {0,1,2,3,4,5,6,7}\n"
    "};\n";

constexpr std::string_view kOneSymbolRead =
    "\nReading input file finished.\nReading symbol #1 finished.\n";

// Another Windows program (fontscan_hold_file.exe, built next to fontscan.exe) that keeps a
// file open with the given access until it is destroyed.
class HeldFile {
 public:
  HeldFile(const std::string& access, const std::string& directory, const std::string& name) {
    const std::string helper =
        (std::filesystem::absolute(Target().fontscan).parent_path() / "fontscan_hold_file.exe")
            .string();
    if (!std::filesystem::exists(helper)) {
      status_ = "missing " + helper;
      return;
    }
    int to_child[2];
    int from_child[2];
    if (pipe2(to_child, O_CLOEXEC) != 0) return;
    if (pipe2(from_child, O_CLOEXEC) != 0) {
      close(to_child[0]);
      close(to_child[1]);
      return;
    }
    pid_ = fork();
    if (pid_ == 0) {
      dup2(to_child[0], STDIN_FILENO);
      dup2(from_child[1], STDOUT_FILENO);
      if (chdir(directory.c_str()) != 0) _exit(126);
      execlp(Target().emulator.c_str(), Target().emulator.c_str(), helper.c_str(), access.c_str(),
             name.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    input_ = to_child[1];
    // The first line tells whether the file is held: "held", or "failed" with an error code.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    char c;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd waiting{from_child[0], POLLIN, 0};
      if (poll(&waiting, 1, 200) <= 0) continue;
      if (read(from_child[0], &c, 1) != 1 || c == '\n') break;
      status_.push_back(c);
    }
    close(from_child[0]);
  }

  ~HeldFile() {
    if (input_ >= 0) close(input_);  // end of input: the helper closes the file and exits
    if (pid_ <= 0) return;
    for (int i = 0; i < 2000; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      usleep(5000);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }

  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  const std::string& status() const { return status_; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  std::string status_;
};

class Windows : public EndToEnd {
 protected:
  void SetUp() override {
    if (!Target().windows()) GTEST_SKIP() << "Windows build only";
    EndToEnd::SetUp();
  }
};

// fontscan opens its input for reading and denies writing to others: it cannot share the file
// with a program that may write it, but it can with one that only reads.
TEST_F(Windows, FontHeldOpenByAnotherProgram) {
  const struct {
    const char* access;
    std::string expected;
  } cases[] = {
      {"write", Crlf("\nERROR: Error while loading input file!\n" +
                     Report(true, "8X8_FONT.H", "8X8_FONT.PNG", {8, 8, 8, 8}))},
      {"read", Crlf(std::string(kOneSymbolRead) +
                    Report(true, "8X8_FONT.H", "8X8_FONT.PNG", {8, 8, 8, 8}))},
  };
  WriteFile("8x8_font.h", kFont8x8);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.access);
    HeldFile held(c.access, dir(), "8x8_font.h");
    ASSERT_EQ(held.status(), "held");
    EXPECT_EQ(Run({"8x8_font.h"}).out, c.expected);
  }
  // Once the other program has let go, the file reads normally again.
  EXPECT_EQ(
      Run({"8x8_font.h"}).out,
      Crlf(std::string(kOneSymbolRead) + Report(true, "8X8_FONT.H", "8X8_FONT.PNG", {8, 8, 8, 8})));
}

// A dot in a directory name is no extension: the output name keeps the whole path.
TEST_F(Windows, BackslashPathsThroughDottedDirectories) {
  MakeDirectory("dir.x");
  WriteFile("dir.x/8x8_f", kFont8x8);
  WriteFile("dir.x/8x8_g.fnt", kFont8x8);
  const struct {
    const char* argument;
    const char* in;
    const char* out;
  } cases[] = {
      {"dir.x\\8x8_f", "DIR.X\\8X8_F", "DIR.X\\8X8_F.PNG"},
      {".\\dir.x\\8x8_f", ".\\DIR.X\\8X8_F", ".\\DIR.X\\8X8_F.PNG"},
      {"dir.x\\8x8_g.fnt", "DIR.X\\8X8_G.FNT", "DIR.X\\8X8_G.PNG"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run({c.argument}).out,
              Crlf(std::string(kOneSymbolRead) + Report(true, c.in, c.out, {8, 8, 8, 8})))
        << c.argument;
  }
}

// Of two font files the one first in the user locale's order is read. That order is not the
// byte order: hyphens and apostrophes are passed over, and '_' comes before the letters.
TEST_F(Windows, FirstFontFileInTheLocaleOrderIsRead) {
  const struct {
    const char* first;
    const char* second;
    const char* read;
  } cases[] = {
      {"8x8_aa.h", "8x8_a_z.h", "8X8_A_Z.H"},
      {"8x8_a-c.h", "8x8_ab.h", "8X8_AB.H"},
      {"8x8_'c.h", "8x8_b.h", "8X8_B.H"},
      {"8x8_ba.h", "8x8_a-c.h", "8X8_A-C.H"},
  };
  for (const auto& c : cases) {
    WriteFile(c.first, kFont8x8);
    WriteFile(c.second, kFont8x8);
    std::string out_name = c.read;
    out_name.replace(out_name.size() - 2, 2, ".PNG");
    const std::string expected =
        Crlf(std::string(kOneSymbolRead) + Report(true, c.read, out_name, {8, 8, 8, 8}));
    EXPECT_EQ(Run({c.first, c.second}).out, expected) << c.first << " " << c.second;
    EXPECT_EQ(Run({c.second, c.first}).out, expected) << c.second << " " << c.first;
  }
}

}  // namespace
}  // namespace fontscan::testing
