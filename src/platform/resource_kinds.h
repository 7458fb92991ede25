#pragma once

// Kinds of the entries in the program's built-in resource table (shared with the build's packer).

namespace veltamar {

constexpr int RESOURCE_KIND_RCAD = 1;        // scrambled "RCAD" resource
constexpr int RESOURCE_KIND_UI_PICTURE = 2;  // RGBA picture of the dialogs, menus and toolbar

}  // namespace veltamar
