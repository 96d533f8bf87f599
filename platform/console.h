// Standard output for the console sink.
#pragma once

#include <cstddef>

namespace fontscan::platform {

// Puts standard output into the mode the program needs: bytes pass unchanged (no newline
// translation) and a closed pipe is an ordinary write error, not a signal that ends the process.
void PrepareStandardOutput();

// Writes all `size` bytes to standard output; false when the output cannot take them.
bool WriteStandardOutput(const char* data, std::size_t size);

}  // namespace fontscan::platform
