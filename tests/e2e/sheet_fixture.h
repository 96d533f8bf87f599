// Whole runs of the fontsheet binary in a scratch directory. Unlike fontscan, fontsheet exits 1
// when it wrote nothing, so the runs here return the exit status for the test to check.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/png_inspect.h"
#include "tests/e2e/sheet_model.h"
#include "tests/e2e/sheet_texts.h"

namespace fontscan::testing {

class SheetRun : public EndToEnd {
 protected:
  void SetUp() override;

  // Runs fontsheet with `arguments` in the scratch directory under the C locale; checks only
  // that it finished in time.
  ProcessResult RunSheet(const std::vector<std::string>& arguments,
                         ProcessOptions options = {}) const;
  // Runs fontscan the same way (it always exits 0).
  ProcessResult RunFontscan(const std::vector<std::string>& arguments) const;

  // The file's bytes, or nothing when it cannot be read.
  std::optional<std::string> ReadFile(const std::string& name) const;
  // The names in the scratch directory (or in its subfolder `folder`), sorted.
  std::vector<std::string> Entries(const std::string& folder = "") const;
  void CopyIn(const std::string& source, const std::string& name) const;

  // The line end of the font texts the program under test writes.
  static std::string_view LineEnd() { return Target().windows() ? "\r\n" : "\n"; }
  // The command line for a run on `name` with `options`.
  static std::vector<std::string> WithOptions(const std::string& name, const SheetOptions& options);
};

// A font source's whole run of fontscan's reading with no message: loading and progress lines.
std::string ReadingLines(int symbols);

}  // namespace fontscan::testing
