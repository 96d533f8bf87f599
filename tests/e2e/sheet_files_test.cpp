// The files fontsheet writes: where, under which name, never over what is there without /Y,
// never half, never onto the input.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

namespace fs = std::filesystem;

// Both directions: a font drawn into a sheet, a sheet read back into a font text.
struct Direction {
  const char* input;
  const char* output;
  const char* report_name;
  bool drawing;
};
const Direction kDirections[] = {
    {"8x8_font.h", "8x8_font.png", "8X8_FONT.H", true},
    {"8x8_sheet.png", "8x8_sheet.h", "8X8_SHEET.PNG", false},
};

class SheetFiles : public SheetRun {
 protected:
  // 200 symbols: a sheet and a font text of several KiB.
  const FontModel font_ = WithoutPadding(PatternFont(8, 8, 200, 31), Layout::kColumns, true);

  void WriteInput(const Direction& direction) const {
    WriteFile(direction.input,
              direction.drawing ? FontSource(font_) : EncodePng(ExpectedSheet(font_, {})));
  }
  std::string Reading() const { return std::string(kLoaded) + Progress(1, font_.count()); }
  std::string Report(const Direction& direction, bool overwrite) const {
    SheetOptions options;
    options.overwrite = overwrite;
    return FoundSheetReport(direction.report_name, 8, 8, options);
  }
  // The output holds what the run should have written.
  void ExpectWritten(const Direction& direction) const {
    const std::optional<std::string> output = ReadFile(direction.output);
    ASSERT_TRUE(output) << direction.output;
    if (direction.drawing) {
      EXPECT_TRUE(IsSheet(*output, ExpectedSheet(font_, {})));
    } else {
      EXPECT_EQ(*output, ExpectedFontText(font_, {}, LineEnd()));
    }
  }
  // Empties the scratch directory for the next direction.
  void Clear() const {
    for (const std::string& name : Entries()) fs::remove_all(PathOf(name));
  }
  std::vector<std::string> Both(const Direction& direction) const {
    std::vector<std::string> names{direction.input, direction.output};
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SheetFiles, ExistingOutputIsKeptWithoutY) {
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    WriteFile(d.output, "what was there before");
    const ProcessResult result = RunSheet({d.input});
    EXPECT_EQ(result.out, Joined({Reading(), kOutputExists, Report(d, false)}));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(ReadFile(d.output), "what was there before");
    EXPECT_EQ(Entries(), Both(d));

    const ProcessResult replaced = RunSheet({d.input, "/Y"});
    EXPECT_EQ(replaced.out, Joined({Reading(), kWritten, Report(d, true)}));
    EXPECT_EQ(replaced.exit_code, 0);
    ExpectWritten(d);
    EXPECT_EQ(Entries(), Both(d));
    Clear();
  }
}

TEST_F(SheetFiles, NewOutputIsWrittenOnceThenKept) {
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    const ProcessResult first = RunSheet({d.input});
    EXPECT_EQ(first.out, Joined({Reading(), kWritten, Report(d, false)}));
    EXPECT_EQ(first.exit_code, 0);
    ExpectWritten(d);
    EXPECT_EQ(Entries(), Both(d));
    const ProcessResult second = RunSheet({d.input});
    EXPECT_EQ(second.out, Joined({Reading(), kOutputExists, Report(d, false)}));
    EXPECT_EQ(second.exit_code, 1);
    ExpectWritten(d);
    Clear();
  }
}

TEST_F(SheetFiles, DirectoryOfTheOutputName) {
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    MakeDirectory(d.output);
    const ProcessResult kept = RunSheet({d.input});
    EXPECT_EQ(kept.out, Joined({Reading(), kOutputExists, Report(d, false)}));
    EXPECT_EQ(kept.exit_code, 1);
    // With /Y it cannot be replaced: a write failure, and nothing left behind.
    const ProcessResult failed = RunSheet({d.input, "/Y"});
    EXPECT_EQ(failed.out, Joined({Reading(), kWriteFailed, Report(d, true)}));
    EXPECT_EQ(failed.exit_code, 1);
    EXPECT_TRUE(fs::is_directory(PathOf(d.output)));
    EXPECT_TRUE(Entries(d.output).empty());
    EXPECT_EQ(Entries(), Both(d));
    Clear();
  }
}

TEST_F(SheetFiles, SymbolicLinksOfTheOutputName) {
  if (Target().windows()) GTEST_SKIP() << "no POSIX symbolic links";
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    // A dangling link counts as existing; /Y replaces the link, not what it names.
    fs::create_symlink("nowhere", PathOf(d.output));
    const ProcessResult kept = RunSheet({d.input});
    EXPECT_EQ(kept.out, Joined({Reading(), kOutputExists, Report(d, false)}));
    EXPECT_EQ(kept.exit_code, 1);
    EXPECT_TRUE(fs::is_symlink(PathOf(d.output)));
    const ProcessResult replaced = RunSheet({d.input, "/Y"});
    EXPECT_EQ(replaced.out, Joined({Reading(), kWritten, Report(d, true)}));
    EXPECT_EQ(replaced.exit_code, 0);
    EXPECT_FALSE(fs::is_symlink(PathOf(d.output)));
    ExpectWritten(d);
    EXPECT_FALSE(fs::exists(PathOf("nowhere")));

    // A link to another file: that file is left as it was.
    fs::remove(PathOf(d.output));
    WriteFile("other", "someone else's file");
    fs::create_symlink("other", PathOf(d.output));
    const ProcessResult again = RunSheet({d.input, "/Y"});
    EXPECT_EQ(again.exit_code, 0);
    EXPECT_FALSE(fs::is_symlink(PathOf(d.output)));
    ExpectWritten(d);
    EXPECT_EQ(ReadFile("other"), "someone else's file");
    fs::remove(PathOf("other"));
    EXPECT_EQ(Entries(), Both(d));
    Clear();
  }
}

// The output name a link to the input: with /Y the link goes, the input stays as it was.
TEST_F(SheetFiles, OutputLinkedToTheInput) {
  if (Target().windows()) GTEST_SKIP() << "no POSIX symbolic links";
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    const std::string input = *ReadFile(d.input);
    fs::create_symlink(d.input, PathOf(d.output));
    const ProcessResult result = RunSheet({d.input, "/Y"});
    EXPECT_EQ(result.out, Joined({Reading(), kWritten, Report(d, true)}));
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(ReadFile(d.input), input);
    EXPECT_FALSE(fs::is_symlink(PathOf(d.output)));
    ExpectWritten(d);
    Clear();
  }
}

TEST_F(SheetFiles, InputIsNeverWritten) {
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.input);
    WriteInput(d);
    const std::string input = *ReadFile(d.input);
    const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(PathOf(d.input), old_time);
    EXPECT_EQ(RunSheet({d.input}).exit_code, 0);
    EXPECT_EQ(RunSheet({d.input, "/Y"}).exit_code, 0);
    EXPECT_EQ(RunSheet({d.input}).exit_code, 1);
    EXPECT_EQ(ReadFile(d.input), input);
    EXPECT_EQ(fs::last_write_time(PathOf(d.input)), old_time);
    Clear();
  }
}

// A file size limit stops the write before its end: the write error, the old output as it was,
// no temporary file left.
TEST_F(SheetFiles, WriteStoppedBeforeItsEnd) {
  if (Target().windows()) GTEST_SKIP() << "POSIX file size limits";
  ProcessOptions limited;
  limited.file_size_limit = 1000;
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    const ProcessResult fresh = RunSheet({d.input}, limited);
    EXPECT_EQ(fresh.out, Joined({Reading(), kWriteFailed, Report(d, false)}));
    EXPECT_EQ(fresh.exit_code, 1);
    EXPECT_EQ(Entries(), std::vector<std::string>{d.input});

    WriteFile(d.output, "the old output");
    const ProcessResult replacing = RunSheet({d.input, "/Y"}, limited);
    EXPECT_EQ(replacing.out, Joined({Reading(), kWriteFailed, Report(d, true)}));
    EXPECT_EQ(replacing.exit_code, 1);
    EXPECT_EQ(ReadFile(d.output), "the old output");
    EXPECT_EQ(Entries(), Both(d));

    // The limit is the only thing in the way.
    limited.file_size_limit = 1 << 20;
    EXPECT_EQ(RunSheet({d.input, "/Y"}, limited).exit_code, 0);
    ExpectWritten(d);
    limited.file_size_limit = 1000;
    fs::remove(PathOf(d.input));
    fs::remove(PathOf(d.output));
    Clear();
  }
}

// The new file has the permissions of a file newly created, whatever the old one had.
TEST_F(SheetFiles, NewFilePermissions) {
  if (Target().windows()) GTEST_SKIP() << "POSIX permissions";
  const mode_t mask = umask(0);
  umask(mask);
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    WriteFile(d.output, "old");
    ASSERT_EQ(chmod(PathOf(d.output).c_str(), 0600), 0);
    ASSERT_EQ(RunSheet({d.input, "/Y"}).exit_code, 0);
    struct stat info;
    ASSERT_EQ(stat(PathOf(d.output).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
    Clear();
  }
}

// Runs fontsheet as the user `nobody` when the tests run as root, so that permissions count.
ProcessResult RunUnprivileged(const std::string& directory, const std::vector<std::string>& args) {
  std::vector<std::string> command;
  if (geteuid() == 0) {
    command = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  }
  command.push_back(Target().fontsheet);
  command.insert(command.end(), args.begin(), args.end());
  ProcessOptions options;
  options.directory = directory;
  options.environment = {"LC_ALL=C"};
  return RunProcess(command, options);
}

TEST_F(SheetFiles, FolderThatCannotBeWritten) {
  if (Target().windows()) GTEST_SKIP() << "POSIX permissions";
  if (geteuid() == 0 && access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv";
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(d.output);
    WriteInput(d);
    ASSERT_EQ(chmod(PathOf(d.input).c_str(), 0644), 0);
    ASSERT_EQ(chmod(dir().c_str(), 0755), 0);  // others may read, not write
    const ProcessResult result = RunUnprivileged(dir(), {d.input});
    ASSERT_EQ(chmod(dir().c_str(), 0700), 0);
    EXPECT_FALSE(result.timed_out);
    EXPECT_EQ(result.out, Joined({Reading(), kWriteFailed, Report(d, false)}));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(Entries(), std::vector<std::string>{d.input});
    fs::remove(PathOf(d.input));
    Clear();
  }
}

TEST_F(SheetFiles, SheetThatCannotBeOpened) {
  if (Target().windows()) GTEST_SKIP() << "POSIX permissions";
  if (geteuid() == 0 && access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv";
  const Direction& d = kDirections[1];
  WriteInput(d);
  ASSERT_EQ(chmod(PathOf(d.input).c_str(), 0), 0);
  ASSERT_EQ(chmod(dir().c_str(), 0777), 0);
  const ProcessResult result = RunUnprivileged(dir(), {d.input});
  ASSERT_EQ(chmod(dir().c_str(), 0700), 0);
  EXPECT_EQ(result.out, Joined({kLoadFailed, Report(d, false)}));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{d.input});
}

// The file is written at the argument as typed, its extension replaced; the report shows the
// upper-cased names.
TEST_F(SheetRun, OutputPathAsTyped) {
  struct Case {
    std::string folder;  // made first, when not empty
    std::string typed;
    std::string written;
    std::string report_in, report_out;
  };
  const Case cases[] = {
      {"fonts", "fonts/8x8_font.h", "fonts/8x8_font.png", "FONTS/8X8_FONT.H", "FONTS/8X8_FONT.PNG"},
      {"", "8X8_A.PNG", "8X8_A.h", "8X8_A.PNG", "8X8_A.H"},
      {"", "8x8_Mixed.Png", "8x8_Mixed.h", "8X8_MIXED.PNG", "8X8_MIXED.H"},
      {"", "8x8_small", "8x8_small.png", "8X8_SMALL", "8X8_SMALL.PNG"},
      {"", "8x8_two.dots.txt", "8x8_two.dots.png", "8X8_TWO.DOTS.TXT", "8X8_TWO.DOTS.PNG"},
      {"dir.x", "dir.x/8x8_f", "dir.x/8x8_f.png", "DIR.X/8X8_F", "DIR.X/8X8_F.PNG"},
      {"sheets", "./sheets/8x8_s.png", "sheets/8x8_s.h", "./SHEETS/8X8_S.PNG", "./SHEETS/8X8_S.H"},
  };
  const FontModel font = PatternFont(8, 8, 2, 32);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    if (!c.folder.empty()) MakeDirectory(c.folder);
    const bool sheet =
        c.report_in.size() > 4 && c.report_in.substr(c.report_in.size() - 4) == ".PNG";
    WriteFile(c.typed, sheet ? EncodePng(ExpectedSheet(font, {})) : FontSource(font));
    const ProcessResult result = RunSheet({c.typed});
    EXPECT_EQ(result.out, Joined({ReadingLines(2), kWritten,
                                  SheetReport(true, c.report_in, c.report_out, {8, 8, 8, 8})}));
    EXPECT_EQ(result.exit_code, 0);
    std::vector<std::string> expected{fs::path(c.typed).filename().string(),
                                      fs::path(c.written).filename().string()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(c.folder), expected);
    const std::optional<std::string> output = ReadFile(c.written);
    ASSERT_TRUE(output);
    if (sheet) {
      EXPECT_EQ(*output, ExpectedFontText(font, {}, LineEnd()));
    } else {
      EXPECT_TRUE(IsSheet(*output, ExpectedSheet(font, {})));
    }
    for (const std::string& name : Entries()) fs::remove_all(PathOf(name));
  }
}

}  // namespace
}  // namespace fontscan::testing
