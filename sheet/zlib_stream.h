// One zlib stream made in two halves at once: on a machine with a second core, compressing a
// sheet takes about half as long.
#pragma once

#include <cstddef>

namespace fontscan {

// The zlib stream of `data` at compression level 1, in memory from malloc() (to be freed with
// free()), or null when memory cannot be had. Large inputs are split in two halves compressed on
// two threads; the stream is the same to any reader.
unsigned char* CompressZlibStream(const unsigned char* data, std::size_t size,
                                  std::size_t* out_size);

}  // namespace fontscan
