#include "sheet/read_back_step.h"

#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_files.h"
#include "reader/diagnostics.h"
#include "reader/loader.h"
#include "sheet/draw_step.h"
#include "sheet/font_text.h"
#include "sheet/glyph_format.h"
#include "sheet/output_step.h"
#include "sheet/png_check.h"
#include "sheet/png_codec.h"
#include "sheet/read_cells.h"

namespace fontscan {

namespace {

// Takes the rows of the sheet as the strict check hands them on, turns each pixel into its class
// (once per palette entry or grey level where the format allows) and reads the cells from them.
// Nothing is read when the image cannot be a sheet of these options; an interlaced image is
// gathered whole first, as its rows come out of order.
class SheetRows final : public PngRowSink {
 public:
  explicit SheetRows(const RunState& state) : state_(state) {}

  void Begin(const PngFormat& format) override {
    extent_ = {format.width, format.height};
    format_colour_type_ = format.colour_type;
    format_depth_ = format.depth;
    const SheetLayout layout = LayoutOfSheet(state_);
    grid_ = FitCells(layout, extent_);
    const bool row_layout_fits =
        EffectiveLayout(state_) != ByteLayout::kRows || state_.FONTWIDTH % 8 == 0;
    if (!grid_ || !row_layout_fits) return;
    const std::int64_t readable = MAXSYMBOLSCOUNT;
    scanner_.emplace(EffectiveGlyphFormat(state_), state_.SCALE, layout, *grid_, extent_, readable);
    colours_.emplace(format);
    const Rgb empty = RgbOf(state_.CLDM);
    for (int key = 0; key < 256; ++key) {
      key_classes_[key] = PixelClass(colours_->KeyColour(static_cast<std::uint8_t>(key)), empty);
    }
    // Pixels packed below 8 bits: the classes of all the pixels of each byte value at once.
    if (colours_->keyed() && format.depth < 8) {
      per_byte_ = 8 / format.depth;
      for (int byte = 0; byte < 256; ++byte) {
        std::uint8_t keys[8];
        const std::uint8_t packed = static_cast<std::uint8_t>(byte);
        colours_->Keys(&packed, static_cast<std::uint32_t>(per_byte_), keys);
        for (int i = 0; i < per_byte_; ++i) byte_classes_[byte][i] = key_classes_[keys[i]];
      }
    }
    const auto width = static_cast<std::size_t>(format.width);
    classes_.resize(width + 8);
    if (colours_->keyed()) {
      keys_.resize(width);
    } else {
      rgb_.resize(width * 3);
    }
    if (format.interlaced) whole_.resize(width * format.height);
  }

  void Row(const PngPass& pass, std::uint32_t row, const std::uint8_t* data) override {
    if (!scanner_) return;
    if (whole_.empty()) {
      // A row the same as the one before has the same classes.
      const std::size_t size = (std::size_t{pass.width} * BitsPerPixel() + 7) / 8;
      if (row > 0 && std::memcmp(data, last_row_.data(), size) == 0) {
        scanner_->TakeRow(row, classes_.data());
        return;
      }
      last_row_.assign(data, data + size);
      Classify(data, pass.width, classes_.data());
      scanner_->TakeRow(row, classes_.data());
      return;
    }
    Classify(data, pass.width, classes_.data());
    const auto width = static_cast<std::size_t>(extent_.width);
    std::uint8_t* out = &whole_[(pass.y0 + std::size_t{row} * pass.dy) * width + pass.x0];
    for (std::uint32_t i = 0; i < pass.width; ++i) out[std::size_t{i} * pass.dx] = classes_[i];
  }

  // After a valid file: an interlaced image's rows, in order.
  void Finish() {
    if (!scanner_ || whole_.empty()) return;
    const auto width = static_cast<std::size_t>(extent_.width);
    for (std::int64_t y = 0; y < extent_.height; ++y) {
      scanner_->TakeRow(y, &whole_[static_cast<std::size_t>(y) * width]);
    }
    whole_ = {};
  }

  Extent extent() const { return extent_; }
  const std::optional<CellGrid>& grid() const { return grid_; }
  const std::optional<SheetScanner>& scanner() const { return scanner_; }

 private:
  std::size_t BitsPerPixel() const {
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    return static_cast<std::size_t>(kChannels[format_colour_type_] * format_depth_);
  }

  void Classify(const std::uint8_t* data, std::uint32_t pixels, std::uint8_t* classes) {
    if (per_byte_ > 0) {
      // Eight classes a byte go out each time, of which the byte's own stay: the row has room.
      const std::uint32_t bytes = (pixels + static_cast<std::uint32_t>(per_byte_) - 1) /
                                  static_cast<std::uint32_t>(per_byte_);
      const auto step = static_cast<std::size_t>(per_byte_);
      for (std::uint32_t i = 0; i < bytes; ++i) {
        std::memcpy(classes + i * step, byte_classes_[data[i]].data(), 8);
      }
      return;
    }
    if (colours_->keyed()) {
      colours_->Keys(data, pixels, keys_.data());
      for (std::uint32_t x = 0; x < pixels; ++x) classes[x] = key_classes_[keys_[x]];
      return;
    }
    colours_->Colours(data, pixels, rgb_.data());
    const Rgb empty = RgbOf(state_.CLDM);
    for (std::uint32_t x = 0; x < pixels; ++x) {
      const std::uint8_t* p = &rgb_[3 * std::size_t{x}];
      classes[x] = PixelClass({p[0], p[1], p[2]}, empty);
    }
  }

  const RunState& state_;
  Extent extent_{0, 0};
  int format_colour_type_ = 0;
  int format_depth_ = 8;
  std::optional<CellGrid> grid_;
  std::optional<SheetScanner> scanner_;
  std::optional<RowColours> colours_;
  std::uint8_t key_classes_[256] = {};
  int per_byte_ = 0;  // pixels a byte, when below 8 bits each
  std::array<std::array<std::uint8_t, 8>, 256> byte_classes_{};
  std::vector<std::uint8_t> keys_;
  std::vector<std::uint8_t> rgb_;
  std::vector<std::uint8_t> classes_;
  std::vector<std::uint8_t> last_row_;
  std::vector<std::uint8_t> whole_;  // an interlaced image's classes
};

// Reads the file whole and checks it, reading the cells on the way; writes the loading message
// either way.
bool LoadSheet(const RunState& state, const platform::FileSystem& files, SheetRows& rows,
               Console& console) {
  DecodeResult result = DecodeResult::kFailed;
  try {
    std::unique_ptr<platform::ReadableFile> file = files.OpenForReading(state.in_file_path);
    const std::int64_t size = file ? file->Size() : -1;
    if (size > kMaxSheetFileSize) {
      result = DecodeResult::kTooBig;
    } else if (size >= 0) {
      std::string bytes(static_cast<std::size_t>(size), '\0');
      if (ReadWhole(*file, bytes.data(), bytes.size())) {
        file->Close();
        switch (CheckPng(bytes, &rows)) {
          case PngCheck::kValid:
            rows.Finish();
            result = DecodeResult::kDecoded;
            break;
          case PngCheck::kTooBig:
            result = DecodeResult::kTooBig;
            break;
          case PngCheck::kInvalid:
            break;
        }
      }
    }
  } catch (const std::bad_alloc&) {
    result = DecodeResult::kFailed;
  }
  switch (result) {
    case DecodeResult::kDecoded:
      console.WriteLine("\r\nReading input file finished.");
      return true;
    case DecodeResult::kTooBig:
      console.WriteLine("\r\nERROR: Input image is too big!");
      return false;
    case DecodeResult::kFailed:
      break;
  }
  console.WriteLine("\r\nERROR: Error while loading input file!");
  return false;
}

void ReportWrongGeometry(RunState& state, Extent image, const SheetLayout& layout,
                         Console& console) {
  console.WriteLine("\r\nERROR: Image size does not fit the symbol size!");
  console << "       Image: " << static_cast<std::int32_t>(image.width) << " x "
          << static_cast<std::int32_t>(image.height)
          << " pixels. Symbol cell: " << layout.cell_width << " x " << layout.cell_height
          << " pixels, " << (layout.delimiter ? "with" : "without") << " delimiter lines, "
          << layout.per_line << " per line." << CRLF;
  state.FSHOWHELP = true;
}

// Takes `count` symbols into the table, with a progress line for each; false at a mixed block.
bool ReadSymbols(RunState& state, const SheetScanner& scanner, std::int32_t count,
                 Console& console) {
  state.SYMBOLSDATA.SetSymbolSize(state.SYMBOLSIZE);
  const auto size = static_cast<std::size_t>(state.SYMBOLSIZE);
  for (state.SYMBOLSCOUNT = 1; state.SYMBOLSCOUNT <= count; ++state.SYMBOLSCOUNT) {
    state.SYMBOLSDATA.AddSymbol();
    const std::int64_t index = state.SYMBOLSCOUNT - 1;
    const std::optional<MixedBlock> mixed = scanner.Mixed(index);
    if (mixed) {
      console << "\r\nERROR: Pixel block of mixed colors in symbol #" << state.SYMBOLSCOUNT << "!"
              << CRLF;
      console << "       Symbol pixel " << mixed->column << ", " << mixed->row << ", image pixel "
              << static_cast<std::int32_t>(mixed->pixel.x) << ", "
              << static_cast<std::int32_t>(mixed->pixel.y) << "." << CRLF;
      state.FSHOWHELP = true;
      return false;
    }
    std::memcpy(state.SYMBOLSDATA.bytes(state.SYMBOLSCOUNT), scanner.Symbol(index), size);
    WriteSymbolFinished(state, console);
  }
  state.SYMBOLSCOUNT = count;
  return true;
}

}  // namespace

bool ReadBackSheet(RunState& state, const platform::FileSystem& files,
                   const platform::OutputFiles& outputs, Console& console) {
  SheetRows rows(state);
  if (!LoadSheet(state, files, rows, console)) return false;
  if (!RowLayoutFits(state, console)) return false;
  const SheetLayout layout = LayoutOfSheet(state);
  std::optional<std::int64_t> used;
  if (rows.scanner()) used = rows.scanner()->UsedCells();
  if (!used) {
    ReportWrongGeometry(state, rows.extent(), layout, console);
    return false;
  }
  if (*used > MAXSYMBOLSCOUNT) {
    console.WriteLine("\r\nERROR: Image holds more than 4096 symbols!");
    return false;
  }
  try {
    if (!ReadSymbols(state, *rows.scanner(), static_cast<std::int32_t>(*used), console)) {
      return false;
    }
  } catch (const std::bad_alloc&) {
    console.WriteLine("\r\nERROR: Error while loading input file!");
    return false;
  }
  const GlyphFormat format = EffectiveGlyphFormat(state);
  return WriteOutputFile(
      state, outputs, ".h",
      [&](platform::ByteSink& sink) {
        return WriteFontText(format, state.SYMBOLSDATA,
                             {state.ARRAYNAME, state.VALUEBITS, state.FLATTEXT},
                             platform::kTextLineEnd, sink);
      },
      console);
}

}  // namespace fontscan
