// The strict PNG check: walks the chunks, checking each one's CRC, place and count, and the size
// of the ancillary chunks that the standard defines; and inflates the image data as the IDAT
// chunks come, through a fixed window, row by row, to check its size, its filter types and, for
// palette images, that every pixel's index is inside the palette. The rows, unfiltered, go on to
// whoever reads the image, so that the image data is inflated only once.

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
  PngPass place;
  std::uint64_t row_bytes = 0;  // without the filter byte
};

std::uint32_t PassExtent(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

// The passes that hold at least one pixel, in order.
std::vector<Pass> Passes(const Header& header) {
  struct Grid {
    std::uint32_t x0, y0, dx, dy;
  };
  static constexpr Grid kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  static constexpr Grid kWhole[1] = {{0, 0, 1, 1}};
  std::vector<Pass> passes;
  const Grid* grids = header.interlaced ? kAdam7 : kWhole;
  const int count = header.interlaced ? 7 : 1;
  for (int i = 0; i < count; ++i) {
    const Grid& grid = grids[i];
    Pass pass;
    pass.place = {grid.x0,
                  grid.y0,
                  grid.dx,
                  grid.dy,
                  PassExtent(header.width, grid.x0, grid.dx),
                  PassExtent(header.height, grid.y0, grid.dy)};
    if (pass.place.width == 0 || pass.place.height == 0) continue;
    pass.row_bytes =
        (std::uint64_t{pass.place.width} * static_cast<std::uint64_t>(header.bits_per_pixel) + 7) /
        8;
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

// Reverses a row's filter in place: `up` is the row above, null for a pass's first row; `left` is
// the distance in bytes to the same sample of the pixel before (at least 1).
void Unfilter(unsigned filter, unsigned char* row, const unsigned char* up, std::size_t size,
              std::size_t left) {
  switch (filter) {
    case 0:
      break;
    case 1:
      for (std::size_t i = left; i < size; ++i)
        row[i] = static_cast<unsigned char>(row[i] + row[i - left]);
      break;
    case 2:
      if (up != nullptr) {
        for (std::size_t i = 0; i < size; ++i) row[i] = static_cast<unsigned char>(row[i] + up[i]);
      }
      break;
    case 3:
      for (std::size_t i = 0; i < size; ++i) {
        const unsigned a = i >= left ? row[i - left] : 0;
        const unsigned b = up != nullptr ? up[i] : 0;
        row[i] = static_cast<unsigned char>(row[i] + ((a + b) >> 1));
      }
      break;
    default:  // Paeth; on a first row it is Sub
      if (up == nullptr) {
        for (std::size_t i = left; i < size; ++i) {
          row[i] = static_cast<unsigned char>(row[i] + row[i - left]);
        }
      } else {
        for (std::size_t i = 0; i < size && i < left; ++i) {
          row[i] = static_cast<unsigned char>(row[i] + up[i]);
        }
        for (std::size_t i = left; i < size; ++i) {
          row[i] = static_cast<unsigned char>(row[i] + Paeth(row[i - left], up[i], up[i - left]));
        }
      }
      break;
  }
}

// Takes the inflated image data in pieces of any size and checks it scanline by scanline: each
// filter type, the total size, and, when `palette_entries` leaves some indices out, each index.
// When the rows are wanted or the indices checked, each row is gathered and unfiltered whole;
// only it and the row above are kept.
class Scanlines {
 public:
  Scanlines(const Header& header, int palette_entries, PngRowSink* sink)
      : passes_(Passes(header)),
        depth_(header.depth),
        left_(static_cast<std::size_t>(std::max(1, header.bits_per_pixel / 8))),
        sink_(sink) {
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
    unfilter_ = check_indices_ || sink_ != nullptr;
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
      }
      const std::uint64_t row_end = row_bytes_ + 1;
      const std::size_t span =
          static_cast<std::size_t>(std::min<std::uint64_t>(size, row_end - column_));
      if (unfilter_ && span > 0) {
        const std::size_t start = static_cast<std::size_t>(column_ - 1);
        // Grown as the data comes, so that a header that promises much costs nothing until the
        // data is there.
        if (row_.size() < start + span) row_.resize(start + span);
        std::memcpy(row_.data() + start, data, span);
      }
      data += span;
      size -= span;
      column_ += span;
      if (column_ == row_end) {
        if (unfilter_ && !FinishRow()) return false;
        column_ = 0;
        first_row_ = false;
        if (++rows_done_ == passes_[pass_].place.height) {
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
      const int used_bits =
          static_cast<int>((passes_[pass_].place.width * std::uint64_t(depth_)) % 8);
      last_mask_ = used_bits == 0 ? 0xFF : (0xFF << (8 - used_bits)) & 0xFF;
    }
  }

  // Unfilters the row just gathered, checks its indices and hands it on; it then becomes the row
  // above.
  bool FinishRow() {
    const auto size = static_cast<std::size_t>(row_bytes_);
    unsigned char* row = row_.data();
    Unfilter(filter_, row, first_row_ ? nullptr : above_.data(), size, left_);
    if (check_indices_) {
      // The last byte of a row may end in padding bits, which are not pixels.
      bool ok = true;
      for (std::size_t i = 0; i + 1 < size; ++i) ok &= index_ok_[row[i]];
      ok &= index_ok_[row[size - 1] & last_mask_];
      if (!ok) return false;
    }
    if (sink_ != nullptr)
      sink_->Row(passes_[pass_].place, static_cast<std::uint32_t>(rows_done_), row);
    row_.swap(above_);
    return true;
  }

  std::vector<Pass> passes_;
  int depth_;
  std::size_t left_;  // bytes a pixel, at least 1
  PngRowSink* sink_;
  std::size_t pass_ = 0;
  std::uint64_t rows_done_ = 0;  // in the current pass
  std::uint64_t row_bytes_ = 0;
  std::uint64_t column_ = 0;  // 0 before the filter byte, then 1 + the bytes of the row seen
  bool first_row_ = true;
  unsigned filter_ = 0;
  unsigned last_mask_ = 0xFF;
  bool check_indices_ = false;
  bool unfilter_ = false;
  std::array<bool, 256> index_ok_{};
  std::vector<unsigned char> row_;    // the row being gathered
  std::vector<unsigned char> above_;  // the row before it, unfiltered
};

// One zlib stream fed from the IDAT chunks in turn, inflated through a fixed window.
class ImageData {
 public:
  ImageData(const Header& header, int palette_entries, PngRowSink* sink)
      : scanlines_(header, palette_entries, sink), window_(kInflateWindow) {
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

PngCheck CheckPng(std::string_view bytes, PngRowSink* rows) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  if (size < sizeof kSignature || std::memcmp(p, kSignature, sizeof kSignature) != 0) {
    return PngCheck::kInvalid;
  }

  Header header;
  int palette_entries = 0;
  const unsigned char* palette = nullptr;
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
        if (rows != nullptr) {
          PngFormat format;
          format.width = header.width;
          format.height = header.height;
          format.depth = header.depth;
          format.colour_type = header.colour_type;
          format.interlaced = header.interlaced;
          format.palette = palette;
          format.palette_entries = palette_entries;
          rows->Begin(format);
        }
        image.emplace(header, palette_entries, rows);
      }
      if (!image->Feed(data, length)) return PngCheck::kInvalid;
    } else if (IsType(type, "PLTE")) {
      if (seen_plte || seen_idat || plte_too_late || length == 0 || length % 3 != 0 ||
          length > 3 * 256) {
        return PngCheck::kInvalid;
      }
      palette_entries = static_cast<int>(length / 3);
      palette = data;
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
