#include "ui/controls/hover_button.h"

#include <wx/renderer.h>

#include "ui/controls/face_painting.h"
#include "ui/ui_pictures.h"

namespace veltamar {

namespace {

constexpr int ICON_TEXT_SPACING = 3;
constexpr int FOCUS_INSET = 3;

}  // namespace

HoverButton::HoverButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size)
    : OwnerDrawnButton(parent, id, label, pos, size, true) {
    resetColours();
}

void HoverButton::setIcons(int normalIconId, int hoverIconId, int width, int height) {
    normalIcon = uiBitmap(normalIconId);
    hoverIcon = hoverIconId != 0 ? uiBitmap(hoverIconId) : normalIcon;
    iconWidth = width > 0 ? width : (normalIcon.IsOk() ? normalIcon.GetWidth() : 0);
    iconHeight = height > 0 ? height : (normalIcon.IsOk() ? normalIcon.GetHeight() : 0);
    Refresh();
}

void HoverButton::setAlignment(int value) {
    alignment = value == ICON_ABOVE ? ICON_ABOVE : ICON_LEFT;
    Refresh();
}

void HoverButton::setShowText(bool show) {
    showText = show;
    Refresh();
}

// Only flat buttons light up under the mouse.
void HoverButton::setFlat(bool value) {
    flat = value;
    setTracksHover(flat);
    Refresh();
}

void HoverButton::setDrawBorder(bool draw) {
    drawBorder = draw;
    Refresh();
}

void HoverButton::setDrawFlatFocus(bool draw) {
    drawFlatFocus = draw;
    Refresh();
}

void HoverButton::setColour(ColourRole role, const wxColour& value) {
    colours[role] = value;
    Refresh();
}

void HoverButton::resetColours() {
    colours.fill(wxNullColour);
    Refresh();
}

wxColour HoverButton::colour(ColourRole role) const {
    if (colours[role].IsOk()) return colours[role];
    const bool background = role == NORMAL_BACKGROUND || role == ACTIVE_BACKGROUND;
    return background ? backgroundBehind(*this) : systemColour(wxSYS_COLOUR_BTNTEXT);
}

void HoverButton::drawButton(wxDC& dc, const wxRect& client) {
    const bool pressed = isPressed();
    const bool over = isMouseOver();
    const bool active = over || pressed;
    const bool focused = HasFocus();

    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour(active ? ACTIVE_BACKGROUND : NORMAL_BACKGROUND)));
    dc.DrawRectangle(client);

    // A button that is not flat keeps the desktop's own push-button look, pressed and focused as
    // the desktop draws them; flat buttons draw their edges themselves.
    if (!flat) {
        int flags = 0;
        if (pressed) flags |= wxCONTROL_PRESSED;
        if (focused) flags |= wxCONTROL_FOCUSED;
        if (!IsEnabled()) flags |= wxCONTROL_DISABLED;
        wxRendererNative::Get().DrawPushButton(this, dc, client, flags);
    } else if (pressed) {
        drawEdge(dc, client, systemColour(wxSYS_COLOUR_BTNSHADOW), systemColour(wxSYS_COLOUR_BTNSHADOW));
    } else if (over && drawBorder) {
        drawEdge(dc, client, systemColour(wxSYS_COLOUR_BTNHIGHLIGHT), systemColour(wxSYS_COLOUR_BTNSHADOW));
    }

    wxRect content = client;
    if (pressed) content.Offset(1, 1);
    drawPictureAndText(dc, content, active);

    if (focused && flat && drawFlatFocus)
        wxRendererNative::Get().DrawFocusRect(this, dc, wxRect(client).Deflate(FOCUS_INSET));
}

void HoverButton::drawPictureAndText(wxDC& dc, wxRect content, bool active) {
    int accel = -1;
    const wxString text = showText ? visibleLabel(&accel) : wxString();
    const wxBitmap& icon = active ? hoverIcon : normalIcon;
    const bool hasIcon = icon.IsOk();
    const wxBitmap shown = hasIcon && !IsEnabled() ? icon.ConvertToDisabled() : icon;

    wxRect textBox = content;
    if (hasIcon) {
        wxPoint at;
        if (text.empty()) {
            at = {content.x + (content.width - iconWidth) / 2, content.y + (content.height - iconHeight) / 2};
        } else if (alignment == ICON_ABOVE) {
            const int textHeight = dc.GetTextExtent(text).y;
            const int blockTop = content.y + (content.height - iconHeight - textHeight) / 2;
            at = {content.x + (content.width - iconWidth) / 2, blockTop};
            textBox = wxRect(content.x, blockTop + iconHeight, content.width, textHeight);
        } else {
            at = {content.x + ICON_TEXT_SPACING, content.y + (content.height - iconHeight) / 2};
            textBox.x += iconWidth + ICON_TEXT_SPACING;
            textBox.width -= iconWidth + ICON_TEXT_SPACING;
        }
        dc.DrawBitmap(shown, at, true);
    }
    if (text.empty()) return;

    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (IsEnabled()) {
        dc.SetTextForeground(colour(active ? ACTIVE_TEXT : NORMAL_TEXT));
        dc.DrawLabel(text, textBox, wxALIGN_CENTER, accel);
    } else {
        dc.SetTextForeground(systemColour(wxSYS_COLOUR_GRAYTEXT));
        dc.DrawLabel(text, textBox, wxALIGN_CENTER, accel);
    }
}

}  // namespace veltamar
