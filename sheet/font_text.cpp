#include "sheet/font_text.h"

namespace fontscan {

namespace {

std::string_view LayoutName(ByteLayout layout) {
  switch (layout) {
    case ByteLayout::kColumns:
      return "columns";
    case ByteLayout::kPages:
      return "pages";
    case ByteLayout::kRows:
      return "rows";
  }
  return "";
}

}  // namespace

std::string FontText(const GlyphFormat& format, const SymbolTable& symbols,
                     std::string_view line_end) {
  const std::string width = std::to_string(format.width);
  const std::string height = std::to_string(format.height);
  const std::string count = std::to_string(symbols.count());
  const std::string size = std::to_string(symbols.symbol_size());
  std::string text;
  // "0xHH, " for each byte, and a little for the rest of the line.
  text.reserve(static_cast<std::size_t>(symbols.count()) * (symbols.symbol_size() * 6 + 24) + 160);
  text.append("// ").append(width).append("x").append(height).append(" font: ").append(count);
  text.append(" symbols of ").append(size).append(" bytes, ").append(LayoutName(format.layout));
  text.append(", ").append(format.lsb_first ? "LSB" : "MSB").append(" first.").append(line_end);
  text.append("const unsigned char font_").append(width).append("x").append(height);
  text.append("[").append(count).append("][").append(size).append("] = {").append(line_end);

  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const auto symbol_size = static_cast<std::int32_t>(symbols.symbol_size());
  for (std::int32_t number = 1; number <= symbols.count(); ++number) {
    text.append("    {");
    for (std::int32_t index = 0; index < symbol_size; ++index) {
      const std::uint8_t byte = symbols.at(number, index);
      if (index > 0) text.append(", ");
      const char hex[] = {'0', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
      text.append(hex, sizeof hex);
    }
    text.append(number < symbols.count() ? "},  // #" : "}   // #");
    text.append(std::to_string(number)).append(line_end);
  }
  text.append("};").append(line_end);
  return text;
}

}  // namespace fontscan
