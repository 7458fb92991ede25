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
    colours[NORMAL_BACKGROUND] = systemColour(wxSYS_COLOUR_BTNFACE);
    colours[NORMAL_TEXT] = systemColour(wxSYS_COLOUR_BTNTEXT);
    colours[ACTIVE_BACKGROUND] = systemColour(wxSYS_COLOUR_BTNFACE);
    colours[ACTIVE_TEXT] = systemColour(wxSYS_COLOUR_BTNTEXT);
    Refresh();
}

void HoverButton::drawButton(wxDC& dc, const wxRect& client) {
    const bool pressed = isPressed();
    const bool over = flat && isMouseOver();
    const bool active = over || pressed;
    const bool focused = HasFocus();

    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colours[active ? ACTIVE_BACKGROUND : NORMAL_BACKGROUND]));
    dc.DrawRectangle(client);

    wxRect face = client;
    if (!flat && focused) {
        drawEdge(dc, face, *wxBLACK, *wxBLACK);
        face.Deflate(1);
    }
    const wxColour light = systemColour(wxSYS_COLOUR_BTNHIGHLIGHT);
    const wxColour shadow = systemColour(wxSYS_COLOUR_BTNSHADOW);
    const wxColour darkShadow = systemColour(wxSYS_COLOUR_3DDKSHADOW);
    if (pressed) {
        if (flat) {
            drawEdge(dc, face, shadow, shadow);
        } else {
            drawEdge(dc, face, shadow, light);
            drawEdge(dc, wxRect(face).Deflate(1), darkShadow, systemColour(wxSYS_COLOUR_3DLIGHT));
        }
    } else if (!flat) {
        drawEdge(dc, face, light, darkShadow);
        drawEdge(dc, wxRect(face).Deflate(1), systemColour(wxSYS_COLOUR_3DLIGHT), shadow);
    } else if (over && drawBorder) {
        drawEdge(dc, face, light, shadow);
    }

    wxRect content = client;
    if (pressed) content.Offset(1, 1);
    drawPictureAndText(dc, content, active);

    if (focused && (!flat || drawFlatFocus))
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
        dc.SetTextForeground(colours[active ? ACTIVE_TEXT : NORMAL_TEXT]);
        dc.DrawLabel(text, textBox, wxALIGN_CENTER, accel);
    } else {
        dc.SetTextForeground(systemColour(wxSYS_COLOUR_GRAYTEXT));
        dc.DrawLabel(text, textBox, wxALIGN_CENTER, accel);
    }
}

}  // namespace veltamar
