#pragma once

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>

// The pictures of the dialogs, menus, toolbar and palette are built into the program by id.
// These helpers turn one into a wx picture with its transparency. A missing picture gives an
// invalid result (IsOk() is false); whoever draws it then draws without it.

namespace veltamar {

wxImage uiImage(int id);
wxBitmap uiBitmap(int id);
wxIcon uiIcon(int id);

}  // namespace veltamar
