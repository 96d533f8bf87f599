#include "tests/e2e/e2e_fixture.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fontscan::testing {

TargetProgram& Target() {
  static TargetProgram target;
  return target;
}

void EndToEnd::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fontscan-e2e-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
}

void EndToEnd::TearDown() {
  std::error_code ignored;
  std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(dir_, ignored);
}

void EndToEnd::WriteFile(const std::string& name, std::string_view content) const {
  std::ofstream file(PathOf(name), std::ios::binary);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  ASSERT_TRUE(file.good()) << name;
}

void EndToEnd::MakeDirectory(const std::string& name) const {
  ASSERT_EQ(mkdir(PathOf(name).c_str(), 0755), 0) << name;
}

ProcessResult EndToEnd::Run(const std::vector<std::string>& arguments,
                            std::vector<std::string> environment, ProcessOptions options) const {
  std::vector<std::string> command;
  if (Target().windows()) command.push_back(Target().emulator);
  command.push_back(Target().fontscan);
  command.insert(command.end(), arguments.begin(), arguments.end());
  if (environment.empty()) environment = {"LC_ALL=C"};
  options.directory = dir_;
  options.environment = environment;
  ProcessResult result = RunProcess(command, options);
  EXPECT_FALSE(result.timed_out) << "fontscan did not finish";
  EXPECT_EQ(result.exit_code, 0);
  return result;
}

}  // namespace fontscan::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument.rfind("--fontscan=", 0) == 0) {
      // The runs start in scratch directories, so a relative path is resolved now.
      fontscan::testing::Target().fontscan =
          std::filesystem::absolute(std::string(argument.substr(11))).string();
    } else if (argument.rfind("--fontsheet=", 0) == 0) {
      fontscan::testing::Target().fontsheet =
          std::filesystem::absolute(std::string(argument.substr(12))).string();
    } else if (argument.rfind("--emulator=", 0) == 0) {
      fontscan::testing::Target().emulator = std::string(argument.substr(11));
    }
  }
  if (fontscan::testing::Target().fontscan.empty()) {
    std::fprintf(stderr, "usage: %s --fontscan=PATH [--fontsheet=PATH] [--emulator=PROGRAM]\n",
                 argv[0]);
    return 2;
  }
  return RUN_ALL_TESTS();
}
