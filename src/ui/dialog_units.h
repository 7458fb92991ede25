#pragma once

#include <wx/window.h>

// Dialogs are laid out from their templates in dialog units: a quarter of the dialog font's
// average character width across and an eighth of its height down.

namespace veltamar {

// The templates' 8-point sans-serif dialog font, in a face with the proportions the templates were
// drawn for (about 6 by 13 pixels per average character at 96 dots per inch) when the desktop has
// one. Set it before converting any dialog units.
void useDialogFont(wxWindow& dialog);

// A template rectangle in pixels.
inline wxRect dialogRect(const wxWindow& dialog, int x, int y, int width, int height) {
    return {dialog.ConvertDialogToPixels(wxPoint(x, y)), dialog.ConvertDialogToPixels(wxSize(width, height))};
}

}  // namespace veltamar
