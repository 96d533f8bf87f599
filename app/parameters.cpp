#include "app/parameters.h"

#include <algorithm>
#include <utility>

namespace fontscan {

void CollectParameters(RunState& state, const std::vector<std::string>& arguments,
                       UpperCaser upper_case) {
  state.INPARCOUNT = static_cast<std::int32_t>(
      std::min<std::size_t>(arguments.size(), static_cast<std::size_t>(kMaxParameters)));
  state.INPARAMS.clear();
  for (std::int32_t i = 0; i < state.INPARCOUNT; ++i) {
    std::string text = arguments[static_cast<std::size_t>(i)];
    if (!text.empty() && text[0] == '-') text[0] = '/';
    state.INPARAMS.push_back({upper_case(text), arguments[static_cast<std::size_t>(i)]});
  }
}

void SortParameters(RunState& state, ParameterOrder order) {
  std::vector<Parameter>& list = state.INPARAMS;
  const std::size_t count = list.size();
  for (std::size_t i = 1; i < count; ++i) {
    for (std::size_t j = 0; j < count - i; ++j) {
      if (order(list[j].text, list[j + 1].text) > 0) std::swap(list[j], list[j + 1]);
    }
  }
}

}  // namespace fontscan
