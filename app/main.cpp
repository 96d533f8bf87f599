// fontscan: checks a bitmap font kept as C source text and reports what it finds.

#include <string>
#include <vector>

#include "app/console.h"
#include "app/run.h"
#include "app/run_state.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/locale.h"

int main(int argc, char** argv) {
  using namespace fontscan;
  try {
    platform::InitUserLocale();
    platform::PrepareStandardOutput();
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    platform::NativeFileSystem files;
    const RunServices services{files, platform::UpperCase, platform::CompareIgnoringCase};
    StandardOutput output;
    Console console(output);
    RunState state;
    RunFontscan(state, arguments, services, console);
  } catch (...) {
    // Nothing is left to report to: the run ends as every run does.
  }
  return 0;
}
