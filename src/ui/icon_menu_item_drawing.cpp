#include "ui/icon_menu_item_drawing.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include "ui/ui_pictures.h"
#include "ui/wx_color.h"

namespace veltamar {

namespace {

wxRect toWx(UiRect r) {
    return {r.x, r.y, r.width, r.height};
}

void fillRect(wxDC& dc, UiRect r, ColorRef colour) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(toWxColour(colour)));
    dc.DrawRectangle(toWx(r));
}

// The entry's picture at 24 x 24, whatever size it was painted at.
wxBitmap menuIcon(int id) {
    wxImage image = uiImage(id);
    if (!image.IsOk()) return {};
    if (image.GetWidth() != MENU_ICON_SIZE || image.GetHeight() != MENU_ICON_SIZE)
        image.Rescale(MENU_ICON_SIZE, MENU_ICON_SIZE, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}

wxString labelOf(const IconMenuItem& item) {
    wxString label = wxString::FromUTF8(item.text);
    label.Replace("\n", " ");
    return label;
}

}  // namespace

wxFont fittedMenuFont(const wxDC& dc, const std::vector<const IconMenuItem*>& items) {
    constexpr double SMALLEST_POINTS = 6.0;
    constexpr double STEP_POINTS = 0.5;
    const int room = menuItemParts({0, 0, MENU_ITEM_WIDTH, MENU_ITEM_HEIGHT}, false).text.width;
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    for (double points = font.GetFractionalPointSize(); points >= SMALLEST_POINTS; points -= STEP_POINTS) {
        font.SetFractionalPointSize(points);
        bool fits = true;
        for (const IconMenuItem* item : items) {
            wxCoord width = 0, height = 0;
            dc.GetTextExtent(labelOf(*item), &width, &height, nullptr, nullptr, &font);
            if (width > room) fits = false;
        }
        if (fits) break;
    }
    return font;
}

void drawIconMenuItem(wxDC& dc, const IconMenuItem& item, UiRect rect, bool highlighted, const wxFont& font) {
    const MenuItemParts parts = menuItemParts(rect, highlighted);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (highlighted) {
        // The 1-pixel frame as four lines of whole pixels, so that no corner is blended.
        const UiRect f = parts.frame;
        for (const UiRect line : {UiRect{f.x, f.y, f.width, 1}, UiRect{f.x, f.bottom() - 1, f.width, 1},
                                  UiRect{f.x, f.y, 1, f.height}, UiRect{f.right() - 1, f.y, 1, f.height}})
            fillRect(dc, line, rgbColor(0, 0, 0));
        fillRect(dc, parts.fill, MENU_HIGHLIGHT_COLOUR);
    } else {
        fillRect(dc, parts.iconStrip, MENU_STRIP_COLOUR);
        fillRect(dc, parts.labelArea, MENU_LABEL_COLOUR);
    }

    const wxBitmap icon = menuIcon(highlighted ? item.selectedIcon : item.normalIcon);
    if (icon.IsOk()) dc.DrawBitmap(icon, parts.icon.x, parts.icon.y, true);

    const wxRect text = toWx(parts.text);
    wxDCClipper clip(dc, text);
    dc.SetFont(font);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_MENUTEXT));
    dc.DrawLabel(labelOf(item), text, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

}  // namespace veltamar
