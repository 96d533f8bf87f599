#include "tests/e2e/sheet_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace fontscan::testing {

namespace {

std::string Hex6(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
  return text;
}

std::string HexByte(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

// The colour of a font pixel that is not set: the grid marks every fifth and tenth column and
// row, counted from 1.
std::uint32_t PaperAt(const Colours& colours, int column, int row) {
  if ((column + 1) % 10 == 0 || (row + 1) % 10 == 0) return colours.grid10;
  if ((column + 1) % 5 == 0 || (row + 1) % 5 == 0) return colours.grid5;
  return colours.background;
}

}  // namespace

std::vector<std::string> SheetOptions::Arguments() const {
  std::vector<std::string> arguments;
  if (vertical) arguments.push_back("/V");
  if (no_delimiter) arguments.push_back("/ND");
  if (rows) arguments.push_back("/ROWS");
  if (pages) arguments.push_back("/PAGES");
  if (first == 'L') arguments.push_back("/LSB");
  if (first == 'M') arguments.push_back("/MSB");
  if (scale != 1) arguments.push_back("/S" + std::to_string(scale));
  if (per_line != 16) arguments.push_back("/L" + std::to_string(per_line));
  if (overwrite) arguments.push_back("/Y");
  const Colours defaults;
  if (colours.background != defaults.background)
    arguments.push_back("/CB" + Hex6(colours.background));
  if (colours.ink != defaults.ink) arguments.push_back("/CF" + Hex6(colours.ink));
  if (colours.delimiter != defaults.delimiter) arguments.push_back("/CD" + Hex6(colours.delimiter));
  if (colours.grid5 != defaults.grid5) arguments.push_back("/CG5" + Hex6(colours.grid5));
  if (colours.grid10 != defaults.grid10) arguments.push_back("/CG10" + Hex6(colours.grid10));
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  return arguments;
}

SheetOptions OptionsOf(const std::vector<std::string>& entries) {
  SheetOptions options;
  auto has = [&](std::string_view entry) {
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
  };
  options.vertical = has("/V");
  options.no_delimiter = has("/ND");
  options.rows = has("/ROWS");
  options.pages = has("/PAGES");
  options.first = has("/MSB") ? 'M' : has("/LSB") ? 'L' : 0;
  options.overwrite = has("/Y");
  if (has("/BW")) {
    options.colours.delimiter = 0x666666;
    options.colours.grid5 = 0xCCCCCC;
    options.colours.grid10 = 0x999999;
  }
  for (const std::string& entry : entries) {
    auto colour = [&](std::size_t prefix) {
      return static_cast<std::uint32_t>(std::stoul(entry.substr(prefix), nullptr, 16));
    };
    const bool number = entry.size() > 2 && std::isdigit(static_cast<unsigned char>(entry[2]));
    if (number && entry.rfind("/S", 0) == 0) options.scale = std::stoi(entry.substr(2));
    if (number && entry.rfind("/L", 0) == 0) options.per_line = std::stoi(entry.substr(2));
    if (entry.rfind("/CB", 0) == 0) options.colours.background = colour(3);
    if (entry.rfind("/CF", 0) == 0) options.colours.ink = colour(3);
    if (entry.rfind("/CD", 0) == 0) options.colours.delimiter = colour(3);
    if (entry.rfind("/CG5", 0) == 0) options.colours.grid5 = colour(4);
    if (entry.rfind("/CG10", 0) == 0) options.colours.grid10 = colour(5);
  }
  return options;
}

Place PlaceOf(const FontModel& font, Layout layout, bool lsb, int column, int row) {
  int byte = 0;
  int place = 0;
  switch (layout) {
    case Layout::kColumns:
      byte = column * (font.symbol_height() / 8) + row / 8;
      place = row % 8;
      break;
    case Layout::kPages:
      byte = (row / 8) * font.width + column;
      place = row % 8;
      break;
    case Layout::kRows:
      byte = row * (font.width / 8) + column / 8;
      place = column % 8;
      break;
  }
  const int bit = lsb ? place : 7 - place;
  return {byte, static_cast<std::uint8_t>(1u << bit)};
}

FontModel WithoutPadding(FontModel font, Layout layout, bool lsb) {
  for (Bytes& symbol : font.symbols) {
    for (int row = font.height; row < font.symbol_height(); ++row) {
      for (int column = 0; column < font.width; ++column) {
        const Place place = PlaceOf(font, layout, lsb, column, row);
        symbol[place.byte] = static_cast<std::uint8_t>(symbol[place.byte] & ~place.mask);
      }
    }
  }
  return font;
}

int SymbolsWithPadding(const FontModel& font, Layout layout, bool lsb) {
  const FontModel cleared = WithoutPadding(font, layout, lsb);
  int count = 0;
  for (int i = 0; i < font.count(); ++i) count += font.symbols[i] != cleared.symbols[i];
  return count;
}

FontModel PatternFont(int width, int height, int count, std::uint32_t seed) {
  FontModel font;
  font.width = width;
  font.height = height;
  std::uint32_t state = seed * 2654435761u + 12345u;
  for (int n = 0; n < count; ++n) {
    Bytes symbol(static_cast<std::size_t>(font.symbol_size()));
    for (std::uint8_t& byte : symbol) {
      state = state * 1664525u + 1013904223u;
      byte = static_cast<std::uint8_t>(state >> 24);
    }
    font.symbols.push_back(symbol);
  }
  return font;
}

Point CellOrigin(const FontModel& font, const SheetOptions& options, int index) {
  const int d = options.delimiter();
  const int cell_width = font.width * options.scale;
  const int cell_height = font.height * options.scale;
  const int line = index / options.per_line;
  const int place = index % options.per_line;
  if (options.vertical) return {d + line * (cell_width + d), d + place * (cell_height + d)};
  return {d + place * (cell_width + d), d + line * (cell_height + d)};
}

Image ExpectedSheet(const FontModel& font, const SheetOptions& options) {
  const int n = font.count();
  const int k = options.scale;
  const int d = options.delimiter();
  const int along = std::min(options.per_line, n);                  // A
  const int lines = (n + options.per_line - 1) / options.per_line;  // D
  const int across = options.vertical ? lines : along;
  const int down = options.vertical ? along : lines;
  Image image;
  image.width = across * font.width * k + (across + 1) * d;
  image.height = down * font.height * k + (down + 1) * d;
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height,
                      options.colours.delimiter);
  for (int i = 0; i < n; ++i) {
    const Point origin = CellOrigin(font, options, i);
    for (int r = 0; r < font.height; ++r) {
      for (int c = 0; c < font.width; ++c) {
        const Place place = PlaceOf(font, options.layout(), options.lsb(), c, r);
        const bool set = font.symbols[i][place.byte] & place.mask;
        const std::uint32_t colour = set ? options.colours.ink : PaperAt(options.colours, c, r);
        for (int y = 0; y < k; ++y) {
          for (int x = 0; x < k; ++x) image.at(origin.x + c * k + x, origin.y + r * k + y) = colour;
        }
      }
    }
  }
  return image;
}

std::string FontSource(const FontModel& font) {
  std::string text = "// " + std::to_string(font.width) + "x" + std::to_string(font.height) +
                     " test font, " + std::to_string(font.count()) + " symbols\n";
  text += "const unsigned char font[][" + std::to_string(font.symbol_size()) + "] = {\n";
  for (int i = 0; i < font.count(); ++i) {
    text += "  {";
    for (std::size_t b = 0; b < font.symbols[i].size(); ++b) {
      if (b > 0) text += ",";
      text += HexByte(font.symbols[i][b]);
    }
    text += i + 1 < font.count() ? "},\n" : "}\n";
  }
  text += "};\n";
  return text;
}

std::string ExpectedFontText(const FontModel& font, const SheetOptions& options,
                             std::string_view line_end) {
  const std::string size = std::to_string(font.width) + "x" + std::to_string(font.height);
  const char* layout = options.layout() == Layout::kRows    ? "rows"
                       : options.layout() == Layout::kPages ? "pages"
                                                            : "columns";
  const std::string eol(line_end);
  std::string text = "// " + size + " font: " + std::to_string(font.count()) + " symbols of " +
                     std::to_string(font.symbol_size()) + " bytes, " + layout + ", " +
                     (options.lsb() ? "LSB" : "MSB") + " first." + eol;
  text += "const unsigned char font_" + size + "[" + std::to_string(font.count()) + "][" +
          std::to_string(font.symbol_size()) + "] = {" + eol;
  for (int i = 0; i < font.count(); ++i) {
    text += "    {";
    for (std::size_t b = 0; b < font.symbols[i].size(); ++b) {
      if (b > 0) text += ", ";
      text += HexByte(font.symbols[i][b]);
    }
    text += i + 1 < font.count() ? "},  // #" : "}   // #";
    text += std::to_string(i + 1) + eol;
  }
  text += "};" + eol;
  return text;
}

std::vector<Bytes> ParseFontSource(std::string_view text) {
  // Comments and directive lines first.
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "//") == 0 || text[i] == '#') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (text.compare(i, 2, "/*") == 0) {
      const std::size_t end = text.find("*/", i + 2);
      i = end == std::string_view::npos ? text.size() : end + 1;
    } else {
      plain += text[i];
    }
  }
  std::vector<Bytes> symbols;
  std::size_t i = plain.find('{');
  if (i == std::string::npos) return symbols;
  for (++i; i < plain.size() && plain[i] != '}'; ++i) {
    if (plain[i] != '{') continue;
    Bytes symbol;
    for (++i; i < plain.size() && plain[i] != '}'; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(plain[i]))) continue;
      std::size_t used = 0;
      const bool hex = plain[i] == '0' && i + 1 < plain.size() && (plain[i + 1] | 0x20) == 'x';
      symbol.push_back(
          static_cast<std::uint8_t>(std::stoul(plain.substr(i), &used, hex ? 16 : 10)));
      i += used - 1;
    }
    symbols.push_back(symbol);
  }
  return symbols;
}

}  // namespace fontscan::testing
