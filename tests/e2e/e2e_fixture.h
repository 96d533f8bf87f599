// Whole runs of the fontscan binary in a scratch directory, compared byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/expected_text.h"
#include "tests/e2e/process.h"

namespace fontscan::testing {

// Set from the command line: the binaries under test and, for a cross build, the program that
// runs them (such as wine).
struct TargetProgram {
  std::string fontscan;
  std::string fontsheet;  // empty when not given: its tests skip themselves
  std::string emulator;
  bool windows() const { return !emulator.empty(); }
};
TargetProgram& Target();

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const std::string& dir() const { return dir_; }
  std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }
  void WriteFile(const std::string& name, std::string_view content) const;
  void MakeDirectory(const std::string& name) const;

  // Runs `program` (under the emulator for a cross build) with `arguments` in the scratch
  // directory; checks that it could be started and finished in time.
  ProcessResult RunTarget(const std::string& program, const std::vector<std::string>& arguments,
                          ProcessOptions options) const;
  // Runs fontscan with `arguments` in the scratch directory under the C locale, unless
  // `environment` says otherwise. Checks that it exits 0 in time.
  ProcessResult Run(const std::vector<std::string>& arguments,
                    std::vector<std::string> environment = {}, ProcessOptions options = {}) const;

 private:
  std::string dir_;
};

}  // namespace fontscan::testing
