#include "tests/e2e/e2e_fixture.h"

#include <sys/stat.h>

#include <cstdio>
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

namespace {

// What a failed run left behind, for the message of the check that fails.
std::string Describe(const ProcessResult& result) {
  std::string text = "exit code " + std::to_string(result.exit_code);
  if (!result.launch_error.empty()) text += ", " + result.launch_error;
  if (!result.err.empty()) text += ", standard error:\n" + result.err;
  return text;
}

}  // namespace

ProcessResult EndToEnd::RunTarget(const std::string& program,
                                  const std::vector<std::string>& arguments,
                                  ProcessOptions options) const {
  std::vector<std::string> command;
  if (Target().windows()) command.push_back(Target().emulator);
  command.push_back(program);
  command.insert(command.end(), arguments.begin(), arguments.end());
  options.directory = dir_;
  ProcessResult result = RunProcess(command, options);
  // Both programs write to standard output on every path they can take under the emulator, so
  // a run that failed without a byte of it never reached the program: the emulator itself
  // failed to start (seen once in a long series of Wine runs). That one run is repeated, and
  // said on standard error; a second such failure fails the test.
  if (Target().windows() && !result.timed_out && result.out.empty() && result.exit_code != 0) {
    std::fprintf(stderr, "note: %s gave no output under %s (%s); running it once more\n",
                 program.c_str(), Target().emulator.c_str(), Describe(result).c_str());
    result = RunProcess(command, options);
  }
  EXPECT_FALSE(result.timed_out) << program << " did not finish";
  EXPECT_TRUE(result.launch_error.empty()) << Describe(result);
  return result;
}

ProcessResult EndToEnd::Run(const std::vector<std::string>& arguments,
                            std::vector<std::string> environment, ProcessOptions options) const {
  if (environment.empty()) environment = {"LC_ALL=C"};
  options.environment = environment;
  ProcessResult result = RunTarget(Target().fontscan, arguments, options);
  EXPECT_EQ(result.exit_code, 0) << Describe(result);
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
