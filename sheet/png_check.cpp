// The strict PNG check: walks the chunks, checking each one's CRC, place and count, and the size
// of the ancillary chunks that the standard defines; and inflates the image data as the IDAT
// chunks come, through a fixed window, row by row, to check its size, its filter types and, for
// palette images, that every pixel's index is inside the palette.

#include "sheet/png_check.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace fontscan {
namespace {

// The largest four-byte number a PNG file may hold: chunk lengths, width and height.
constexpr std::uint32_t kMaxPngNumber = 0x7FFFFFFF;
constexpr std::size_t kInflateWindow = 64 * 1024;
constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

constexpr int kGrey = 0;
constexpr int kTrueColour = 2;
constexpr int kPalette = 3;
constexpr int kGreyAlpha = 4;
constexpr int kTrueColourAlpha = 6;

std::uint32_t ReadBig32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsType(const unsigned char* type, const char (&name)[5]) {
  return std::memcmp(type, name, 4) == 0;
}

// The number of channels for a colour type and depth, or 0 when the pair is not allowed.
int Channels(int colour_type, int depth) {
  switch (colour_type) {
    case kGrey:
      return (depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16) ? 1 : 0;
    case kTrueColour:
      return (depth == 8 || depth == 16) ? 3 : 0;
    case kPalette:
      return (depth == 1 || depth == 2 || depth == 4 || depth == 8) ? 1 : 0;
    case kGreyAlpha:
      return (depth == 8 || depth == 16) ? 2 : 0;
    case kTrueColourAlpha:
      return (depth == 8 || depth == 16) ? 4 : 0;
    default:
      return 0;
  }
}

struct Header {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int depth = 0;
  int colour_type = 0;
  int bits_per_pixel = 0;
  bool interlaced = false;
};

// Reads the 13 bytes of IHDR data; false when a field is out of range.
bool ReadHeader(const unsigned char* data, Header& header) {
  header.width = ReadBig32(data);
  header.height = ReadBig32(data + 4);
  header.depth = data[8];
  header.colour_type = data[9];
  const int channels = Channels(header.colour_type, header.depth);
  if (header.width == 0 || header.width > kMaxPngNumber || header.height == 0 ||
      header.height > kMaxPngNumber || channels == 0 || data[10] != 0 || data[11] != 0 ||
      data[12] > 1) {
    return false;
  }
  header.bits_per_pixel = channels * header.depth;
  header.interlaced = data[12] == 1;
  return true;
}

// One reduced image of the scanline layout: the whole image, or one Adam7 pass.
struct Pass {
  std::uint64_t rows = 0;
  std::uint64_t row_bytes = 0;  // without the filter byte
  std::uint64_t pixels = 0;     // per row
};

std::uint64_t PassExtent(std::uint64_t size, std::uint64_t start, std::uint64_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

// The passes that hold at least one pixel, in order.
std::vector<Pass> Passes(const Header& header) {
  struct Grid {
    int x0, y0, dx, dy;
  };
  static constexpr Grid kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  static constexpr Grid kWhole[1] = {{0, 0, 1, 1}};
  std::vector<Pass> passes;
  const Grid* grids = header.interlaced ? kAdam7 : kWhole;
  const int count = header.interlaced ? 7 : 1;
  for (int i = 0; i < count; ++i) {
    Pass pass;
    pass.pixels = PassExtent(header.width, grids[i].x0, grids[i].dx);
    pass.rows = PassExtent(header.height, grids[i].y0, grids[i].dy);
    if (pass.pixels == 0 || pass.rows == 0) continue;
    pass.row_bytes = (pass.pixels * static_cast<std::uint64_t>(header.bits_per_pixel) + 7) / 8;
    passes.push_back(pass);
  }
  return passes;
}

// The Paeth predictor, written as selects rather than branches: on noisy rows the branches
// mispredict at nearly every byte.
unsigned Paeth(unsigned a, unsigned b, unsigned c) {
  const int pa = std::abs(static_cast<int>(b) - static_cast<int>(c));
  const int pb = std::abs(static_cast<int>(a) - static_cast<int>(c));
  const int pc = std::abs(static_cast<int>(a + b) - 2 * static_cast<int>(c));
  const unsigned b_or_c = pb <= pc ? b : c;
  return (pa <= pb && pa <= pc) ? a : b_or_c;
}

// Takes the inflated image data in pieces of any size and checks it scanline by scanline: each
// filter type, the total size, and, when `palette_entries` leaves some indices out, each index
// after the row is unfiltered. Only one row is kept: it is unfiltered in place over the previous.
class Scanlines {
 public:
  Scanlines(const Header& header, int palette_entries)
      : passes_(Passes(header)), depth_(header.depth) {
    const int depth = header.depth;
    check_indices_ = header.colour_type == kPalette && palette_entries < (1 << depth);
    if (check_indices_) {
      const int per_byte = 8 / depth;
      const int mask = (1 << depth) - 1;
      for (int byte = 0; byte < 256; ++byte) {
        bool ok = true;
        for (int i = 0; i < per_byte; ++i) {
          if (((byte >> (i * depth)) & mask) >= palette_entries) ok = false;
        }
        index_ok_[byte] = ok;
      }
    }
    StartPass();
  }

  // False at the first fault: a bad filter type, an index outside the palette, data past the end.
  bool Take(const unsigned char* data, std::size_t size) {
    while (size > 0) {
      if (pass_ == passes_.size()) return false;
      if (column_ == 0) {
        filter_ = *data;
        if (filter_ > 4) return false;
        ++data;
        --size;
        column_ = 1;
        left_ = 0;
        upper_left_ = 0;
      }
      const std::uint64_t row_end = row_bytes_ + 1;
      const std::size_t span =
          static_cast<std::size_t>(std::min<std::uint64_t>(size, row_end - column_));
      if (check_indices_ && span > 0 && !Unfilter(data, span)) return false;
      data += span;
      size -= span;
      column_ += span;
      if (column_ == row_end) {
        column_ = 0;
        first_row_ = false;
        if (++rows_done_ == passes_[pass_].rows) {
          ++pass_;
          StartPass();
        }
      }
    }
    return true;
  }

  bool Complete() const { return pass_ == passes_.size(); }

 private:
  void StartPass() {
    rows_done_ = 0;
    column_ = 0;
    first_row_ = true;
    if (pass_ < passes_.size()) {
      row_bytes_ = passes_[pass_].row_bytes;
      const int used_bits = static_cast<int>((passes_[pass_].pixels * depth_) % 8);
      last_mask_ = used_bits == 0 ? 0xFF : (0xFF << (8 - used_bits)) & 0xFF;
    }
  }

  // Unfilters `size` (> 0) bytes of the current row, starting at `column_`, into `unfiltered_` and
  // checks the indices they hold. Bytes per pixel is 1: palette depths are at most 8.
  bool Unfilter(const unsigned char* data, std::size_t size) {
    const std::size_t start = static_cast<std::size_t>(column_ - 1);
    const std::size_t end = start + size;
    if (first_row_ && unfiltered_.size() < end) unfiltered_.resize(end);
    unsigned char* row = unfiltered_.data();
    unsigned a = left_;
    unsigned c = upper_left_;
    switch (filter_) {
      case 0:
        std::memcpy(row + start, data, size);
        break;
      case 1:
        for (std::size_t i = start; i < end; ++i)
          a = row[i] = static_cast<unsigned char>(*data++ + a);
        break;
      case 2:
        if (first_row_) {
          std::memcpy(row + start, data, size);
        } else {
          for (std::size_t i = start; i < end; ++i)
            row[i] = static_cast<unsigned char>(*data++ + row[i]);
        }
        break;
      case 3:
        if (first_row_) {
          for (std::size_t i = start; i < end; ++i) {
            a = row[i] = static_cast<unsigned char>(*data++ + (a >> 1));
          }
        } else {
          for (std::size_t i = start; i < end; ++i) {
            a = row[i] = static_cast<unsigned char>(*data++ + ((a + row[i]) >> 1));
          }
        }
        break;
      default:  // Paeth; on the first row it is Sub
        if (first_row_) {
          for (std::size_t i = start; i < end; ++i) {
            a = row[i] = static_cast<unsigned char>(*data++ + a);
          }
        } else {
          for (std::size_t i = start; i < end; ++i) {
            const unsigned b = row[i];
            a = row[i] = static_cast<unsigned char>(*data++ + Paeth(a, b, c));
            c = b;
          }
        }
        break;
    }
    // The row may go on in the next piece of data.
    left_ = row[end - 1];
    upper_left_ = c;
    // The last byte of a row may end in padding bits, which are not pixels.
    const std::size_t full_end = end == row_bytes_ ? end - 1 : end;
    bool ok = true;
    for (std::size_t i = start; i < full_end; ++i) ok &= index_ok_[row[i]];
    if (full_end != end) ok &= index_ok_[row[full_end] & last_mask_];
    return ok;
  }

  std::vector<Pass> passes_;
  int depth_;
  std::size_t pass_ = 0;
  std::uint64_t rows_done_ = 0;  // in the current pass
  std::uint64_t row_bytes_ = 0;
  std::uint64_t column_ = 0;  // 0 before the filter byte, then 1 + the bytes of the row seen
  bool first_row_ = true;
  unsigned filter_ = 0;
  unsigned last_mask_ = 0xFF;
  unsigned left_ = 0;
  unsigned upper_left_ = 0;
  bool check_indices_ = false;
  std::array<bool, 256> index_ok_{};
  std::vector<unsigned char> unfiltered_;  // the current row, over the previous one
};

// One zlib stream fed from the IDAT chunks in turn, inflated through a fixed window.
class ImageData {
 public:
  ImageData(const Header& header, int palette_entries)
      : scanlines_(header, palette_entries), window_(kInflateWindow) {
    ready_ = inflateInit(&stream_) == Z_OK;
  }
  ~ImageData() {
    if (ready_) inflateEnd(&stream_);
  }
  ImageData(const ImageData&) = delete;
  ImageData& operator=(const ImageData&) = delete;

  // False at the first fault, in the stream or in the scanlines, or for data after its end.
  bool Feed(const unsigned char* data, std::uint32_t size) {
    if (!ready_) return false;
    if (size == 0) return true;
    if (ended_) return false;
    stream_.next_in = const_cast<unsigned char*>(data);
    stream_.avail_in = size;
    for (;;) {
      stream_.next_out = window_.data();
      stream_.avail_out = static_cast<uInt>(window_.size());
      const int result = inflate(&stream_, Z_NO_FLUSH);
      const std::size_t produced = window_.size() - stream_.avail_out;
      if (!scanlines_.Take(window_.data(), produced)) return false;
      if (result == Z_STREAM_END) {
        ended_ = true;
        return stream_.avail_in == 0;
      }
      if (result == Z_BUF_ERROR) return stream_.avail_in == 0;
      if (result != Z_OK) return false;
      if (stream_.avail_in == 0 && stream_.avail_out != 0) return true;
    }
  }

  bool Complete() const { return ended_ && scanlines_.Complete(); }

 private:
  Scanlines scanlines_;
  std::vector<unsigned char> window_;
  z_stream stream_{};
  bool ready_ = false;
  bool ended_ = false;
};

// Where an ancillary chunk may stand: anywhere; before PLTE and IDAT; after PLTE, when there is
// one, and before IDAT; before IDAT.
enum class Place { kAnywhere, kBeforePalette, kAfterPalette, kBeforeImage };

struct AncillaryRule {
  char type[5];
  Place place;
  bool once;  // at most one in a file
};

// The ancillary chunks of the PNG standard (second edition) that have a place, a count or a size.
// Any other ancillary chunk, tEXt and the private ones among them, may stand anywhere.
constexpr AncillaryRule kAncillaryRules[] = {
    {"cHRM", Place::kBeforePalette, true}, {"gAMA", Place::kBeforePalette, true},
    {"iCCP", Place::kBeforePalette, true}, {"sBIT", Place::kBeforePalette, true},
    {"sRGB", Place::kBeforePalette, true}, {"bKGD", Place::kAfterPalette, true},
    {"hIST", Place::kAfterPalette, true},  {"tRNS", Place::kAfterPalette, true},
    {"pHYs", Place::kBeforeImage, true},   {"sPLT", Place::kBeforeImage, false},
    {"tIME", Place::kAnywhere, true},
};

// Whether the data of a known ancillary chunk has the size and values that the image allows.
bool AncillaryDataRight(const unsigned char* type, const unsigned char* data, std::uint32_t length,
                        const Header& header, int palette_entries) {
  const int colour = header.colour_type;
  const std::uint32_t entries = static_cast<std::uint32_t>(palette_entries);
  if (IsType(type, "gAMA")) return length == 4;
  if (IsType(type, "cHRM")) return length == 32;
  if (IsType(type, "sRGB")) return length == 1 && data[0] <= 3;
  if (IsType(type, "pHYs")) return length == 9 && data[8] <= 1;
  if (IsType(type, "tIME")) return length == 7;
  if (IsType(type, "hIST")) return length == 2 * entries;
  if (IsType(type, "sBIT")) {
    static constexpr std::uint32_t kSizes[] = {1, 0, 3, 3, 2, 0, 4};  // by colour type
    if (length != kSizes[colour]) return false;
    const int depth = colour == kPalette ? 8 : header.depth;
    return std::all_of(data, data + length,
                       [depth](unsigned char bits) { return bits >= 1 && bits <= depth; });
  }
  if (IsType(type, "bKGD")) {
    if (colour == kPalette) return length == 1 && data[0] < entries;
    return length == (colour == kGrey || colour == kGreyAlpha ? 2u : 6u);
  }
  if (IsType(type, "tRNS")) {
    if (colour == kGrey) return length == 2;
    if (colour == kTrueColour) return length == 6;
    if (colour == kPalette) return length <= entries;
    return false;  // the image has an alpha channel already
  }
  return true;  // iCCP, sPLT: their own structure is not checked
}

bool CrcRight(const unsigned char* type, std::uint32_t length) {
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), type, length + 4);
  return crc == ReadBig32(type + 4 + length);
}

}  // namespace

PngCheck CheckPng(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  if (size < sizeof kSignature || std::memcmp(p, kSignature, sizeof kSignature) != 0) {
    return PngCheck::kInvalid;
  }

  Header header;
  int palette_entries = 0;
  bool seen_plte = false;
  bool seen_idat = false;
  bool idat_closed = false;     // a chunk other than IDAT came after one
  bool plte_too_late = false;   // a chunk that must follow PLTE came with no PLTE before it
  std::uint32_t seen_once = 0;  // the rules of kAncillaryRules met so far, one bit each
  std::optional<ImageData> image;

  std::size_t at = sizeof kSignature;
  for (bool first = true;; first = false) {
    if (size - at < 12) return PngCheck::kInvalid;
    const std::uint32_t length = ReadBig32(p + at);
    const unsigned char* type = p + at + 4;
    if (length > kMaxPngNumber || size - at - 12 < length) return PngCheck::kInvalid;
    if (!IsLetter(type[0]) || !IsLetter(type[1]) || !IsLetter(type[2]) || !IsLetter(type[3])) {
      return PngCheck::kInvalid;
    }
    if (!CrcRight(type, length)) return PngCheck::kInvalid;
    const unsigned char* data = type + 4;
    at += 12 + std::size_t{length};

    const bool is_idat = IsType(type, "IDAT");
    if (seen_idat && !is_idat) idat_closed = true;
    if (first) {
      if (!IsType(type, "IHDR") || length != 13 || !ReadHeader(data, header)) {
        return PngCheck::kInvalid;
      }
      if (std::uint64_t{header.width} * header.height > std::uint64_t{kMaxSheetPixels}) {
        return PngCheck::kTooBig;
      }
    } else if (is_idat) {
      if (idat_closed) return PngCheck::kInvalid;
      if (!seen_idat) {
        if (header.colour_type == kPalette && !seen_plte) return PngCheck::kInvalid;
        seen_idat = true;
        image.emplace(header, palette_entries);
      }
      if (!image->Feed(data, length)) return PngCheck::kInvalid;
    } else if (IsType(type, "PLTE")) {
      if (seen_plte || seen_idat || plte_too_late || length == 0 || length % 3 != 0 ||
          length > 3 * 256) {
        return PngCheck::kInvalid;
      }
      palette_entries = static_cast<int>(length / 3);
      if (header.colour_type == kGrey || header.colour_type == kGreyAlpha) {
        return PngCheck::kInvalid;
      }
      if (header.colour_type == kPalette && palette_entries > (1 << header.depth)) {
        return PngCheck::kInvalid;
      }
      seen_plte = true;
    } else if (IsType(type, "IEND")) {
      if (length != 0 || !seen_idat) return PngCheck::kInvalid;
      return image->Complete() ? PngCheck::kValid : PngCheck::kInvalid;
    } else if ((type[0] & 0x20) == 0) {
      // Any other critical chunk, a second IHDR among them.
      return PngCheck::kInvalid;
    } else {
      const auto* rule =
          std::find_if(std::begin(kAncillaryRules), std::end(kAncillaryRules),
                       [type](const AncillaryRule& r) { return IsType(type, r.type); });
      if (rule == std::end(kAncillaryRules)) continue;
      const std::uint32_t bit = 1u << (rule - std::begin(kAncillaryRules));
      if (rule->once && (seen_once & bit) != 0) return PngCheck::kInvalid;
      seen_once |= bit;
      switch (rule->place) {
        case Place::kBeforePalette:
          if (seen_plte || seen_idat) return PngCheck::kInvalid;
          break;
        case Place::kAfterPalette:
          if (seen_idat) return PngCheck::kInvalid;
          // A palette image has its PLTE before IDAT, and hIST describes a palette.
          if (!seen_plte && (header.colour_type == kPalette || IsType(type, "hIST"))) {
            return PngCheck::kInvalid;
          }
          if (!seen_plte) plte_too_late = true;
          break;
        case Place::kBeforeImage:
          if (seen_idat) return PngCheck::kInvalid;
          break;
        case Place::kAnywhere:
          break;
      }
      if (!AncillaryDataRight(type, data, length, header, palette_entries)) {
        return PngCheck::kInvalid;
      }
    }
  }
}

}  // namespace fontscan
