#include "sheet/font_text.h"

#include "sheet/value_bytes.h"

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

std::string_view ValueType(std::int32_t value_bits) {
  switch (value_bits) {
    case 16:
      return "uint16_t";
    case 32:
      return "uint32_t";
    default:
      return "unsigned char";
  }
}

// "0x" and `digits` upper-case hex digits.
void AppendHex(std::string& text, std::uint32_t value, std::int32_t digits) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  char hex[10] = {'0', 'x'};
  for (std::int32_t i = 0; i < digits; ++i) {
    hex[2 + i] = kHexDigits[value >> (4 * (digits - 1 - i)) & 0xF];
  }
  text.append(hex, static_cast<std::size_t>(digits) + 2);
}

}  // namespace

bool WriteFontText(const GlyphFormat& format, const SymbolTable& symbols,
                   const FontTextStyle& style, std::string_view line_end,
                   platform::ByteSink& sink) {
  constexpr std::size_t kPiece = 64 * 1024;
  const std::string width = std::to_string(format.width);
  const std::string height = std::to_string(format.height);
  const std::int32_t count = symbols.count();
  const auto symbol_size = static_cast<std::int32_t>(symbols.symbol_size());
  const std::int32_t value_size = style.value_bits / 8;
  const std::int32_t values = symbol_size / value_size;  // a symbol's
  std::string text;
  // A piece, and the longest symbol line that can go over it: "0xHH, " for each byte, and a
  // little for the rest of the line.
  text.reserve(kPiece + static_cast<std::size_t>(symbol_size) * 6 + 200);
  text.append("// ").append(width).append("x").append(height).append(" font: ");
  text.append(std::to_string(count)).append(" symbols of ").append(std::to_string(symbol_size));
  text.append(" bytes, ").append(LayoutName(format.layout)).append(", ");
  text.append(format.lsb_first ? "LSB" : "MSB").append(" first.").append(line_end);
  if (style.value_bits != 8) text.append("#include <stdint.h>").append(line_end);
  text.append("const ").append(ValueType(style.value_bits)).append(" ");
  if (style.name.empty()) {
    text.append("font_").append(width).append("x").append(height);
  } else {
    text.append(style.name);
  }
  if (style.flat) {
    text.append("[").append(std::to_string(static_cast<std::int64_t>(count) * values)).append("]");
  } else {
    text.append("[").append(std::to_string(count)).append("][").append(std::to_string(values));
    text.append("]");
  }
  text.append(" = {").append(line_end);

  for (std::int32_t number = 1; number <= count; ++number) {
    text.append(style.flat ? "    " : "    {");
    const std::uint8_t* bytes = symbols.bytes(number);
    for (std::int32_t index = 0; index < values; ++index) {
      if (index > 0) text.append(", ");
      AppendHex(text, ValueOfBytes(bytes + index * value_size, style.value_bits, format.lsb_first),
                2 * value_size);
    }
    const bool last = number == count;
    if (style.flat) {
      text.append(last ? "   // #" : ",  // #");
    } else {
      text.append(last ? "}   // #" : "},  // #");
    }
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
                     const FontTextStyle& style, std::string_view line_end) {
  struct Whole final : platform::ByteSink {
    bool Write(std::string_view piece) override {
      text.append(piece);
      return true;
    }
    std::string text;
  } whole;
  WriteFontText(format, symbols, style, line_end, whole);
  return whole.text;
}

}  // namespace fontscan
