#include "ui/controls/hyperlink_static.h"

#include <wx/dcbuffer.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include "platform/product_info.h"
#include "ui/controls/face_painting.h"
#include "ui/controls/hyperlink_errors.h"
#include "ui/controls/text_fit.h"

namespace veltamar {

namespace {

TextAlign textAlignOf(long style) {
    if (style & wxALIGN_RIGHT) return TextAlign::Right;
    if (style & wxALIGN_CENTRE_HORIZONTAL) return TextAlign::Centre;
    return TextAlign::Left;
}

}  // namespace

HyperlinkStatic::HyperlinkStatic(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& pos,
                                 const wxSize& size, long style, HyperlinkOptions givenOptions)
    : options(std::move(givenOptions)), alignment(style & (wxALIGN_RIGHT | wxALIGN_CENTRE_HORIZONTAL)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, wxBORDER_NONE);

    if (options.url.empty()) options.url = text;
    SetLabel(text.empty() ? options.url : text);
    if (!options.hoverColour.IsOk())
        options.hoverColour = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    wxFont font = GetFont();
    font.SetUnderlined(options.underline);
    SetFont(font);

    if (options.adjustToFit) {
        const wxRect box(GetPosition(), size.IsFullySpecified() ? size : GetSize());
        const wxSize extent = GetTextExtent(GetLabel());
        const UiRect fitted =
            fitToText({box.x, box.y, box.width, box.height}, extent.x, extent.y, textAlignOf(alignment));
        SetSize(fitted.x, fitted.y, fitted.width, fitted.height);
    } else {
        SetInitialSize(size);
    }

    SetCursor(wxCursor(wxCURSOR_HAND));
    if (!options.url.empty()) SetToolTip(options.url);

    Bind(wxEVT_PAINT, &HyperlinkStatic::onPaint, this);
    Bind(wxEVT_ENTER_WINDOW, &HyperlinkStatic::onEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &HyperlinkStatic::onLeave, this);
    Bind(wxEVT_LEFT_DOWN, &HyperlinkStatic::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &HyperlinkStatic::onLeftUp, this);
}

wxColour HyperlinkStatic::textColour() const {
    if (hovering) return options.hoverColour;
    return visited ? options.visitedColour : options.linkColour;
}

wxSize HyperlinkStatic::DoGetBestClientSize() const {
    return GetTextExtent(GetLabel());
}

int HyperlinkStatic::followLink() {
    bool launched = false;
    if (!options.url.empty()) {
        wxLogNull quiet;  // the failure is reported below, in the program's own words
        launched = wxLaunchDefaultBrowser(options.url);
    }
    const int result = linkOpenResult(options.url.empty(), launched);
    if (linkOpened(result)) {
        visited = true;
        Refresh();
    } else {
        wxBell();
        wxMessageBox(wxString::FromUTF8(linkErrorMessage(result)), APPLICATION_NAME,
                     wxOK | wxICON_EXCLAMATION, wxGetTopLevelParent(this));
    }
    return result;
}

void HyperlinkStatic::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxRect client = GetClientRect();
    paintBackgroundBehind(dc, *this);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(textColour());
    dc.DrawLabel(GetLabel(), client, static_cast<int>(alignment) | wxALIGN_CENTER_VERTICAL);
}

void HyperlinkStatic::onEnter(wxMouseEvent& event) {
    hovering = true;
    Refresh();
    event.Skip();
}

void HyperlinkStatic::onLeave(wxMouseEvent& event) {
    hovering = false;
    pressed = false;
    Refresh();
    event.Skip();
}

void HyperlinkStatic::onLeftDown(wxMouseEvent&) {
    pressed = true;
}

void HyperlinkStatic::onLeftUp(wxMouseEvent& event) {
    const bool click = pressed && GetClientRect().Contains(event.GetPosition());
    pressed = false;
    if (click) followLink();
}

}  // namespace veltamar
