#include "app/options.h"

#include "reader/hex_byte.h"

namespace fontscan {

namespace {

// A colour option: `prefix` then rrggbb and nothing more. R, G and B keep what was read even
// when a pair is invalid; the colour changes only when all three are valid.
void ApplyColourOption(RunState& state, std::string_view parameter, std::string_view prefix,
                       std::int32_t& colour) {
  if (parameter.size() != prefix.size() + 6 || parameter.substr(0, prefix.size()) != prefix) {
    return;
  }
  std::string_view pairs = parameter.substr(prefix.size());
  state.R = STRTOHEXBYTE(pairs.substr(0, 2));
  state.G = STRTOHEXBYTE(pairs.substr(2, 2));
  state.B = STRTOHEXBYTE(pairs.substr(4, 2));
  if (state.R >= 0 && state.G >= 0 && state.B >= 0) {
    colour = state.R * 65536 + state.G * 256 + state.B;
  }
}

}  // namespace

void SETCOLORSBW(RunState& state) {
  state.CLDM = 0x666666;
  state.CLG5 = 0xCCCCCC;
  state.CLG10 = 0x999999;
}

void ApplyOptionTests(RunState& state, std::string_view parameter) {
  if (parameter == "/?") state.FSHOWHELP = true;
  if (parameter == "/H") state.FSHOWHELP = true;
  if (parameter == "/V") state.VERTICALOUTPUT = true;
  if (parameter == "/ND") state.NODELIMETER = true;
  if (parameter == "/BW") SETCOLORSBW(state);
  ApplyColourOption(state, parameter, "/CB", state.CLBG);
  ApplyColourOption(state, parameter, "/CF", state.CLFG);
  ApplyColourOption(state, parameter, "/CD", state.CLDM);
  ApplyColourOption(state, parameter, "/CG5", state.CLG5);
  ApplyColourOption(state, parameter, "/CG10", state.CLG10);
}

}  // namespace fontscan
