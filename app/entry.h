// What both programs do around their run: the user's locale, standard output, the arguments, the
// system's services, the console and the one run state.
#pragma once

#include <string>
#include <vector>

#include "app/run.h"
#include "core/console.h"
#include "core/run_state.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace fontscan {

// Calls run(state, arguments, services, console) and returns what it returns; anything
// unforeseen ends the run with `status_on_failure`, as nothing is left to report to.
template <typename Run>
int RunWithSystem(int argc, char** argv, int status_on_failure, Run run) {
  try {
    platform::InitUserLocale();
    platform::PrepareStandardOutput();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const platform::NativeFileSystem files;
    const RunServices services{files, platform::UpperCase, platform::CompareIgnoringCase};
    StandardOutput output;
    Console console(output);
    RunState state;
    return run(state, arguments, services, console);
  } catch (...) {
    return status_on_failure;
  }
}

}  // namespace fontscan
