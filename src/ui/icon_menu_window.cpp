#include "ui/icon_menu_window.h"

#include <wx/dcbuffer.h>

#include "ui/icon_menu_item_drawing.h"
#include "ui/screen_area.h"

namespace veltamar {

namespace {

const wxColour MENU_FRAME_COLOUR(128, 128, 128);

MenuKey menuKey(int code) {
    switch (code) {
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return MenuKey::Up;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return MenuKey::Down;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return MenuKey::Home;
        case WXK_END:
        case WXK_NUMPAD_END:
            return MenuKey::End;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
        case WXK_SPACE:
            return MenuKey::Choose;
        case WXK_ESCAPE:
            return MenuKey::Cancel;
        default:
            return MenuKey::Other;
    }
}

UiPoint placement(wxPoint at, int itemCount) {
    return placeMenuWindow({at.x, at.y}, menuWindowSize(itemCount), screenAreaAt(at));
}

}  // namespace

IconMenuWindow::IconMenuWindow(wxWindow& owner, std::vector<const IconMenuItem*> entries, wxPoint at)
    : wxPopupWindow(&owner, wxBORDER_NONE),
      items(std::move(entries)),
      tracking(static_cast<int>(items.size()),
               [&] {
                   const UiPoint corner = placement(at, static_cast<int>(items.size()));
                   const wxPoint pointer = wxGetMousePosition();
                   return UiPoint{pointer.x - corner.x, pointer.y - corner.y};
               }()),
      session(*this, [this](wxKeyEvent& event) { onKey(event); }) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const UiSize size = menuWindowSize(static_cast<int>(items.size()));
    const UiPoint corner = placement(at, static_cast<int>(items.size()));
    SetSize(corner.x, corner.y, size.width, size.height);

    Bind(wxEVT_PAINT, &IconMenuWindow::onPaint, this);
    Bind(wxEVT_MOTION, &IconMenuWindow::onMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &IconMenuWindow::onLeave, this);
    for (const auto& press :
         {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DCLICK})
        Bind(press, &IconMenuWindow::onPress, this);
    for (const auto& release : {wxEVT_LEFT_UP, wxEVT_RIGHT_UP, wxEVT_MIDDLE_UP})
        Bind(release, &IconMenuWindow::onRelease, this);
}

int IconMenuWindow::run() {
    session.run();
    return chosen;
}

void IconMenuWindow::apply(const MenuStep& step) {
    if (step.redraw) {
        Refresh();
        Update();
    }
    switch (step.outcome) {
        case MenuStep::Outcome::Chosen:
            chosen = step.chosenIndex;
            session.end();
            break;
        case MenuStep::Outcome::Dismissed:
            session.end();
            break;
        case MenuStep::Outcome::StillOpen:
            break;
    }
}

UiPoint IconMenuWindow::pointOf(const wxMouseEvent& event) const {
    return {event.GetX(), event.GetY()};
}

void IconMenuWindow::onKey(wxKeyEvent& event) {
    apply(tracking.keyPressed(menuKey(event.GetKeyCode())));
}

void IconMenuWindow::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(wxPen(MENU_FRAME_COLOUR, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, size.x, size.y);
    const wxFont font = fittedMenuFont(dc, items);
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        drawIconMenuItem(dc, *items[i], menuItemRect(i), i == tracking.highlighted(), font);
}

void IconMenuWindow::onMotion(wxMouseEvent& event) {
    apply(tracking.pointerMoved(pointOf(event)));
}

void IconMenuWindow::onPress(wxMouseEvent& event) {
    apply(tracking.buttonPressed(pointOf(event)));
}

void IconMenuWindow::onRelease(wxMouseEvent& event) {
    apply(tracking.buttonReleased(pointOf(event)));
}

// Leaving the menu puts the highlight out, as moving off the entries does.
void IconMenuWindow::onLeave(wxMouseEvent& event) {
    apply(tracking.pointerMoved({-1, -1}));
    event.Skip();
}

}  // namespace veltamar
