#include "ui/controls/icon_check_button.h"

#include <wx/renderer.h>

#include <algorithm>

#include "ui/controls/check_layout.h"
#include "ui/controls/face_painting.h"
#include "ui/ui_pictures.h"
#include "ui/wx_color.h"

namespace veltamar {

namespace {

constexpr int FACE_CORNER_RADIUS = 4;
constexpr int FOCUS_INSET = 2;
constexpr double HOVER_TINT = 0.22;  // share of the highlight colour in the lit face

int wxAlignmentOf(TextAlign align) {
    switch (align) {
        case TextAlign::Centre:
            return wxALIGN_CENTER_HORIZONTAL | wxALIGN_CENTER_VERTICAL;
        case TextAlign::Right:
            return wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
        case TextAlign::Left:
            break;
    }
    return wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL;
}

}  // namespace

IconCheckButton::IconCheckButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                                 const wxSize& size, bool leftText, TextAlign textAlign)
    : OwnerDrawnButton(parent, id, label, pos, size, true),
      mark(CHECK_MARK_SIZE),
      leftText(leftText),
      textAlign(textAlign),
      onDot(rgbColor(0, 255, 0)),
      offDot(rgbColor(0, 127, 0)) {
    SetInitialSize(size);  // again, now that the mark counts in the best size
}

void IconCheckButton::setState(int value, bool redraw) {
    on = value != 0 ? 1 : 0;
    if (redraw) Refresh();
}

void IconCheckButton::setCheck(int value) {
    setState(onStateForCheck(value));
}

void IconCheckButton::setIcons(int onIconId, int offIconId) {
    onIcon = uiBitmap(onIconId);
    offIcon = uiBitmap(offIconId);
    iconsSet = true;
    if (onIcon.IsOk()) mark = onIcon.GetWidth();
    Refresh();
}

void IconCheckButton::setColours(ColorRef onColour, ColorRef offColour) {
    onDot = onColour;
    offDot = offColour;
    Refresh();
}

void IconCheckButton::onClicked() {
    setState(!on);
    postClick();
}

wxSize IconCheckButton::DoGetBestClientSize() const {
    int accel = -1;
    const wxSize text = GetTextExtent(visibleLabel(&accel));
    return {mark + text.x + 10, std::max(mark + 6, text.y + 6)};
}

void IconCheckButton::drawButton(wxDC& dc, const wxRect& client) {
    // The face is the dialog's own face colour (which GTK themes keep apart from their button
    // colour). Under the mouse it lights up as a rounded rectangle tinted with the system highlight
    // colour: light themes make the plain 3-D highlight nearly the face colour itself.
    const wxColour face = backgroundBehind(*this);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(face));
    dc.DrawRectangle(client);
    if (isMouseOver() && IsEnabled()) {
        dc.SetBrush(wxBrush(blend(face, systemColour(wxSYS_COLOUR_HIGHLIGHT), HOVER_TINT)));
        dc.DrawRoundedRectangle(client, FACE_CORNER_RADIUS);
    }
    if (HasFocus()) wxRendererNative::Get().DrawFocusRect(this, dc, wxRect(client).Deflate(FOCUS_INSET));

    const CheckButtonLayout layout =
        layoutCheckButton({client.x, client.y, client.width, client.height}, mark, leftText);
    if (iconsSet) {
        const wxBitmap& icon = on ? onIcon : offIcon;
        if (icon.IsOk()) {
            const wxPoint at(layout.mark.x, layout.mark.y + (layout.mark.height - icon.GetHeight()) / 2);
            dc.DrawBitmap(IsEnabled() ? icon : icon.ConvertToDisabled(), at, true);
        }
    } else {
        drawDot(dc, layout.mark);
    }

    int accel = -1;
    const wxString text = visibleLabel(&accel);
    const wxRect textBox(layout.text.x, layout.text.y, layout.text.width, layout.text.height);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (IsEnabled()) {
        dc.SetTextForeground(systemColour(wxSYS_COLOUR_BTNTEXT));
        dc.DrawLabel(text, textBox, wxAlignmentOf(textAlign), accel);
    } else {
        drawEmbossedLabel(dc, text, textBox, wxAlignmentOf(textAlign), accel);
    }
}

// A round dot with a black rim, filled with the on or off colour (the shadow colour when
// disabled), and a second ring one pixel inside in the off colour.
void IconCheckButton::drawDot(wxDC& dc, const UiRect& box) {
    const wxColour fill =
        !IsEnabled() ? systemColour(wxSYS_COLOUR_BTNSHADOW) : toWxColour(on ? onDot : offDot);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(fill));
    dc.DrawEllipse(box.x, box.y, box.width, box.height);
    dc.SetPen(wxPen(toWxColour(offDot)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawEllipse(box.x + 1, box.y + 1, box.width - 2, box.height - 2);
}

}  // namespace veltamar
