#pragma once

#include <wx/colour.h>

#include "ui/color_ref.h"

// Conversions between the program's 0x00BBGGRR colours and wx colours.

namespace veltamar {

inline wxColour toWxColour(ColorRef c) {
    return wxColour(redOf(c), greenOf(c), blueOf(c));
}
inline ColorRef fromWxColour(const wxColour& c) {
    return rgbColor(c.Red(), c.Green(), c.Blue());
}

}  // namespace veltamar
