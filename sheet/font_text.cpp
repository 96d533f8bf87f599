#include "sheet/font_text.h"

#include <cstring>

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

bool WriteFontText(const GlyphFormat& format, const SymbolTable& symbols, std::string_view line_end,
                   platform::ByteSink& sink) {
  constexpr std::size_t kPiece = 64 * 1024;
  const std::string width = std::to_string(format.width);
  const std::string height = std::to_string(format.height);
  const std::string count = std::to_string(symbols.count());
  const std::string size = std::to_string(symbols.symbol_size());
  std::string text;
  // A piece, and the longest symbol line that can go over it: "0xHH, " for each byte, and a
  // little for the rest of the line.
  text.reserve(kPiece + symbols.symbol_size() * 6 + 160);
  text.append("// ").append(width).append("x").append(height).append(" font: ").append(count);
  text.append(" symbols of ").append(size).append(" bytes, ").append(LayoutName(format.layout));
  text.append(", ").append(format.lsb_first ? "LSB" : "MSB").append(" first.").append(line_end);
  text.append("const unsigned char font_").append(width).append("x").append(height);
  text.append("[").append(count).append("][").append(size).append("] = {").append(line_end);

  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const auto symbol_size = static_cast<std::int32_t>(symbols.symbol_size());
  for (std::int32_t number = 1; number <= symbols.count(); ++number) {
    // The bytes written straight into the text: "0xHH, " each, the last without ", ".
    const std::size_t start = text.size();
    text.resize(start + 5 + static_cast<std::size_t>(symbol_size) * 6 - 2);
    char* out = &text[start];
    std::memcpy(out, "    {", 5);
    out += 5;
    const std::uint8_t* bytes = symbols.bytes(number);
    for (std::int32_t index = 0; index < symbol_size; ++index) {
      const std::uint8_t byte = bytes[index];
      if (index > 0) {
        *out++ = ',';
        *out++ = ' ';
      }
      *out++ = '0';
      *out++ = 'x';
      *out++ = kHexDigits[byte >> 4];
      *out++ = kHexDigits[byte & 0xF];
    }
    text.append(number < symbols.count() ? "},  // #" : "}   // #");
    text.append(std::to_string(number)).append(line_end);
    if (text.size() >= kPiece) {
      if (!sink.Write(text)) return false;
      text.clear();
    }
  }
  text.append("};").append(line_end);
  return sink.Write(text);
}

std::string FontText(const GlyphFormat& format, const SymbolTable& symbols,
                     std::string_view line_end) {
  struct Whole final : platform::ByteSink {
    bool Write(std::string_view piece) override {
      text.append(piece);
      return true;
    }
    std::string text;
  } whole;
  WriteFontText(format, symbols, line_end, whole);
  return whole.text;
}

}  // namespace fontscan
