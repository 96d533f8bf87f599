// Fuzz target: reading a sheet back, the whole fontsheet run over an arbitrary PNG file.
//
// The first six bytes of the input choose the run (see ReadSetup): the font size, the scale and
// the symbols per line, the options, how the sheet file and the output file behave, and how the
// rest of the input becomes the sheet's file (see Prepare): as it is, with every chunk's CRC made
// right, or with its IDAT data taken as raw scanlines and compressed here, so that mutations get
// past the checksums and reach the pixels. The file is held in memory under the name
// "<W>x<H>_f.png"; the output side is held in memory too and records what it is asked.
//
// Next to the run, the sheet is read here a second time, plainly, from the rules of the format:
// its loading outcome, its geometry, every block of every symbol. What the run writes to the
// console and to the output file must be exactly what that plain reading expects. That reading
// decodes the pixels with stb_image, after the strict check; fontsheet's own decoder must give the
// same pixels, and a picture of at most 256 colours, written again by fontsheet's own writer,
// must decode to them too, with either decoder.

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/fontsheet_run.h"
#include "core/console.h"
#include "core/run_state.h"
#include "fuzz/invariants.h"
#include "fuzz/stb_decode.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/output_files.h"
#include "platform/text_files.h"
#include "reader/comment_filter.h"
#include "sheet/png_check.h"
#include "sheet/png_codec.h"
#include "sheet/rgb_image.h"

namespace fontscan {
namespace {

using fuzzing::Check;
using fuzzing::Contains;
using fuzzing::Fail;

std::size_t CountOf(std::string_view text, std::string_view needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string_view::npos;
       at = text.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

// Headers that declare more pixels than this (but not more than the sheet limit) are skipped: a
// valid one can take a few hundred MB and seconds per run under the sanitizers, and the code it
// reaches is the same as for a smaller picture. Past the limit the answer comes from the header
// alone, so those are kept.
constexpr std::uint64_t kMaxFuzzedPixels = 4 * 1024 * 1024;

enum class InputBehaviour { kWhole, kPieces, kShort, kNoOpen };
enum class OutputBehaviour { kFree, kExists, kWriteFails, kAppears };
enum class FileForm { kAsItIs, kCrcMadeRight, kRawImageData };

struct Setup {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::int32_t scale = 1;     // 0: no /S option
  std::int32_t per_line = 0;  // 0: no /L option
  bool vertical = false;      // /V
  bool no_delimiter = false;  // /ND
  bool rows = false;          // /ROWS
  bool pages = false;         // /PAGES
  bool lsb = false;           // /LSB
  bool msb = false;           // /MSB
  bool overwrite = false;     // /Y
  bool black_white = false;   // /BW
  std::int32_t colour = -1;   // /CD, or -1
  InputBehaviour input = InputBehaviour::kWhole;
  OutputBehaviour output = OutputBehaviour::kFree;
  FileForm form = FileForm::kAsItIs;

  std::int32_t EffectiveScale() const { return scale == 0 ? 1 : scale; }
  std::int32_t EffectivePerLine() const { return per_line == 0 ? 16 : per_line; }
  std::int32_t Delimiter() const { return no_delimiter ? 0 : 1; }
  std::string_view Layout() const { return rows ? "rows" : pages ? "pages" : "columns"; }
  // Sorted, /MSB comes after /LSB and wins.
  bool LsbFirst() const { return msb ? false : lsb ? true : !rows; }
  // Sorted, /CD comes after /BW and wins.
  std::int32_t DelimiterColour() const {
    return colour >= 0 ? colour : black_white ? 0x666666 : 0x00FF00;
  }
  std::int32_t SymbolHeight() const { return (height + 7) / 8 * 8; }
  std::int32_t SymbolSize() const { return width * SymbolHeight() / 8; }
};

// Mostly small sizes, and every multiple of 4 up to 256.
std::int32_t SizeOf(std::uint8_t byte) { return byte < 192 ? byte % 24 + 1 : (byte - 192) * 4 + 4; }

// byte 0, byte 1: font width and height (SizeOf)
// byte 2: low nibble the scale, high nibble the symbols per line (both from a table, 0: none)
// byte 3: bits 0-7: /V /ND /ROWS /PAGES /LSB /MSB /Y /CD
// byte 4: bits 0-2 the /CD colour, bit 3 /BW, bits 4-5 the output side, bits 6-7 the input side
// byte 5: the file's form, modulo 3
Setup ReadSetup(const std::uint8_t* data) {
  static constexpr std::int32_t kScales[16] = {0, 1, 1, 1, 1, 1, 2, 2, 3, 3, 4, 5, 7, 8, 12, 16};
  static constexpr std::int32_t kPerLine[16] = {0,  1,  2,  3,  4,  5,   7,    8,
                                                10, 16, 17, 32, 64, 255, 1000, 4096};
  static constexpr std::int32_t kColours[8] = {0x000000, 0xFFFFFF, 0x00FF00, 0xFF0000,
                                               0x0000FF, 0x808080, 0x313131, 0xE6E6E6};
  Setup setup;
  setup.width = SizeOf(data[0]);
  setup.height = SizeOf(data[1]);
  setup.scale = kScales[data[2] & 0x0F];
  setup.per_line = kPerLine[data[2] >> 4];
  setup.vertical = data[3] & 0x01;
  setup.no_delimiter = data[3] & 0x02;
  setup.rows = data[3] & 0x04;
  setup.pages = data[3] & 0x08;
  setup.lsb = data[3] & 0x10;
  setup.msb = data[3] & 0x20;
  setup.overwrite = data[3] & 0x40;
  if (data[3] & 0x80) setup.colour = kColours[data[4] & 0x07];
  setup.black_white = data[4] & 0x08;
  setup.output = static_cast<OutputBehaviour>((data[4] >> 4) & 0x03);
  setup.input = static_cast<InputBehaviour>(data[4] >> 6);
  setup.form = static_cast<FileForm>(data[5] % 3);
  return setup;
}

std::string Hex6(std::int32_t colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
  return text;
}

// The command line for the setup, sheet first. Only the first 10 arguments are looked at, so
// options that do not fit are dropped from the setup too.
std::vector<std::string> Arguments(Setup& setup, const std::string& sheet_name) {
  std::vector<std::string> arguments = {sheet_name};
  const auto add = [&](auto& field, auto unset, std::string text) {
    if (field == unset) return;
    if (arguments.size() < static_cast<std::size_t>(kMaxParameters)) {
      arguments.push_back(std::move(text));
    } else {
      field = unset;
    }
  };
  add(setup.scale, 0, "/S" + std::to_string(setup.scale));
  add(setup.per_line, 0, "-L" + std::to_string(setup.per_line));
  add(setup.vertical, false, "/V");
  add(setup.no_delimiter, false, "-ND");
  add(setup.rows, false, "/ROWS");
  add(setup.pages, false, "/pages");
  add(setup.lsb, false, "/LSB");
  add(setup.msb, false, "-msb");
  add(setup.overwrite, false, "/Y");
  add(setup.black_white, false, "/BW");
  add(setup.colour, -1, "/cd" + Hex6(setup.colour));
  return arguments;
}

class MemoryFile final : public platform::ReadableFile {
 public:
  MemoryFile(std::string_view bytes, InputBehaviour behaviour)
      : bytes_(bytes), behaviour_(behaviour) {}
  std::int64_t Size() override {
    // kShort: the file delivers one byte less than its size says.
    return static_cast<std::int64_t>(bytes_.size()) + (behaviour_ == InputBehaviour::kShort);
  }
  std::int64_t Read(char* buffer, std::size_t size) override {
    Check(!closed_, "read after close");
    std::size_t count = std::min(size, bytes_.size() - at_);
    if (behaviour_ == InputBehaviour::kPieces) count = std::min<std::size_t>(count, 4093);
    std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    return static_cast<std::int64_t>(count);
  }
  void Close() override { closed_ = true; }

 private:
  std::string_view bytes_;
  InputBehaviour behaviour_;
  std::size_t at_ = 0;
  bool closed_ = false;
};

class MemoryFiles final : public platform::FileSystem {
 public:
  MemoryFiles(std::string name, std::string_view bytes, InputBehaviour behaviour)
      : name_(std::move(name)), bytes_(bytes), behaviour_(behaviour) {}
  bool IsExistingFile(const std::string& path) const override { return path == name_; }
  std::unique_ptr<platform::ReadableFile> OpenForReading(const std::string& path) const override {
    Check(path == name_, "only the sheet is opened", path);
    ++opened;
    if (behaviour_ == InputBehaviour::kNoOpen) return nullptr;
    return std::make_unique<MemoryFile>(bytes_, behaviour_);
  }
  mutable int opened = 0;

 private:
  std::string name_;
  std::string_view bytes_;
  InputBehaviour behaviour_;
};

class MemoryOutputs final : public platform::OutputFiles {
 public:
  explicit MemoryOutputs(OutputBehaviour behaviour) : behaviour_(behaviour) {}
  bool EntryExists(const std::string& path) const override {
    exists_asked.push_back(path);
    return behaviour_ == OutputBehaviour::kExists;
  }
  platform::WriteResult WriteNewFile(const std::string& path, std::string_view bytes,
                                     bool replace) const override {
    ++writes;
    written_path = path;
    written = std::string(bytes);
    replaced = replace;
    if (behaviour_ == OutputBehaviour::kExists && !replace) {
      Fail("a file that exists is replaced without /Y");
    }
    result = platform::WriteResult::kWritten;
    if (behaviour_ == OutputBehaviour::kWriteFails) result = platform::WriteResult::kFailed;
    if (behaviour_ == OutputBehaviour::kAppears && !replace)
      result = platform::WriteResult::kExists;
    return result;
  }
  mutable std::vector<std::string> exists_asked;
  mutable int writes = 0;
  mutable std::string written_path;
  mutable std::string written;
  mutable bool replaced = false;
  mutable platform::WriteResult result = platform::WriteResult::kFailed;

 private:
  OutputBehaviour behaviour_;
};

std::uint32_t Big32(std::string_view bytes, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

// The size declared by the file's first chunk when it is an IHDR of 13 bytes.
struct DeclaredSize {
  std::uint64_t width;
  std::uint64_t height;
  bool valid;  // the signature, the CRC and every field right
};

std::optional<DeclaredSize> HeaderOf(std::string_view png) {
  static constexpr char kSignature[] = "\x89PNG\r\n\x1A\n";
  if (png.size() < 33 || png.substr(12, 4) != "IHDR" || Big32(png, 8) != 13) return std::nullopt;
  DeclaredSize size{Big32(png, 16), Big32(png, 20), false};
  const auto* p = reinterpret_cast<const unsigned char*>(png.data());
  const int depth = p[24];
  const int type = p[25];
  bool pair = false;
  if (type == 0) pair = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
  if (type == 3) pair = depth == 1 || depth == 2 || depth == 4 || depth == 8;
  if (type == 2 || type == 4 || type == 6) pair = depth == 8 || depth == 16;
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), p + 12, 17);
  size.valid = png.substr(0, 8) == std::string_view(kSignature, 8) && crc == Big32(png, 29) &&
               pair && size.width > 0 && size.width < 0x80000000u && size.height > 0 &&
               size.height < 0x80000000u && p[26] == 0 && p[27] == 0 && p[28] <= 1;
  return size;
}

void AppendChunk(std::string& file, std::string_view type, std::string_view data) {
  const std::uint32_t length = static_cast<std::uint32_t>(data.size());
  const std::string body = std::string(type) + std::string(data);
  const std::uint32_t crc = static_cast<std::uint32_t>(
      crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()),
            static_cast<uInt>(body.size())));
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<char>(length >> shift));
  file.append(body);
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<char>(crc >> shift));
}

std::string Compressed(std::string_view raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  const int result =
      compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6);
  Check(result == Z_OK, "compressing the raw image data");
  out.resize(size);
  return out;
}

// The sheet's file from the input. Past the signature (kept as it is) every complete chunk up to
// IEND is written again with its CRC right; in the raw form a run of IDAT chunks becomes one,
// holding its data compressed. Whatever follows, a broken chunk or what comes after IEND, is
// kept as it is.
std::string Prepare(std::string_view input, FileForm form) {
  if (form == FileForm::kAsItIs || input.size() < 8) return std::string(input);
  std::string file(input.substr(0, 8));
  std::size_t at = 8;
  std::string raw;
  bool in_idat = false;
  while (input.size() - at >= 12) {
    const std::uint32_t length = Big32(input, at);
    if (length > input.size() - at - 12) break;
    const std::string_view type = input.substr(at + 4, 4);
    const std::string_view data = input.substr(at + 8, length);
    const bool idat = type == "IDAT" && form == FileForm::kRawImageData;
    if (in_idat && !idat) AppendChunk(file, "IDAT", Compressed(raw));
    in_idat = idat;
    if (idat) {
      raw.append(data);
    } else {
      raw.clear();
      AppendChunk(file, type, data);
    }
    at += 12 + std::size_t{length};
    if (type == "IEND") break;
  }
  if (in_idat) AppendChunk(file, "IDAT", Compressed(raw));
  file.append(input.substr(at));
  return file;
}

void CheckCodecRoundTrip(const RgbImage& image, std::string_view png) {
  Check(image.width >= 1 && image.height >= 1, "decoded picture has pixels");
  Check(static_cast<std::int64_t>(image.width) * image.height <= kMaxSheetPixels,
        "decoded picture within the pixel limit");
  Check(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * 3,
        "three bytes per pixel");
  const std::optional<DeclaredSize> header = HeaderOf(png);
  Check(header && header->valid, "a decoded file starts with a valid header");
  Check(header->width == static_cast<std::uint64_t>(image.width) &&
            header->height == static_cast<std::uint64_t>(image.height),
        "decoded size is the declared size");

  RgbImage own;
  Check(DecodePng(png, own) == DecodeResult::kDecoded, "fontsheet's decoder takes a valid file");
  Check(own.width == image.width && own.height == image.height, "both decoders give the size");
  Check(own.pixels == image.pixels, "both decoders give the same pixels");

  // The picture's colours as a palette, when it has few enough of them.
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices(image.pixels.size() / 3);
  for (std::size_t i = 0; i < indices.size(); ++i) {
    const Rgb colour{image.pixels[3 * i], image.pixels[3 * i + 1], image.pixels[3 * i + 2]};
    auto found = std::find(palette.begin(), palette.end(), colour);
    if (found == palette.end()) {
      if (palette.size() == 256) return;
      found = palette.insert(palette.end(), colour);
    }
    indices[i] = static_cast<std::uint8_t>(found - palette.begin());
  }
  struct Collected final : platform::ByteSink {
    bool Write(std::string_view piece) override {
      bytes.append(piece);
      return true;
    }
    std::string bytes;
  } encoded;
  // Every third row is said to repeat when it does; the writer finds the others.
  struct Rows final : PaletteRows {
    Rows(std::size_t row_width, const std::vector<std::uint8_t>& all)
        : width(row_width), indices(all) {}
    bool Repeats(std::uint32_t y) const override {
      return y % 3 == 2 && std::equal(Row(y), Row(y) + width, Row(y - 1));
    }
    void Paint(std::uint32_t y, std::uint8_t* out) const override {
      std::copy(Row(y), Row(y) + width, out);
    }
    const std::uint8_t* Row(std::uint32_t y) const { return &indices[y * width]; }
    std::size_t width;
    const std::vector<std::uint8_t>& indices;
  } rows(static_cast<std::size_t>(image.width), indices);
  Check(WritePalettePng(encoded, static_cast<std::uint32_t>(image.width),
                        static_cast<std::uint32_t>(image.height), palette, rows),
        "writing a palette picture");
  Check(CheckPng(encoded.bytes) == PngCheck::kValid, "a written picture passes the strict check");
  RgbImage again;
  Check(DecodePng(encoded.bytes, again) == DecodeResult::kDecoded, "a written picture decodes");
  Check(again.width == image.width && again.height == image.height, "round trip keeps the size");
  Check(again.pixels == image.pixels, "round trip keeps the pixels");
  RgbImage independent;
  Check(fuzzing::StbDecode(encoded.bytes, independent), "stb_image takes a written picture");
  Check(independent.pixels == image.pixels, "stb_image sees the pixels written");
}

bool Ink(const RgbImage& image, std::int64_t x, std::int64_t y) {
  const std::uint8_t* p = &image.pixels[static_cast<std::size_t>((y * image.width + x) * 3)];
  return std::min({p[0], p[1], p[2]}) < 50;
}

bool Holds(const RgbImage& image, std::int64_t x0, std::int64_t y0, std::int64_t width,
           std::int64_t height, std::int32_t colour) {
  const std::uint8_t want[3] = {static_cast<std::uint8_t>(colour >> 16),
                                static_cast<std::uint8_t>(colour >> 8),
                                static_cast<std::uint8_t>(colour)};
  for (std::int64_t y = y0; y < y0 + height; ++y) {
    const std::uint8_t* p = &image.pixels[static_cast<std::size_t>((y * image.width + x0) * 3)];
    for (std::int64_t x = 0; x < width; ++x, p += 3) {
      if (std::memcmp(p, want, 3) != 0) return false;
    }
  }
  return true;
}

// The byte and bit of font pixel (c, r).
void BitOf(const Setup& setup, std::int32_t c, std::int32_t r, std::int32_t& byte, int& bit) {
  int place = 0;
  if (setup.rows) {
    byte = r * (setup.width / 8) + c / 8;
    place = c % 8;
  } else if (setup.pages) {
    byte = (r / 8) * setup.width + c;
    place = r % 8;
  } else {
    byte = c * (setup.SymbolHeight() / 8) + r / 8;
    place = r % 8;
  }
  bit = setup.LsbFirst() ? place : 7 - place;
}

// What the run must do, found by reading the sheet here.
struct Expected {
  std::string console;  // everything before the help screen and the report
  bool help = false;
  bool reaches_output = false;  // the font was read whole
  std::vector<std::vector<std::uint8_t>> symbols;
};

// Reads the decoded sheet by the rules of the format; false when it stops at an error, which is
// then the end of expected.console.
bool ReadPlainly(const Setup& setup, const RgbImage& image, Expected& expected) {
  const std::int64_t cell_width = std::int64_t{setup.width} * setup.EffectiveScale();
  const std::int64_t cell_height = std::int64_t{setup.height} * setup.EffectiveScale();
  const std::int64_t d = setup.Delimiter();
  const std::int64_t per_line = setup.EffectivePerLine();
  const std::int64_t k = setup.EffectiveScale();

  bool fits = false;
  std::int64_t used = 0;
  std::int64_t lines = 0;
  const std::int64_t across_room = image.width - d;
  const std::int64_t down_room = image.height - d;
  if (across_room >= cell_width + d && across_room % (cell_width + d) == 0 &&
      down_room >= cell_height + d && down_room % (cell_height + d) == 0) {
    const std::int64_t across = across_room / (cell_width + d);
    const std::int64_t down = down_room / (cell_height + d);
    const std::int64_t along = setup.vertical ? down : across;
    lines = setup.vertical ? across : down;
    fits = along <= per_line && (lines == 1 || along == per_line);
    if (fits) {
      // The last line: used cells up to the first empty one, nothing but empty ones after it.
      used = -1;
      for (std::int64_t place = 0; place < along && fits; ++place) {
        const std::int64_t column = setup.vertical ? lines - 1 : place;
        const std::int64_t row = setup.vertical ? place : lines - 1;
        const bool empty = Holds(image, d + column * (cell_width + d), d + row * (cell_height + d),
                                 cell_width, cell_height, setup.DelimiterColour());
        if (empty && used < 0) used = place;
        if (!empty && used >= 0) fits = false;
      }
      if (used < 0) used = along;
      if (used == 0) fits = false;
      used += (lines - 1) * per_line;
    }
  }
  if (!fits) {
    expected.console += "\r\nERROR: Image size does not fit the symbol size!\r\n";
    expected.console += "       Image: " + std::to_string(image.width) + " x " +
                        std::to_string(image.height) +
                        " pixels. Symbol cell: " + std::to_string(cell_width) + " x " +
                        std::to_string(cell_height) + " pixels, " + (d ? "with" : "without") +
                        " delimiter lines, " + std::to_string(per_line) + " per line.\r\n";
    expected.help = true;
    return false;
  }
  if (used > 4096) {
    expected.console += "\r\nERROR: Image holds more than 4096 symbols!\r\n";
    return false;
  }

  for (std::int64_t i = 0; i < used; ++i) {
    const std::int64_t line = i / per_line;
    const std::int64_t place = i % per_line;
    const std::int64_t x0 = d + (setup.vertical ? line : place) * (cell_width + d);
    const std::int64_t y0 = d + (setup.vertical ? place : line) * (cell_height + d);
    std::vector<std::uint8_t> symbol(static_cast<std::size_t>(setup.SymbolSize()));
    for (std::int32_t r = 0; r < setup.height; ++r) {
      for (std::int32_t c = 0; c < setup.width; ++c) {
        const std::int64_t x = x0 + c * k;
        const std::int64_t y = y0 + r * k;
        const bool ink = Ink(image, x, y);
        for (std::int64_t dy = 0; dy < k; ++dy) {
          for (std::int64_t dx = 0; dx < k; ++dx) {
            if (Ink(image, x + dx, y + dy) == ink) continue;
            expected.console += "\r\nERROR: Pixel block of mixed colors in symbol #" +
                                std::to_string(i + 1) + "!\r\n       Symbol pixel " +
                                std::to_string(c) + ", " + std::to_string(r) + ", image pixel " +
                                std::to_string(x) + ", " + std::to_string(y) + ".\r\n";
            expected.help = true;
            return false;
          }
        }
        if (ink) {
          std::int32_t byte = 0;
          int bit = 0;
          BitOf(setup, c, r, byte, bit);
          symbol[static_cast<std::size_t>(byte)] |= static_cast<std::uint8_t>(1u << bit);
        }
      }
    }
    expected.symbols.push_back(std::move(symbol));
    expected.console += "Reading symbol #" + std::to_string(i + 1) + " finished.\r\n";
  }
  return true;
}

// The font text, written here from the rules of the format.
std::string FontTextOf(const Setup& setup, const std::vector<std::vector<std::uint8_t>>& symbols) {
  const std::string_view end = platform::kTextLineEnd;
  const std::string size = std::to_string(setup.width) + "x" + std::to_string(setup.height);
  const std::string count = std::to_string(symbols.size());
  const std::string bytes = std::to_string(setup.SymbolSize());
  std::string text = "// " + size + " font: " + count + " symbols of " + bytes + " bytes, " +
                     std::string(setup.Layout()) + ", " + (setup.LsbFirst() ? "LSB" : "MSB") +
                     " first." + std::string(end);
  text +=
      "const unsigned char font_" + size + "[" + count + "][" + bytes + "] = {" + std::string(end);
  for (std::size_t n = 0; n < symbols.size(); ++n) {
    text += "    {";
    for (std::size_t i = 0; i < symbols[n].size(); ++i) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%s0x%02X", i ? ", " : "", symbols[n][i]);
      text += hex;
    }
    text += n + 1 < symbols.size() ? "},  // #" : "}   // #";
    text += std::to_string(n + 1) + std::string(end);
  }
  text += "};" + std::string(end);
  return text;
}

// The font text as the font reader takes it: no error, the same symbols.
void CheckReaderTakes(const Setup& setup, const std::string& text,
                      const std::vector<std::vector<std::uint8_t>>& symbols) {
  RunState state;
  state.SYMBOLSIZE = setup.SymbolSize();
  StringOutput output;
  {
    Console console(output);
    PrepareWalk(state);
    WalkFontText(state, text, console);
  }
  Check(!state.CONTENTERROR, "the font reader takes the text", output.text());
  Check(state.STOUT, "the font reader leaves the array closed");
  Check(state.SYMBOLSCOUNT == static_cast<std::int32_t>(symbols.size()),
        "the font reader finds every symbol");
  for (std::int32_t n = 1; n <= state.SYMBOLSCOUNT; ++n) {
    Check(state.SYMBOLSDATA.Symbol(n) == symbols[static_cast<std::size_t>(n - 1)],
          "the font reader gets the same bytes");
  }
}

void CheckReport(const Setup& setup, const std::string& report, const std::string& stem) {
  std::string upper_stem = stem;
  for (char& c : upper_stem) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  const std::int32_t dm = setup.DelimiterColour();
  const std::string lines[] = {
      "\r\nCurrent program parameters:\r\ninFileNameFound = True\r\n",
      "\r\ninFileName = " + upper_stem + ".PNG\r\noutFileName = " + upper_stem + ".H\r\n",
      std::string("\r\nVerticalOutput = ") + (setup.vertical ? "True" : "False") +
          "\r\nNoDelimeter = " + (setup.no_delimiter ? "True" : "False") + "\r\n",
      "\r\nFontWidth = " + std::to_string(setup.width) +
          "\r\nFontHeight = " + std::to_string(setup.height) +
          "\r\nSymbolHeight = " + std::to_string(setup.SymbolHeight()) +
          "\r\nSymbolSize = " + std::to_string(setup.SymbolSize()) + "\r\n",
      "\r\nclDM = R:" + std::to_string(dm >> 16 & 0xFF) + " G:" + std::to_string(dm >> 8 & 0xFF) +
          " B:" + std::to_string(dm & 0xFF) + "\r\n",
  };
  for (const std::string& line : lines) Check(Contains(report, line), "report line", line + report);
  std::string layout(setup.Layout());
  layout[0] = static_cast<char>(layout[0] - 32);
  const std::string tail = "\r\nByteLayout = " + layout +
                           "\r\nFirstBit = " + (setup.LsbFirst() ? "LSB" : "MSB") +
                           "\r\nSymbolsPerLine = " + std::to_string(setup.EffectivePerLine()) +
                           "\r\nScale = " + std::to_string(setup.EffectiveScale()) +
                           "\r\nOverwrite = " + (setup.overwrite ? "True" : "False") +
                           "\r\nArrayRead = False\r\nArrayName = \r\nSkipValues = 0"
                           "\r\nValueBits = 8\r\nFlatText = False\r\nFindLayouts = False\r\n\r\n";
  Check(report.size() >= tail.size() &&
            report.compare(report.size() - tail.size(), tail.size(), tail) == 0,
        "report ends with the sheet options", report);
}

void CheckConsoleLines(const std::string& out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r') Check(i + 1 < out.size() && out[i + 1] == '\n', "CR without LF", out);
    if (out[i] == '\n') Check(i > 0 && out[i - 1] == '\r', "LF without CR", out);
  }
}

}  // namespace
}  // namespace fontscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fontscan;
  constexpr std::size_t kPrefix = 6;
  if (size < kPrefix || size > 4 * 1024 * 1024) return 0;
  Setup setup = ReadSetup(data);
  const std::string file = Prepare(
      std::string_view(reinterpret_cast<const char*>(data) + kPrefix, size - kPrefix), setup.form);
  const std::string_view png = file;
  const std::string stem = std::to_string(setup.width) + "x" + std::to_string(setup.height) + "_f";
  const std::vector<std::string> arguments = Arguments(setup, stem + ".png");
  const std::optional<DeclaredSize> declared = HeaderOf(png);
  if (declared && declared->valid) {
    const std::uint64_t pixels = declared->width * declared->height;
    if (pixels > kMaxFuzzedPixels && pixels <= std::uint64_t{kMaxSheetPixels}) return 0;
  }

  // The sheet's own reading, with the codec round trip on the way.
  RgbImage image;
  DecodeResult decoded = DecodeResult::kFailed;
  switch (CheckPng(png)) {
    case PngCheck::kValid:
      Check(fuzzing::StbDecode(png, image), "stb_image takes a file that passes the check");
      decoded = DecodeResult::kDecoded;
      break;
    case PngCheck::kTooBig:
      decoded = DecodeResult::kTooBig;
      break;
    case PngCheck::kInvalid:
      break;
  }
  if (declared && declared->valid && declared->width * declared->height > kMaxSheetPixels) {
    Check(decoded == DecodeResult::kTooBig, "a valid header over the limit is too big");
  }
  if (decoded == DecodeResult::kTooBig) {
    Check(declared && declared->valid && declared->width * declared->height > kMaxSheetPixels,
          "too big only for a valid header over the limit");
  }
  if (decoded == DecodeResult::kDecoded) CheckCodecRoundTrip(image, png);

  // What the run must do.
  const std::string out_path = stem + ".h";
  Expected expected;
  const bool file_read =
      setup.input == InputBehaviour::kWhole || setup.input == InputBehaviour::kPieces;
  if (file_read && decoded == DecodeResult::kDecoded) {
    expected.console = "\r\nReading input file finished.\r\n";
    if (setup.rows && setup.width % 8 != 0) {
      expected.console += "\r\nERROR: Row layout needs a font width that is a multiple of 8!\r\n";
    } else {
      expected.reaches_output = ReadPlainly(setup, image, expected);
    }
  } else if (file_read && decoded == DecodeResult::kTooBig) {
    expected.console = "\r\nERROR: Input image is too big!\r\n";
  } else {
    expected.console = "\r\nERROR: Error while loading input file!\r\n";
  }
  bool expect_written = false;
  bool expect_write_call = false;
  if (expected.reaches_output) {
    if (!setup.overwrite && setup.output == OutputBehaviour::kExists) {
      expected.console += "\r\nERROR: Output file already exists, add /Y to replace it!\r\n";
    } else {
      expect_write_call = true;
      expect_written = setup.output != OutputBehaviour::kWriteFails &&
                       !(setup.output == OutputBehaviour::kAppears && !setup.overwrite);
      expected.console += expect_written ? "\r\nWriting output file finished.\r\n"
                                         : "\r\nERROR: Error while writing output file!\r\n";
    }
  }

  // The run.
  MemoryFiles files(stem + ".png", png, setup.input);
  MemoryOutputs outputs(setup.output);
  const RunServices services{files, platform::UpperCase, platform::CompareIgnoringCase};
  RunState state;
  StringOutput output;
  int status = -1;
  {
    Console console(output);
    status = RunFontsheet(state, arguments, services, outputs, console);
  }
  const std::string& out = output.text();

  CheckConsoleLines(out);
  Check(files.opened == 1, "the sheet is opened once");
  Check(status == (expect_written ? 0 : 1), "exit status", out);
  Check((status == 0) == (outputs.writes == 1 && outputs.result == platform::WriteResult::kWritten),
        "exit status 0 exactly when the output was written", out);
  Check(outputs.writes == (expect_write_call ? 1 : 0), "a write only for a font read whole", out);
  if (outputs.writes > 0) {
    Check(outputs.written_path == out_path, "output written next to the sheet",
          outputs.written_path);
    Check(outputs.replaced == setup.overwrite, "replacing only with /Y");
  }
  for (const std::string& asked : outputs.exists_asked) {
    Check(asked == out_path, "existence asked of the output only", asked);
  }
  if (expected.reaches_output && !setup.overwrite) {
    Check(outputs.exists_asked.size() == 1, "existence asked once without /Y");
  }
  Check(CountOf(out, "\r\nERROR: ") == (status == 0 ? 0u : 1u), "one error exactly on failure",
        out);
  Check(!Contains(out, "WARNING"), "no warnings reading a sheet", out);

  Check(out.compare(0, expected.console.size(), expected.console) == 0, "messages of the run",
        "expected:\n" + expected.console + "\ngot:\n" + out);
  const std::string rest = out.substr(std::min(out.size(), expected.console.size()));
  const std::string help = "\r\nCommand line parameters: <filename> [optional parameters]\r\n";
  const std::string report = "\r\nCurrent program parameters:\r\n";
  Check(rest.compare(0, expected.help ? help.size() : report.size(),
                     expected.help ? help : report) == 0,
        "help screen or report right after the messages", rest);
  Check(CountOf(out, help) == (expected.help ? 1u : 0u), "help screen when earned", out);
  Check(CountOf(out, report) == 1, "one report", out);
  CheckReport(setup, out.substr(out.find(report)), stem);

  // Progress lines: one for each symbol read whole, in order.
  std::size_t progress = 0;
  for (std::size_t at = out.find("Reading symbol #"); at != std::string::npos;
       at = out.find("Reading symbol #", at + 1)) {
    ++progress;
    const std::string line = "Reading symbol #" + std::to_string(progress) + " finished.\r\n";
    Check(out.compare(at, line.size(), line) == 0, "progress line", out);
  }

  if (outputs.writes > 0) {
    const std::string& text = outputs.written;
    Check(!text.empty() && text.back() == '\n', "the text ends with a line end");
    Check(progress == expected.symbols.size(), "a progress line for each symbol written");
    const std::string want = FontTextOf(setup, expected.symbols);
    Check(text == want, "font text", "expected:\n" + want + "\ngot:\n" + text);
    CheckReaderTakes(setup, text, expected.symbols);
  }
  return 0;
}
