#include "ui/dialog_support.h"

#include <utility>

namespace veltamar {

void bindCloseKeys(wxDialog& dialog, std::function<void()> close) {
    dialog.Bind(wxEVT_CLOSE_WINDOW, [close](wxCloseEvent&) { close(); });
    dialog.Bind(wxEVT_CHAR_HOOK, [close = std::move(close)](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (key == WXK_ESCAPE)
            close();
        else if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER)
            event.Skip();
    });
}

}  // namespace veltamar
