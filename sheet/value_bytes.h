// Values of 8, 16 or 32 bits as a symbol's bytes and back: with MSB first the most significant
// byte comes first, with LSB first the least significant, so the bits of a row or column run on
// in the order of the first bit.
#pragma once

#include <cstdint>
#include <vector>

namespace fontscan {

// The bytes of `values`, value_bits / 8 of them each. May throw std::bad_alloc.
std::vector<std::uint8_t> BytesOfValues(const std::vector<std::uint32_t>& values,
                                        std::int32_t value_bits, bool lsb_first);

// The value of the value_bits / 8 bytes at `bytes`.
std::uint32_t ValueOfBytes(const std::uint8_t* bytes, std::int32_t value_bits, bool lsb_first);

}  // namespace fontscan
