// Upper-casing under POSIX locales: the C locale, and a UTF-8 locale character by character.

#include "platform/locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace fontscan {
namespace {

// Sets a locale for one test and restores the C locale after it.
class Locale : public ::testing::Test {
 protected:
  bool Use(const char* name) { return std::setlocale(LC_ALL, name) != nullptr; }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(Locale, CLocaleUpperCasesOnlyAsciiLetters) {
  ASSERT_TRUE(Use("C"));
  EXPECT_EQ(platform::UpperCase("8x16_font.h"), "8X16_FONT.H");
  EXPECT_EQ(platform::UpperCase("-cb00ff00"), "-CB00FF00");
  EXPECT_EQ(platform::UpperCase("\xe9t\xc3\xa9{}~"), "\xe9T\xc3\xa9{}~");
  EXPECT_EQ(platform::UpperCase(""), "");
}

TEST_F(Locale, Utf8LocaleUpperCasesCharactersAndKeepsInvalidBytes) {
  if (!Use("C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale";
  const struct {
    const char* text;
    const char* upper;
  } cases[] = {
      {"8x16_\xc3\xa9t\xc3\xa9.h", "8X16_\xc3\x89T\xc3\x89.H"},  // été
      {"\xd0\xb6", "\xd0\x96"},                                  // Cyrillic zhe
      {"a\xff"
       "b",
       "A\xff"
       "B"},                               // a byte that starts nothing
      {"a\xc3", "A\xc3"},                  // a character cut short
      {"\xc3\xa9\xe9x", "\xc3\x89\xe9X"},  // Latin-1 byte after UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(platform::UpperCase(c.text), c.upper) << c.text;
}

}  // namespace
}  // namespace fontscan
