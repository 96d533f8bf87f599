// fontsheet: draws a bitmap font kept as C source text as a PNG sheet, and reads a sheet back.

#include <string>
#include <vector>

#include "app/console.h"
#include "app/fontsheet_run.h"
#include "app/run_state.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/output_files.h"

int main(int argc, char** argv) {
  using namespace fontscan;
  try {
    platform::InitUserLocale();
    platform::PrepareStandardOutput();
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    platform::NativeFileSystem files;
    platform::NativeOutputFiles outputs;
    const RunServices services{files, platform::UpperCase, platform::CompareIgnoringCase};
    StandardOutput output;
    Console console(output);
    RunState state;
    return RunFontsheet(state, arguments, services, outputs, console);
  } catch (...) {
    // Whatever went wrong, no output file was written.
  }
  return 1;
}
