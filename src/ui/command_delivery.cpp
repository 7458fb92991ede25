#include "ui/command_delivery.h"

#include <wx/event.h>
#include <wx/window.h>

namespace veltamar {

void sendCommand(wxWindow& target, int id) {
    auto* event = new wxCommandEvent(wxEVT_MENU, id);
    event->SetEventObject(&target);
    target.GetEventHandler()->QueueEvent(event);
}

}  // namespace veltamar
