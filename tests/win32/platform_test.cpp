// The Win32 platform layer against the real system calls (run under Wine on the build machine).

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/locale.h"

namespace fontscan::platform {
namespace {

TEST(Win32UpperCase, ConvertsEveryCharacterOfTheText) {
  const struct {
    std::string text, upper;
  } cases[] = {
      {"8x16_font.h", "8X16_FONT.H"},
      {"/cg10aabbcc", "/CG10AABBCC"},
      {"", ""},
      {"ALREADY 123_/\\:.", "ALREADY 123_/\\:."},
      {std::string("a\0b", 3), std::string("A\0B", 3)},
      {"dir.x\\5x7_small", "DIR.X\\5X7_SMALL"},
  };
  for (const auto& c : cases) EXPECT_EQ(UpperCase(c.text), c.upper) << c.text;
}

TEST(Win32UpperCase, UsesTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
  EXPECT_EQ(UpperCase("8x8_\xe9t\xe9.h"), "8X8_\xc9T\xc9.H");
}

TEST(Win32Compare, OrdersCaseInsensitivelyWithPunctuationAndDigitsFirst) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"/BW", "/CB000000", -1},
      {"/BW", "/CG10123456", -1},
      {"/cb", "/CB", 0},
      {"ABC", "abd", -1},
      {"b", "A", 1},
      {"1", "A", -1},
      {"/V", "8X8_A.H", -1},
      {"", "A", -1},
      {"8X8_A.H", "8X8_A.H", 0},
      {"8X8_B.H", "8X8_A.H", 1},
      {"8X8_A-C.H", "8X8_AB.H", 1},  // word sort: '-' is passed over
  };
  auto sign = [](int value) { return (value > 0) - (value < 0); };
  for (const auto& c : cases) {
    EXPECT_EQ(sign(CompareIgnoringCase(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(sign(CompareIgnoringCase(c.b, c.a)), -c.sign) << c.b << " vs " << c.a;
  }
}

class Win32Files : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    char name[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(temp, "fs", 0, name), 0u);
    ASSERT_TRUE(DeleteFileA(name));
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
    dir_ = name;
  }
  void TearDown() override {
    for (const std::string& path : created_) DeleteFileA(path.c_str());
    RemoveDirectoryA((dir_ + "\\sub").c_str());
    RemoveDirectoryA(dir_.c_str());
  }

  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = dir_ + "\\" + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!content.empty()) {
      EXPECT_TRUE(
          WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    }
    CloseHandle(file);
    created_.push_back(path);
    return path;
  }

  // A second opener, as another program would be: null handle when the system refuses.
  static HANDLE OpenOther(const std::string& path, DWORD access, DWORD share) {
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
  }

  std::string dir_;
  std::vector<std::string> created_;
  NativeFileSystem files_;
};

TEST_F(Win32Files, ExistingFileIsARegularFileOnly) {
  const std::string file = Write("8x8_a.h", "x");
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\sub").c_str(), nullptr));
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {file, true},
      {dir_ + "\\8X8_A.H", true},  // names are case-insensitive
      {dir_ + "/8x8_a.h", true},
      {dir_ + "\\sub", false},
      {dir_, false},
      {dir_ + "\\missing.h", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(files_.IsExistingFile(c.path), c.exists) << c.path;
}

TEST_F(Win32Files, ReadsSizeAndContentThenEndOfFile) {
  std::string content(100, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>('A' + i % 26);
  const std::string path = Write("8x8_a.h", content);
  std::unique_ptr<ReadableFile> file = files_.OpenForReading(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Size(), 100);
  char buffer[64];
  ASSERT_EQ(file->Read(buffer, sizeof buffer), 64);
  EXPECT_EQ(std::string(buffer, 64), content.substr(0, 64));
  ASSERT_EQ(file->Read(buffer, sizeof buffer), 36);
  EXPECT_EQ(std::string(buffer, 36), content.substr(64));
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 0);
  file->Close();
  file->Close();
}

TEST_F(Win32Files, EmptyAndMissingFiles) {
  std::unique_ptr<ReadableFile> empty = files_.OpenForReading(Write("8x8_e.h", ""));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->Size(), 0);
  char byte;
  EXPECT_EQ(empty->Read(&byte, 1), 0);
  EXPECT_EQ(files_.OpenForReading(dir_ + "\\missing.h"), nullptr);
}

TEST_F(Win32Files, OthersMayReadButNotWriteWhileOpen) {
  const std::string path = Write("8x8_a.h", std::string(60, 'x'));
  std::unique_ptr<ReadableFile> file = files_.OpenForReading(path);
  ASSERT_NE(file, nullptr);

  HANDLE writer = OpenOther(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  HANDLE reader = OpenOther(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);

  // Close() gives the file back; so does the destructor of a file never closed.
  file->Close();
  writer = OpenOther(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  file = files_.OpenForReading(path);
  ASSERT_NE(file, nullptr);
  file.reset();
  writer = OpenOther(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}

TEST_F(Win32Files, CannotOpenWhileAnotherHandleMayWrite) {
  const std::string path = Write("8x8_a.h", std::string(60, 'x'));
  const struct {
    DWORD access, share;
    bool opens;
  } cases[] = {
      {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
      {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
      {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {GENERIC_READ, FILE_SHARE_READ, true},
      {GENERIC_READ, 0, false},
  };
  for (const auto& c : cases) {
    HANDLE other = OpenOther(path, c.access, c.share);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files_.OpenForReading(path) != nullptr, c.opens)
        << "access " << std::hex << c.access << " share " << c.share;
    CloseHandle(other);
  }
}

}  // namespace
}  // namespace fontscan::platform
