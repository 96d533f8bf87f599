#include "sheet/read_back_step.h"

#include <memory>
#include <new>
#include <string>

#include "platform/text_files.h"
#include "reader/diagnostics.h"
#include "reader/loader.h"
#include "sheet/draw_step.h"
#include "sheet/font_text.h"
#include "sheet/glyph_format.h"
#include "sheet/output_step.h"
#include "sheet/png_codec.h"
#include "sheet/read_cells.h"

namespace fontscan {

namespace {

// Reads the file whole and decodes it; writes the loading message either way.
bool LoadSheet(const RunState& state, const platform::FileSystem& files, RgbImage& image,
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
        result = DecodePng(bytes, image);
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

void ReportWrongGeometry(RunState& state, const RgbImage& image, const SheetLayout& layout,
                         Console& console) {
  console.WriteLine("\r\nERROR: Image size does not fit the symbol size!");
  console << "       Image: " << image.width << " x " << image.height
          << " pixels. Symbol cell: " << layout.cell_width << " x " << layout.cell_height
          << " pixels, " << (layout.delimiter ? "with" : "without") << " delimiter lines, "
          << layout.per_line << " per line." << CRLF;
  state.FSHOWHELP = true;
}

// Reads `count` symbols into the table, with a progress line for each; false at a mixed block.
bool ReadSymbols(RunState& state, const InkMap& map, const SheetLayout& layout, std::int32_t count,
                 Console& console) {
  const SymbolReader reader(EffectiveGlyphFormat(state), state.SCALE);
  state.SYMBOLSDATA.SetSymbolSize(state.SYMBOLSIZE);
  for (state.SYMBOLSCOUNT = 1; state.SYMBOLSCOUNT <= count; ++state.SYMBOLSCOUNT) {
    state.SYMBOLSDATA.AddSymbol();
    const std::optional<MixedBlock> mixed =
        reader.Read(map, CellOrigin(layout, state.SYMBOLSCOUNT - 1),
                    state.SYMBOLSDATA.bytes(state.SYMBOLSCOUNT));
    if (mixed) {
      console << "\r\nERROR: Pixel block of mixed colors in symbol #" << state.SYMBOLSCOUNT << "!"
              << CRLF;
      console << "       Symbol pixel " << mixed->column << ", " << mixed->row << ", image pixel "
              << static_cast<std::int32_t>(mixed->pixel.x) << ", "
              << static_cast<std::int32_t>(mixed->pixel.y) << "." << CRLF;
      state.FSHOWHELP = true;
      return false;
    }
    WriteSymbolFinished(state, console);
  }
  state.SYMBOLSCOUNT = count;
  return true;
}

}  // namespace

bool ReadBackSheet(RunState& state, const platform::FileSystem& files,
                   const platform::OutputFiles& outputs, Console& console) {
  RgbImage image;
  if (!LoadSheet(state, files, image, console)) return false;
  if (!RowLayoutFits(state, console)) return false;
  const SheetLayout layout = LayoutOfSheet(state);
  std::optional<std::int64_t> used;
  if (const std::optional<CellGrid> grid = FitCells(layout, {image.width, image.height})) {
    used = CountUsedCells(image, layout, *grid, RgbOf(state.CLDM));
  }
  if (!used) {
    ReportWrongGeometry(state, image, layout, console);
    return false;
  }
  if (*used > MAXSYMBOLSCOUNT) {
    console.WriteLine("\r\nERROR: Image holds more than 4096 symbols!");
    return false;
  }
  try {
    const InkMap map = MapInk(image);
    image = RgbImage();  // what is left to read is in the map
    if (!ReadSymbols(state, map, layout, static_cast<std::int32_t>(*used), console)) {
      return false;
    }
  } catch (const std::bad_alloc&) {
    console.WriteLine("\r\nERROR: Error while loading input file!");
    return false;
  }
  const GlyphFormat format = EffectiveGlyphFormat(state);
  return WriteOutputFile(
      state, outputs, ".h",
      [&](std::string& text) {
        text = FontText(format, state.SYMBOLSDATA,
                        {state.ARRAYNAME, state.VALUEBITS, state.FLATTEXT}, platform::kTextLineEnd);
        return true;
      },
      console);
}

}  // namespace fontscan
