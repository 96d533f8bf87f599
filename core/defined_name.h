// A name defined on the command line for the conditional groups of an array.
#pragma once

#include <cstdint>
#include <string>

namespace fontscan {

struct DefinedName {
  std::string name;  // as typed; matched without regard to case
  std::uint64_t value = 1;
};

}  // namespace fontscan
