#pragma once

#include <wx/gdicmn.h>

#include "ui/ui_geometry.h"

// The whole area of the display that holds a screen point (the first display when none does).

namespace veltamar {

UiRect screenAreaAt(wxPoint point);

}  // namespace veltamar
