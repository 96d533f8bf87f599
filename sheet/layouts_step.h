// Finding a font's layout: the ranking of every layout that fits the font's values, and a probe
// sheet of telling symbols drawn in each.
#pragma once

#include <cstdint>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/output_files.h"
#include "reader/array_reader.h"
#include "sheet/layout_finder.h"

namespace fontscan {

// The values an array reading without symbol rules gave.
FontValues ArrayValuesOf(ArrayReading reading, std::int32_t value_bits);

// Ranks the layouts that fit, reports them and writes the probe sheet beside the input. True
// when the probe sheet was written.
bool FindFontLayouts(const RunState& state, const FontValues& font,
                     const platform::OutputFiles& outputs, Console& console);

}  // namespace fontscan
