#include "ui/dialog_units.h"

#include <wx/font.h>

namespace veltamar {

namespace {

constexpr int DIALOG_POINTS = 8;

// The desktop's sans-serif face at 8 points, in its semi-condensed cut where the desktop has one:
// most sans-serif faces are a little wider than the classic dialog font, whose average character
// is 6 by 13 pixels, and the semi-condensed cut of the common ones comes out at exactly that.
wxFont dialogFont() {
    const wxFont plain(wxFontInfo(DIALOG_POINTS).Family(wxFONTFAMILY_SWISS));
    wxFont narrower = plain;
    if (narrower.SetNativeFontInfoUserDesc("Sans Semi-Condensed 8")) return narrower;
    return plain;
}

}  // namespace

void useDialogFont(wxWindow& dialog) {
    static const wxFont font = dialogFont();
    dialog.SetFont(font);
}

}  // namespace veltamar
