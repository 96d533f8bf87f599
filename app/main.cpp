// fontscan: checks a bitmap font kept as C source text and reports what it finds.

#include "app/entry.h"

int main(int argc, char** argv) {
  using namespace fontscan;
  // Every run ends with status 0, whatever happened in it.
  return RunWithSystem(argc, argv, 0,
                       [](RunState& state, const std::vector<std::string>& arguments,
                          const RunServices& services, Console& console) {
                         RunFontscan(state, arguments, services, console);
                         return 0;
                       });
}
