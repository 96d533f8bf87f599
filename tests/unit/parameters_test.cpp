#include "app/parameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/locale.h"

namespace fontscan {
namespace {

std::vector<std::string> Texts(const RunState& state) {
  std::vector<std::string> texts;
  for (const Parameter& parameter : state.INPARAMS) texts.push_back(parameter.text);
  return texts;
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return result;
}

TEST(CollectParameters, NormalisesAndKeepsWhatWasTyped) {
  RunState state;
  CollectParameters(state, {"-v", "--nd", "8x8_a.h", "", "-", "a-b", "/bw"}, AsciiUpper);
  EXPECT_EQ(state.INPARCOUNT, 7);
  EXPECT_EQ(Texts(state),
            (std::vector<std::string>{"/V", "/-ND", "8X8_A.H", "", "/", "A-B", "/BW"}));
  EXPECT_EQ(state.INPARAMS[0].typed, "-v");
  EXPECT_EQ(state.INPARAMS[2].typed, "8x8_a.h");
  EXPECT_EQ(state.INPARAMS[3].typed, "");
}

TEST(CollectParameters, TakesAtMostTenArguments) {
  const struct {
    std::size_t given;
    std::int32_t kept;
  } cases[] = {{0, 0}, {1, 1}, {10, 10}, {11, 10}, {50, 10}};
  for (const auto& c : cases) {
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < c.given; ++i) arguments.push_back("a" + std::to_string(i));
    RunState state;
    CollectParameters(state, arguments, AsciiUpper);
    EXPECT_EQ(state.INPARCOUNT, c.kept) << c.given;
    ASSERT_EQ(state.INPARAMS.size(), static_cast<std::size_t>(c.kept));
    if (c.kept > 0) {
      EXPECT_EQ(state.INPARAMS.back().text, "A" + std::to_string(c.kept - 1));
    }
  }
}

// Orders by the first character only, so entries that share it compare equal.
int ByFirstCharacter(const std::string& a, const std::string& b) {
  char x = a.empty() ? '\0' : a[0];
  char y = b.empty() ? '\0' : b[0];
  return (x > y) - (x < y);
}

TEST(SortParameters, BubbleSortNeverExchangesEqualEntries) {
  const struct {
    std::vector<std::string> before;
    std::vector<std::string> after;
  } cases[] = {
      {{}, {}},
      {{"b"}, {"b"}},
      {{"b", "a"}, {"a", "b"}},
      {{"c2", "a1", "c1", "b1", "a2"}, {"a1", "a2", "b1", "c2", "c1"}},
      {{"z", "y", "x", "w", "v", "u", "t", "s", "r", "q"},
       {"q", "r", "s", "t", "u", "v", "w", "x", "y", "z"}},
      {{"b", "", "a", ""}, {"", "", "a", "b"}},
  };
  for (const auto& c : cases) {
    RunState state;
    for (const std::string& text : c.before) state.INPARAMS.push_back({text, text});
    SortParameters(state, ByFirstCharacter);
    EXPECT_EQ(Texts(state), c.after);
    for (const Parameter& parameter : state.INPARAMS) EXPECT_EQ(parameter.text, parameter.typed);
  }
}

// Holds for the platform comparison under any locale the tests run in.
TEST(ParameterOrder, ComparisonMeetsWhatTheParameterOrderNeeds) {
  auto sign = [](int value) { return (value > 0) - (value < 0); };
  const struct {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"/bw", "/BW", 0},        {"8x8_a.h", "8X8_A.H", 0},
      {"/BW", "/CB000000", -1}, {"/BW", "/CG10123456", -1},
      {"/BW", "/CD000000", -1}, {"/CF000000", "/BW", 1},
      {"1X8_A.H", "A", -1},     {"9", "A", -1},
      {"0", "Z", -1},           {"8X8_A.H", "8X8_B.H", -1},
      {"", "/V", -1},           {"/CB000000", "/CBFFFFFF", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sign(platform::CompareIgnoringCase(c.a, c.b)), c.order) << c.a << " vs " << c.b;
    EXPECT_EQ(sign(platform::CompareIgnoringCase(c.b, c.a)), -c.order) << c.b << " vs " << c.a;
  }
}

TEST(ParameterOrder, GreyScaleSortsBeforeColourOptionsWhateverTheInputOrder) {
  RunState state;
  CollectParameters(state, {"-cg10123456", "/cd000000", "8x16_f.h", "-bw", "/v"},
                    platform::UpperCase);
  SortParameters(state, platform::CompareIgnoringCase);
  EXPECT_EQ(Texts(state),
            (std::vector<std::string>{"/BW", "/CD000000", "/CG10123456", "/V", "8X16_F.H"}));
}

}  // namespace
}  // namespace fontscan
