#include "sheet/png_codec.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace fontscan {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The image data of one IDAT chunk, at most: big enough that the chunks cost nothing, small
// enough that the file goes out as it is made.
constexpr std::size_t kChunkData = 64 * 1024;
constexpr std::size_t kChunkHead = 8;  // length and type

// Rows go to the deflater in batches of about this many bytes: a call for each row would cost more
// than the row.
constexpr std::size_t kBatch = 32 * 1024;

constexpr int kGrey = 0;
constexpr int kPalette = 3;
constexpr int kGreyAlpha = 4;

void PutBig32(std::uint8_t* out, std::uint32_t value) {
  out[0] = static_cast<std::uint8_t>(value >> 24);
  out[1] = static_cast<std::uint8_t>(value >> 16);
  out[2] = static_cast<std::uint8_t>(value >> 8);
  out[3] = static_cast<std::uint8_t>(value);
}

std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Packs `count` indices of `depth` bits into bytes, the first in the high bits.
void Pack(const std::uint8_t* indices, std::uint32_t count, int depth, std::uint8_t* out) {
  const int per_byte = 8 / depth;
  const std::uint32_t whole = count / static_cast<std::uint32_t>(per_byte);
  const std::uint8_t* in = indices;
  switch (depth) {
    case 8:
      std::memcpy(out, indices, count);
      return;
    case 4:
      for (std::uint32_t i = 0; i < whole; ++i, in += 2) {
        out[i] = static_cast<std::uint8_t>(in[0] << 4 | in[1]);
      }
      break;
    case 2:
      for (std::uint32_t i = 0; i < whole; ++i, in += 4) {
        out[i] = static_cast<std::uint8_t>(in[0] << 6 | in[1] << 4 | in[2] << 2 | in[3]);
      }
      break;
    default:
      for (std::uint32_t i = 0; i < whole; ++i, in += 8) {
        out[i] = static_cast<std::uint8_t>(in[0] << 7 | in[1] << 6 | in[2] << 5 | in[3] << 4 |
                                           in[4] << 3 | in[5] << 2 | in[6] << 1 | in[7]);
      }
      break;
  }
  // The last byte's pixels, its unused low bits zero.
  const std::uint32_t rest = count - whole * static_cast<std::uint32_t>(per_byte);
  if (rest == 0) return;
  std::uint8_t last = 0;
  for (std::uint32_t i = 0; i < rest; ++i) {
    last = static_cast<std::uint8_t>(last | in[i] << (8 - depth * static_cast<int>(i + 1)));
  }
  out[whole] = last;
}

bool SendChunk(platform::ByteSink& sink, const char (&type)[5], const std::uint8_t* data,
               std::size_t size) {
  std::uint8_t head[kChunkHead];
  PutBig32(head, static_cast<std::uint32_t>(size));
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0L, head + 4, 4);
  crc = crc32(crc, data, static_cast<uInt>(size));
  std::uint8_t tail[4];
  PutBig32(tail, static_cast<std::uint32_t>(crc));
  return sink.Write(AsText(head, sizeof head)) && sink.Write(AsText(data, size)) &&
         sink.Write(AsText(tail, sizeof tail));
}

}  // namespace

int PaletteDepth(std::size_t colours) {
  if (colours <= 2) return 1;
  if (colours <= 4) return 2;
  if (colours <= 16) return 4;
  return 8;
}

namespace {

// One part of a picture's image data: rows filtered and deflated into raw deflate blocks that end
// on a byte boundary, the last part's with the final block. Parts made one after the other, each
// with a deflater of its own, join into one stream.
class DeflatedRows {
 public:
  // `out` takes the deflated bytes as they come.
  using Output = std::function<bool(const std::uint8_t* data, std::size_t size)>;

  DeflatedRows(std::uint32_t width, int depth, bool last, Output out)
      : width_(width),
        depth_(depth),
        last_(last),
        out_(std::move(out)),
        row_bytes_((std::size_t{width} * static_cast<std::size_t>(depth) + 7) / 8),
        window_(kChunkData) {
    batch_.reserve(std::max(kBatch, 1 + row_bytes_));
    // The runs of a sheet are all a match needs to find: flat rows are long runs of one byte,
    // and a row repeated is a row of zeros under the Up filter. Run-length matching finds them
    // at a fraction of the cost of a search through the window.
    started_ = deflateInit2(&stream_, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_RLE) == Z_OK;
  }
  ~DeflatedRows() {
    if (started_) deflateEnd(&stream_);
  }
  DeflatedRows(const DeflatedRows&) = delete;
  DeflatedRows& operator=(const DeflatedRows&) = delete;

  // Rows `first` to `end` - 1 of the picture.
  bool Add(const PaletteRows& rows, std::uint32_t first, std::uint32_t end) {
    if (!started_) return false;
    std::vector<std::uint8_t> indices(width_);
    std::vector<std::uint8_t> previous(width_);
    bool have_previous = false;
    for (std::uint32_t y = first; y < end; ++y) {
      bool repeats = y > 0 && rows.Repeats(y);
      if (!repeats) {
        rows.Paint(y, indices.data());
        // Rows a picture knows to repeat are not painted; rows alike by chance are found here.
        repeats = have_previous && indices == previous;
        indices.swap(previous);
        have_previous = true;
      }
      if (!AddRow(previous.data(), repeats)) return false;
    }
    return DeflateBatch() && Deflate(nullptr, 0, last_ ? Z_FINISH : Z_SYNC_FLUSH);
  }

  uLong adler() const { return adler_; }
  std::uint64_t length() const { return length_; }

 private:
  // Filters a row into the batch; a full batch goes to the deflater first.
  bool AddRow(const std::uint8_t* indices, bool repeats) {
    const std::size_t size = 1 + row_bytes_;
    if (batch_.size() + size > kBatch && !DeflateBatch()) return false;
    batch_.resize(batch_.size() + size);
    std::uint8_t* out = &batch_[batch_.size() - size];
    if (repeats) {
      // Up: each byte is its own difference to the byte above, zero.
      out[0] = 2;
      std::memset(out + 1, 0, row_bytes_);
    } else {
      out[0] = 0;
      Pack(indices, width_, depth_, out + 1);
    }
    return true;
  }

  // A batch is compressed when run-length matches will carry most of it, and stored otherwise:
  // on bytes with few runs deflate costs several nanoseconds a byte to save at most about half.
  bool DeflateBatch() {
    if (batch_.empty()) return true;
    const bool store = !MostlyRuns(batch_);
    if (store != storing_ && !SwitchTo(store)) return false;
    adler_ = adler32(adler_, batch_.data(), static_cast<uInt>(batch_.size()));
    length_ += batch_.size();
    const bool deflated = Deflate(batch_.data(), batch_.size(), Z_NO_FLUSH);
    batch_.clear();
    return deflated;
  }

  // True when at least half the bytes repeat the byte before them.
  static bool MostlyRuns(const std::vector<std::uint8_t>& bytes) {
    std::size_t repeats = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) repeats += bytes[i] == bytes[i - 1];
    return 2 * repeats >= bytes.size();
  }

  // Ends the current block and goes on storing or compressing.
  bool SwitchTo(bool store) {
    if (!Deflate(nullptr, 0, Z_BLOCK)) return false;
    for (;;) {
      stream_.next_out = window_.data();
      stream_.avail_out = static_cast<uInt>(window_.size());
      const int result = deflateParams(&stream_, store ? 0 : 1, store ? Z_DEFAULT_STRATEGY : Z_RLE);
      const std::size_t made = window_.size() - stream_.avail_out;
      if (made > 0 && !out_(window_.data(), made)) return false;
      if (result == Z_OK) break;
      if (result != Z_BUF_ERROR) return false;
    }
    storing_ = store;
    return true;
  }

  bool Deflate(const std::uint8_t* data, std::size_t size, int flush) {
    stream_.next_in = const_cast<std::uint8_t*>(data);
    stream_.avail_in = static_cast<uInt>(size);
    for (;;) {
      stream_.next_out = window_.data();
      stream_.avail_out = static_cast<uInt>(window_.size());
      const int result = deflate(&stream_, flush);
      if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return false;
      const std::size_t made = window_.size() - stream_.avail_out;
      if (made > 0 && !out_(window_.data(), made)) return false;
      // Done when the input is taken and, for a flush, the output no longer fills the window.
      if (stream_.avail_in == 0 && stream_.avail_out != 0) return true;
    }
  }

  std::uint32_t width_;
  int depth_;
  bool last_;
  Output out_;
  z_stream stream_{};
  bool started_ = false;
  bool storing_ = false;
  uLong adler_ = adler32(0L, Z_NULL, 0);
  std::uint64_t length_ = 0;
  std::size_t row_bytes_;             // packed pixels, without the filter byte
  std::vector<std::uint8_t> batch_;   // rows filtered, each after its filter byte
  std::vector<std::uint8_t> window_;  // deflate's output, handed on whenever it is full
};

// Sends IDAT chunks to a sink, each of kChunkData bytes but the last.
class ImageDataChunks {
 public:
  explicit ImageDataChunks(platform::ByteSink& sink) : sink_(sink) { data_.reserve(kChunkData); }

  bool Take(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
      const std::size_t room = std::min(size, kChunkData - data_.size());
      data_.insert(data_.end(), data, data + room);
      data += room;
      size -= room;
      if (data_.size() == kChunkData && !Flush()) return false;
    }
    return true;
  }

  bool Flush() {
    if (data_.empty()) return true;
    const bool sent = SendChunk(sink_, "IDAT", data_.data(), data_.size());
    data_.clear();
    return sent;
  }

 private:
  platform::ByteSink& sink_;
  std::vector<std::uint8_t> data_;
};

// Below this many bytes of image data a second thread costs more than it saves.
constexpr std::uint64_t kSplitAbove = 256 * 1024;

}  // namespace

bool WritePalettePng(platform::ByteSink& sink, std::uint32_t width, std::uint32_t height,
                     const std::vector<Rgb>& palette, const PaletteRows& rows) {
  const int depth = PaletteDepth(palette.size());
  std::uint8_t header[13];
  PutBig32(header, width);
  PutBig32(header + 4, height);
  header[8] = static_cast<std::uint8_t>(depth);
  header[9] = kPalette;
  header[10] = 0;  // deflate
  header[11] = 0;  // adaptive filters
  header[12] = 0;  // not interlaced
  std::vector<std::uint8_t> colours;
  for (const Rgb& colour : palette) {
    colours.insert(colours.end(), {colour.red, colour.green, colour.blue});
  }
  if (!sink.Write(AsText(kSignature, sizeof kSignature)) ||
      !SendChunk(sink, "IHDR", header, sizeof header) ||
      !SendChunk(sink, "PLTE", colours.data(), colours.size())) {
    return false;
  }

  ImageDataChunks chunks(sink);
  // The zlib header: deflate with a 32 KiB window, the fastest level, a multiple of 31.
  const std::uint8_t zlib_header[2] = {0x78, 0x01};
  if (!chunks.Take(zlib_header, sizeof zlib_header)) return false;
  const auto to_chunks = [&chunks](const std::uint8_t* data, std::size_t size) {
    return chunks.Take(data, size);
  };

  // A large picture is made in two halves at once: the second half on a thread of its own, into
  // memory, while the first goes out to the file.
  const std::uint64_t row_size =
      1 + (std::uint64_t{width} * static_cast<std::uint64_t>(depth) + 7) / 8;
  const std::uint32_t split = row_size * height > kSplitAbove ? height / 2 : height;
  DeflatedRows first(width, depth, split == height, to_chunks);
  bool first_done = false;
  uLong adler = 0;
  if (split == height) {
    first_done = first.Add(rows, 0, height);
    adler = first.adler();
  } else {
    std::vector<std::uint8_t> held;
    DeflatedRows second(width, depth, true, [&held](const std::uint8_t* data, std::size_t size) {
      held.insert(held.end(), data, data + size);
      return true;
    });
    bool second_done = false;
    const auto make_second = [&] {
      try {
        second_done = second.Add(rows, split, height);
      } catch (const std::bad_alloc&) {
        second_done = false;
      }
    };
    std::thread helper;
    try {
      helper = std::thread(make_second);
    } catch (const std::system_error&) {
      make_second();  // no thread to be had: one after the other
    }
    try {
      first_done = first.Add(rows, 0, split);
    } catch (...) {
      if (helper.joinable()) helper.join();
      throw;
    }
    if (helper.joinable()) helper.join();
    first_done = first_done && second_done && to_chunks(held.data(), held.size());
    adler = adler32_combine(first.adler(), second.adler(), static_cast<z_off_t>(second.length()));
  }
  std::uint8_t trailer[4];
  PutBig32(trailer, static_cast<std::uint32_t>(adler));
  return first_done && chunks.Take(trailer, sizeof trailer) && chunks.Flush() &&
         SendChunk(sink, "IEND", trailer, 0);
}

RowColours::RowColours(const PngFormat& format) : format_(format) {
  const int type = format.colour_type;
  static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  bytes_per_pixel_ = kChannels[type] * format.depth / 8;
  keyed_ = type == kPalette || type == kGrey || type == kGreyAlpha;
  for (int key = 0; key < 256; ++key) {
    std::uint8_t grey = static_cast<std::uint8_t>(key);
    if (type == kGrey && format.depth < 8) {
      const int most = (1 << format.depth) - 1;
      grey = static_cast<std::uint8_t>(key <= most ? key * 255 / most : 0);
    }
    key_colours_[key] = {grey, grey, grey};
    if (type == kPalette) {
      const std::uint8_t* entry = format.palette + 3 * std::min(key, format.palette_entries - 1);
      key_colours_[key] = {entry[0], entry[1], entry[2]};
    }
  }
}

void RowColours::Keys(const std::uint8_t* row, std::uint32_t pixels, std::uint8_t* keys) const {
  const int depth = format_.depth;
  if (depth < 8) {
    const int per_byte = 8 / depth;
    const unsigned mask = (1u << depth) - 1;
    const std::uint32_t whole = pixels / static_cast<std::uint32_t>(per_byte);
    std::uint8_t* out = keys;
    switch (depth) {
      case 4:
        for (std::uint32_t i = 0; i < whole; ++i, out += 2) {
          out[0] = row[i] >> 4;
          out[1] = row[i] & 0x0F;
        }
        break;
      case 2:
        for (std::uint32_t i = 0; i < whole; ++i, out += 4) {
          out[0] = row[i] >> 6;
          out[1] = (row[i] >> 4) & 3;
          out[2] = (row[i] >> 2) & 3;
          out[3] = row[i] & 3;
        }
        break;
      default:
        for (std::uint32_t i = 0; i < whole; ++i, out += 8) {
          for (int bit = 0; bit < 8; ++bit) out[bit] = (row[i] >> (7 - bit)) & 1;
        }
        break;
    }
    const std::uint32_t rest = pixels - whole * static_cast<std::uint32_t>(per_byte);
    for (std::uint32_t i = 0; i < rest; ++i) {
      out[i] =
          static_cast<std::uint8_t>((row[whole] >> (8 - depth * static_cast<int>(i + 1))) & mask);
    }
    return;
  }
  // The first byte of each pixel: the index, the grey sample, or the grey sample's high byte.
  const auto step = static_cast<std::size_t>(bytes_per_pixel_);
  if (step == 1) {
    std::memcpy(keys, row, pixels);
    return;
  }
  for (std::uint32_t x = 0; x < pixels; ++x) keys[x] = row[x * step];
}

void RowColours::Colours(const std::uint8_t* row, std::uint32_t pixels, std::uint8_t* rgb) const {
  if (keyed_) {
    std::vector<std::uint8_t> keys(pixels);
    Keys(row, pixels, keys.data());
    for (std::uint32_t x = 0; x < pixels; ++x, rgb += 3) {
      const Rgb colour = key_colours_[keys[x]];
      rgb[0] = colour.red;
      rgb[1] = colour.green;
      rgb[2] = colour.blue;
    }
    return;
  }
  // RGB with or without alpha, 8 or 16 bits a sample: the high byte of each of the first three.
  const auto step = static_cast<std::size_t>(bytes_per_pixel_);
  const std::size_t sample = format_.depth / 8;
  for (std::uint32_t x = 0; x < pixels; ++x, rgb += 3, row += step) {
    rgb[0] = row[0];
    rgb[1] = row[sample];
    rgb[2] = row[2 * sample];
  }
}

DecodeResult DecodePng(std::string_view file, RgbImage& image) {
  struct Picture final : PngRowSink {
    explicit Picture(RgbImage& out) : image(out) {}
    void Begin(const PngFormat& format) override {
      colours.emplace(format);
      image.width = static_cast<std::int32_t>(format.width);
      image.height = static_cast<std::int32_t>(format.height);
      image.pixels.assign(std::size_t{format.width} * format.height * 3, 0);
      line.resize(std::size_t{format.width} * 3);
    }
    void Row(const PngPass& pass, std::uint32_t row, const std::uint8_t* data) override {
      colours->Colours(data, pass.width, line.data());
      const std::size_t y = pass.y0 + std::size_t{row} * pass.dy;
      std::uint8_t* out = &image.pixels[(y * static_cast<std::size_t>(image.width) + pass.x0) * 3];
      for (std::uint32_t i = 0; i < pass.width; ++i, out += 3 * std::size_t{pass.dx}) {
        std::memcpy(out, &line[3 * std::size_t{i}], 3);
      }
    }
    RgbImage& image;
    std::optional<RowColours> colours;
    std::vector<std::uint8_t> line;
  } picture(image);
  switch (CheckPng(file, &picture)) {
    case PngCheck::kValid:
      return DecodeResult::kDecoded;
    case PngCheck::kTooBig:
      return DecodeResult::kTooBig;
    case PngCheck::kInvalid:
      break;
  }
  return DecodeResult::kFailed;
}

}  // namespace fontscan
