#pragma once

#include <wx/dialog.h>
#include <wx/gdicmn.h>

#include <functional>

// Small pieces the modeless list dialogs share.

namespace veltamar {

// Dialog templates give their controls' places in dialog units, which follow the dialog's font.
inline wxRect dialogUnitRect(const wxWindow& dialog, int x, int y, int width, int height) {
    return {dialog.ConvertDialogToPixels(wxPoint(x, y)), dialog.ConvertDialogToPixels(wxSize(width, height))};
}

// The close box and Escape (the Cancel key) run close; Enter (the OK key) does nothing. The
// dialog is never destroyed this way: close hides it.
void bindCloseKeys(wxDialog& dialog, std::function<void()> close);

}  // namespace veltamar
