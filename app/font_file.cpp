#include "app/font_file.h"

#include <string>

namespace fontscan {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDirectorySeparator(char c) { return c == '\\' || c == '/'; }

std::int32_t DecimalValue(const std::string& digits) {
  std::int32_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::string_view NamePart(std::string_view path) {
  std::size_t separator = path.find_last_of("\\/:");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string_view Extension(std::string_view path) {
  std::size_t found = path.find_last_of(".\\/:");
  if (found == std::string_view::npos || path[found] != '.') return {};
  if (found == 0 || IsDirectorySeparator(path[found - 1])) return {};
  return path.substr(found);
}

std::optional<CellSize> ReadCellSize(std::string_view name) {
  // The walk keeps the last character of the name out of either digit run.
  const std::size_t length = name.size();
  std::string width;
  std::string height;
  std::size_t j = 0;
  while (j + 1 < length && IsDigit(name[j])) width.push_back(name[j++]);
  if (j < length && name[j] == 'X') {
    ++j;
    while (j + 1 < length && IsDigit(name[j])) height.push_back(name[j++]);
  }
  if (j >= length || name[j] != '_') return std::nullopt;
  if (width.empty() || width.size() > 3 || height.empty() || height.size() > 3) {
    return std::nullopt;
  }
  return CellSize{DecimalValue(width), DecimalValue(height)};
}

void TestFontFile(RunState& state, const Parameter& parameter, const platform::FileSystem& files,
                  Console& console, PngEntry png_entry, std::optional<CellSize> given_size) {
  if (state.INFILENAMEFOUND || !files.IsExistingFile(parameter.typed)) return;
  const std::string& entry = parameter.text;
  // A size given on the command line stands for the name's, and any file name serves.
  std::optional<CellSize> cell = given_size ? given_size : ReadCellSize(NamePart(entry));
  if (!cell) return;
  state.FONTWIDTH = cell->width;
  state.FONTHEIGHT = cell->height;
  if (state.FONTWIDTH < 1 || state.FONTWIDTH > 256 || state.FONTHEIGHT < 1 ||
      state.FONTHEIGHT > 256) {
    return;
  }
  std::string_view extension = Extension(entry);
  const bool sheet = extension == ".PNG";
  if (sheet && png_entry == PngEntry::kRejected) {
    console.WriteLine("\r\nERROR: Input file can't be PNG file!");
    state.FSHOWHELP = true;
    state.FONTWIDTH = -1;
    state.FONTHEIGHT = -1;
    return;
  }
  state.INFILENAMEFOUND = true;
  state.INFILENAME = entry;
  state.in_file_path = parameter.typed;
  state.SHEETINPUT = sheet;
  state.OUTFILENAME = entry.substr(0, entry.size() - extension.size()) + (sheet ? ".H" : ".PNG");
  state.out_file_stem =
      parameter.typed.substr(0, parameter.typed.size() - Extension(parameter.typed).size());
  state.SYMBOLHEIGHT = state.FONTHEIGHT % 8 == 0 ? state.FONTHEIGHT : state.FONTHEIGHT / 8 * 8 + 8;
  state.SYMBOLSIZE = state.FONTWIDTH * state.SYMBOLHEIGHT / 8;
}

}  // namespace fontscan
