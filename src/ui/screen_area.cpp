#include "ui/screen_area.h"

#include <wx/display.h>

namespace veltamar {

UiRect screenAreaAt(wxPoint point) {
    const int index = wxDisplay::GetFromPoint(point);
    const wxRect r = wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetGeometry();
    return {r.x, r.y, r.width, r.height};
}

}  // namespace veltamar
