// Output files on the Win32 file system (run under Wine on the build machine).

#include "platform/output_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <new>
#include <string>

namespace fontscan::platform {
namespace {

using Entries = std::map<std::string, std::string>;

std::string Read(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes;
  char buffer[65536];
  DWORD count = 0;
  while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    bytes.append(buffer, count);
  }
  CloseHandle(file);
  return bytes;
}

void Put(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  CloseHandle(file);
}

// Calls `visit(relative name, is directory)` for everything below `dir`, parents first.
template <typename Visit>
void Walk(const std::string& dir, const std::string& prefix, const Visit& visit) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const bool is_dir = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    visit(prefix + name, is_dir);
    if (is_dir) Walk(dir + "\\" + name, prefix + name + "\\", visit);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

class OutputFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    char name[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(temp, "fo", 0, name), 0u);
    ASSERT_TRUE(DeleteFileA(name));
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
    dir_ = name;
  }
  void TearDown() override {
    std::map<std::string, bool, std::greater<std::string>> all;  // children before parents
    Walk(dir_, "", [&](const std::string& name, bool is_dir) { all[name] = is_dir; });
    for (const auto& [name, is_dir] : all) {
      const std::string path = Path(name);
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (is_dir) {
        RemoveDirectoryA(path.c_str());
      } else {
        DeleteFileA(path.c_str());
      }
    }
    RemoveDirectoryA(dir_.c_str());
  }

  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

  // Everything below the scratch folder: "file:<bytes>" or "dir".
  Entries Snapshot() const {
    Entries entries;
    Walk(dir_, "", [&](const std::string& name, bool is_dir) {
      entries[name] = is_dir ? "dir" : "file:" + Read(Path(name));
    });
    return entries;
  }

  NativeOutputFiles files_;
  std::string dir_;
};

TEST_F(OutputFiles, WritesANewFileWithTheExactBytes) {
  ASSERT_TRUE(CreateDirectoryA(Path("sub").c_str(), nullptr));
  std::string big(3 * 1024 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 + i / 4099);
  const struct {
    std::string path, name, bytes;
    bool replace;
  } cases[] = {
      {Path("empty.png"), "empty.png", "", false},
      {Path("sub\\one.h"), "sub\\one.h", "x", true},
      {dir_ + "/sub/slash.h", "sub\\slash.h", "forward", false},
      {dir_ + "\\sub/mixed.h", "sub\\mixed.h", "mixed", false},
      {Path("big.png"), "big.png", big, true},
      {Path(std::string(200, 'n')), std::string(200, 'n'), "long name", false},
  };
  Entries expected = {{"sub", "dir"}};
  for (const auto& c : cases) {
    EXPECT_EQ(files_.WriteNewFile(c.path, c.bytes, c.replace), WriteResult::kWritten) << c.path;
    expected[c.name] = "file:" + c.bytes;
  }
  EXPECT_EQ(Snapshot(), expected);  // nothing else: no temporary file
}

// A file made piece by piece lands whole; a maker that gives up or throws leaves the old file and
// no temporary one, and its exception goes on.
TEST_F(OutputFiles, StreamedFileLandsWholeOrNotAtAll) {
  Put(Path("old.png"), "old");
  const FileMaker three_pieces = [](ByteSink& sink) {
    return sink.Write("one ") && sink.Write(std::string(70000, 't')) && sink.Write(" three");
  };
  EXPECT_EQ(files_.StreamNewFile(Path("new.png"), three_pieces, false), WriteResult::kWritten);
  EXPECT_EQ(files_.StreamNewFile(Path("old.png"), three_pieces, false), WriteResult::kExists);
  const Entries written = Snapshot();
  EXPECT_EQ(written.at("new.png"), "file:one " + std::string(70000, 't') + " three");
  EXPECT_EQ(written.at("old.png"), "file:old");

  const FileMaker gives_up = [](ByteSink& sink) { return sink.Write("half") && false; };
  const FileMaker throws = [](ByteSink& sink) -> bool {
    sink.Write("half");
    throw std::bad_alloc();
  };
  for (bool replace : {false, true}) {
    EXPECT_EQ(files_.StreamNewFile(Path("old.png"), gives_up, replace), WriteResult::kFailed);
    EXPECT_THROW(files_.StreamNewFile(Path("old.png"), throws, replace), std::bad_alloc);
    EXPECT_EQ(Snapshot(), written) << "replace=" << replace;
  }
}

TEST_F(OutputFiles, EntryExistsForFilesAndDirectories) {
  Put(Path("file"), "old");
  ASSERT_TRUE(CreateDirectoryA(Path("dir").c_str(), nullptr));
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {Path("file"), true},     {Path("FILE"), true},     {dir_ + "/file", true},
      {Path("dir"), true},      {Path("missing"), false}, {Path("missing\\x"), false},
      {Path("file\\x"), false}, {std::string(), false},
  };
  for (const auto& c : cases) EXPECT_EQ(files_.EntryExists(c.path), c.exists) << c.path;
}

TEST_F(OutputFiles, ExistingEntryIsLeftAloneOrReplacedAsAsked) {
  Put(Path("file"), "old file");
  // Whether a read-only file may be replaced is the system's call (Windows refuses, Wine does
  // not), so only the case without replacing is checked for it.
  Put(Path("locked"), "read-only");
  ASSERT_TRUE(SetFileAttributesA(Path("locked").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(CreateDirectoryA(Path("dir").c_str(), nullptr));
  Put(Path("dir\\inner"), "inner");
  const struct {
    const char* name;
    bool replace;
    WriteResult result;
  } cases[] = {
      {"file", false, WriteResult::kExists},   {"dir", false, WriteResult::kExists},
      {"locked", false, WriteResult::kExists}, {"dir", true, WriteResult::kFailed},
      {"file", true, WriteResult::kWritten},
  };
  for (const auto& c : cases) {
    Entries expected = Snapshot();
    if (c.result == WriteResult::kWritten) expected[c.name] = "file:new bytes";
    EXPECT_EQ(files_.WriteNewFile(Path(c.name), "new bytes", c.replace), c.result)
        << c.name << " replace=" << c.replace;
    EXPECT_EQ(Snapshot(), expected) << c.name << " replace=" << c.replace;
  }
}

TEST_F(OutputFiles, FileHeldOpenByAnotherProgramIsNotReplaced) {
  Put(Path("shown.png"), "old");
  HANDLE viewer = CreateFileA(Path("shown.png").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
  const Entries before = Snapshot();
  EXPECT_EQ(files_.WriteNewFile(Path("shown.png"), "new", true), WriteResult::kFailed);
  EXPECT_EQ(Snapshot(), before);
  CloseHandle(viewer);
}

TEST_F(OutputFiles, BareNamesAndRelativePathsLandInTheirFolder) {
  ASSERT_TRUE(CreateDirectoryA(Path("sub").c_str(), nullptr));
  char saved[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, saved), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
  for (const char* name : {"bare.png", "sub\\rel.png", ".\\dot.h", "sub\\..\\up.h"}) {
    EXPECT_EQ(files_.WriteNewFile(name, name, false), WriteResult::kWritten) << name;
  }
  ASSERT_TRUE(SetCurrentDirectoryA(saved));
  const Entries expected = {{"sub", "dir"},
                            {"bare.png", "file:bare.png"},
                            {"sub\\rel.png", "file:sub\\rel.png"},
                            {"dot.h", "file:.\\dot.h"},
                            {"up.h", "file:sub\\..\\up.h"}};
  EXPECT_EQ(Snapshot(), expected);
}

TEST_F(OutputFiles, PathThatCannotBeCreatedFails) {
  Put(Path("file"), "old");
  const Entries before = Snapshot();
  for (const std::string& path : {Path("missing\\out.png"), Path("file\\out.png"), std::string()}) {
    for (bool replace : {false, true}) {
      EXPECT_EQ(files_.WriteNewFile(path, "bytes", replace), WriteResult::kFailed) << path;
    }
  }
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace fontscan::platform
