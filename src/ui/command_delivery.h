#pragma once

class wxWindow;

// How the command surfaces (popup menu, toolbar, tool palette) hand a command to the aquarium
// view: as a menu command with the id, queued to the view as a chosen menu entry is, so that the
// view's command handler treats every surface's commands alike.

namespace veltamar {

void sendCommand(wxWindow& target, int id);

}  // namespace veltamar
