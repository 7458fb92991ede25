#include "ui/icon_popup_menu.h"

#include "ui/command_delivery.h"
#include "ui/icon_menu_window.h"

namespace veltamar {

void IconPopupMenu::appendItem(int id, const IconMenuItem* record) {
    entries.push_back({id, record});
}

int IconPopupMenu::track(wxWindow& owner, wxPoint at) {
    std::vector<const IconMenuItem*> records;
    for (const Entry& entry : entries) records.push_back(entry.record);
    auto* menu = new IconMenuWindow(owner, std::move(records), at);
    shown = menu;
    const int index = menu->run();
    shown = nullptr;
    menu->Destroy();

    if (index < 0) return 0;
    const int id = entries[static_cast<std::size_t>(index)].id;
    sendCommand(owner, id);
    return id;
}

}  // namespace veltamar
