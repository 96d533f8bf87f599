#include "sheet/output_step.h"

#include <new>

namespace fontscan {

std::string OutputPath(const RunState& state, std::string_view extension) {
  std::string path = state.out_file_stem;
  path.append(extension);
  return path;
}

bool WriteOutputFile(const RunState& state, const platform::OutputFiles& outputs,
                     std::string_view extension, const platform::FileMaker& make,
                     Console& console) {
  const std::string path = OutputPath(state, extension);
  if (!state.OVERWRITE && outputs.EntryExists(path)) {
    console.WriteLine("\r\nERROR: Output file already exists, add /Y to replace it!");
    return false;
  }
  bool written = false;
  try {
    written = outputs.StreamNewFile(path, make, state.OVERWRITE) == platform::WriteResult::kWritten;
  } catch (const std::bad_alloc&) {
    written = false;
  }
  console.WriteLine(written ? "\r\nWriting output file finished."
                            : "\r\nERROR: Error while writing output file!");
  return written;
}

}  // namespace fontscan
