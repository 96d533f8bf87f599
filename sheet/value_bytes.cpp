#include "sheet/value_bytes.h"

namespace fontscan {

std::vector<std::uint8_t> BytesOfValues(const std::vector<std::uint32_t>& values,
                                        std::int32_t value_bits, bool lsb_first) {
  const std::int32_t width = value_bits / 8;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(values.size() * static_cast<std::size_t>(width));
  for (const std::uint32_t value : values) {
    for (std::int32_t i = 0; i < width; ++i) {
      const std::int32_t shift = 8 * (lsb_first ? i : width - 1 - i);
      bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }
  return bytes;
}

std::uint32_t ValueOfBytes(const std::uint8_t* bytes, std::int32_t value_bits, bool lsb_first) {
  const std::int32_t width = value_bits / 8;
  std::uint32_t value = 0;
  for (std::int32_t i = 0; i < width; ++i) {
    const std::int32_t shift = 8 * (lsb_first ? i : width - 1 - i);
    value |= static_cast<std::uint32_t>(bytes[i]) << shift;
  }
  return value;
}

}  // namespace fontscan
