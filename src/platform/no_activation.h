#pragma once

class wxTopLevelWindow;

// A top-level window that never takes the keyboard focus from the window the user works in: the
// desktop does not activate it when it is shown or clicked.

namespace veltamar {

void keepFromActivation(wxTopLevelWindow& window);

}  // namespace veltamar
