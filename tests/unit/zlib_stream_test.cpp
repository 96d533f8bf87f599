#include "sheet/zlib_stream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace fontscan {
namespace {

// Sizes around the point where the input is split in two, with data that compresses and data
// that does not.
TEST(ZlibStream, InflatesToTheInputWhetherSplitOrNot) {
  std::mt19937 random(7);
  for (std::size_t size : {std::size_t{1}, std::size_t{1000}, std::size_t{256 * 1024},
                           std::size_t{256 * 1024 + 1}, std::size_t{3 * 1000 * 1000 + 7}}) {
    for (bool noisy : {false, true}) {
      std::vector<unsigned char> data(size);
      for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<unsigned char>(noisy ? random() : i / 100 % 7);
      }
      std::size_t length = 0;
      unsigned char* stream = CompressZlibStream(data.data(), size, &length);
      ASSERT_NE(stream, nullptr);
      std::vector<unsigned char> back(size + 1);
      uLongf back_size = static_cast<uLongf>(back.size());
      // uncompress() checks the header, the end of the stream and the Adler-32.
      EXPECT_EQ(uncompress(back.data(), &back_size, stream, static_cast<uLong>(length)), Z_OK)
          << size << (noisy ? " noisy" : " flat");
      back.resize(back_size);
      EXPECT_EQ(back, data) << size << (noisy ? " noisy" : " flat");
      if (!noisy) {
        EXPECT_LT(length, size / 10 + 64) << size;
      }
      std::free(stream);
    }
  }
}

}  // namespace
}  // namespace fontscan
