#include "sheet/zlib_stream.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace fontscan {

namespace {

constexpr int kLevel = 1;
// Below this the second thread costs more than it brings.
constexpr std::size_t kSplitAbove = 256 * 1024;
// The most that deflate remembers: the second half starts with the end of the first one as its
// dictionary, so nothing is lost at the seam but the matches that would reach further back.
constexpr std::size_t kWindow = 32 * 1024;

// Raw deflate blocks of `size` bytes at `data` into `out`, ending on a byte boundary (a final
// block when `last`, else an empty stored block), or 0 on failure. `out` holds Bound(size) bytes.
std::size_t DeflatePart(const unsigned char* data, std::size_t size,
                        const unsigned char* dictionary, std::size_t dictionary_size, bool last,
                        unsigned char* out, std::size_t out_room) {
  z_stream stream{};
  if (deflateInit2(&stream, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return 0;
  }
  std::size_t written = 0;
  if (dictionary_size == 0 ||
      deflateSetDictionary(&stream, dictionary, static_cast<uInt>(dictionary_size)) == Z_OK) {
    stream.next_in = const_cast<unsigned char*>(data);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = out;
    stream.avail_out = static_cast<uInt>(out_room);
    const int result = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    if ((last ? result == Z_STREAM_END : result == Z_OK) && stream.avail_in == 0) {
      written = out_room - stream.avail_out;
    }
  }
  deflateEnd(&stream);
  return written;
}

std::size_t Bound(std::size_t size) {
  // zlib's worst case for `size` bytes, plus the empty stored block of a flush.
  return compressBound(static_cast<uLong>(size)) + 16;
}

}  // namespace

unsigned char* CompressZlibStream(const unsigned char* data, std::size_t size,
                                  std::size_t* out_size) {
  if (size > 0x7FFFFFFF) return nullptr;  // far above any sheet
  const std::size_t first = size > kSplitAbove ? size / 2 : size;
  const std::size_t second = size - first;
  const std::size_t room_first = Bound(first);
  const std::size_t room_second = Bound(second);
  // Header, the two parts, the Adler-32 of the whole.
  auto* out = static_cast<unsigned char*>(std::malloc(2 + room_first + room_second + 4));
  auto* second_out = static_cast<unsigned char*>(second > 0 ? std::malloc(room_second) : nullptr);
  if (out == nullptr || (second > 0 && second_out == nullptr)) {
    std::free(out);
    std::free(second_out);
    return nullptr;
  }

  std::size_t second_written = 0;
  const std::size_t dictionary = first < kWindow ? first : kWindow;
  auto compress_second = [&] {
    second_written = DeflatePart(data + first, second, data + first - dictionary, dictionary, true,
                                 second_out, room_second);
  };
  std::thread helper;
  if (second > 0) {
    try {
      helper = std::thread(compress_second);
    } catch (...) {
      compress_second();  // no thread to be had: one after the other
    }
  }
  out[0] = 0x78;  // deflate, 32 KiB window
  out[1] = 0x01;  // the fastest level; makes the header a multiple of 31
  const std::size_t first_written =
      DeflatePart(data, first, nullptr, 0, second == 0, out + 2, room_first);
  uLong adler = adler32(0L, Z_NULL, 0);
  adler = adler32(adler, data, static_cast<uInt>(size));
  if (helper.joinable()) helper.join();

  if (first_written == 0 || (second > 0 && second_written == 0)) {
    std::free(out);
    std::free(second_out);
    return nullptr;
  }
  unsigned char* end = out + 2 + first_written;
  if (second > 0) {
    std::memcpy(end, second_out, second_written);
    end += second_written;
  }
  std::free(second_out);
  for (int shift = 24; shift >= 0; shift -= 8) *end++ = static_cast<unsigned char>(adler >> shift);
  *out_size = static_cast<std::size_t>(end - out);
  return out;
}

}  // namespace fontscan
