// fontsheet: draws a bitmap font kept as C source text as a PNG sheet, and reads a sheet back.

#include "app/entry.h"
#include "app/fontsheet_run.h"
#include "platform/output_files.h"

int main(int argc, char** argv) {
  using namespace fontscan;
  // Whatever went wrong, no output file was written.
  return RunWithSystem(argc, argv, 1,
                       [](RunState& state, const std::vector<std::string>& arguments,
                          const RunServices& services, Console& console) {
                         const platform::NativeOutputFiles outputs;
                         return RunFontsheet(state, arguments, services, outputs, console);
                       });
}
