// Drawing the font just read as its sheet.
#pragma once

#include <string_view>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/output_files.h"
#include "sheet/render.h"
#include "sheet/sheet_geometry.h"

namespace fontscan {

// The sheet's layout and colours from the options.
SheetLayout LayoutOfSheet(const RunState& state);
SheetColours ColoursOfSheet(const RunState& state);

// False, with the error, when the layout is Rows and the font width is not a whole number of
// bytes.
bool RowLayoutFits(const RunState& state, Console& console);

// The symbols of a font read without error that are drawn: all that were read whole, at most
// 4096, with the warning when the text ended inside the array; 0 after the error for none.
std::int32_t SymbolsToDraw(const RunState& state, Console& console);

// The sheet of `cells` written beside the input with `extension` in place of its own, after the
// image-size check and the exists rule. True when it was written.
bool WriteSheetFile(const RunState& state, const platform::OutputFiles& outputs,
                    std::string_view extension, const SheetLayout& layout, SheetCells cells,
                    Console& console);

// After a font was read without error: the checks, warnings and errors before drawing, then the
// sheet written next to the font. True when it was written.
bool DrawFontSheet(const RunState& state, const platform::OutputFiles& outputs, Console& console);

}  // namespace fontscan
