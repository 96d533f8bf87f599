#include "tests/e2e/sheet_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fontscan::testing {

void SheetRun::SetUp() {
  EndToEnd::SetUp();
  if (Target().fontsheet.empty()) GTEST_SKIP() << "no --fontsheet=PATH given";
}

ProcessResult SheetRun::RunSheet(const std::vector<std::string>& arguments,
                                 ProcessOptions options) const {
  options.environment = {"LC_ALL=C"};
  return RunTarget(Target().fontsheet, arguments, options);
}

ProcessResult SheetRun::RunFontscan(const std::vector<std::string>& arguments) const {
  return Run(arguments);
}

std::optional<std::string> SheetRun::ReadFile(const std::string& name) const {
  std::ifstream file(PathOf(name), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::vector<std::string> SheetRun::Entries(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void SheetRun::CopyIn(const std::string& source, const std::string& name) const {
  std::error_code error;
  std::filesystem::copy_file(source, PathOf(name), error);
  ASSERT_FALSE(error) << source << ": " << error.message();
}

std::vector<std::string> SheetRun::WithOptions(const std::string& name,
                                               const SheetOptions& options) {
  std::vector<std::string> arguments{name};
  for (const std::string& option : options.Arguments()) arguments.push_back(option);
  return arguments;
}

std::string ReadingLines(int symbols) { return std::string(kLoaded) + Progress(1, symbols); }

}  // namespace fontscan::testing
