#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/imagpng.h>
#include <wx/uiaction.h>

#include <array>
#include <functional>
#include <vector>

#include "render/commands.h"
#include "surface_support.h"
#include "test_frame.h"
#include "ui/icon_menu_item_drawing.h"
#include "ui/icon_menu_window.h"
#include "ui/icon_popup_menu.h"
#include "ui/ui_picture_ids.h"
#include "ui/ui_pictures.h"
#include "ui/wx_color.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

const std::array<IconMenuItem, 2> RECORDS{{
    {MENU_ICON_FISH, MENU_ICON_FISH, "  Add/Delete Fish"},
    {MENU_ICON_EXIT, MENU_ICON_EXIT, "  Exit"},
}};

wxColour at(const wxImage& image, int x, int y) {
    return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

// An opaque pixel of a picture, to find the picture again where it was drawn.
wxPoint opaquePixel(const wxImage& picture) {
    for (int y = picture.GetHeight() / 2; y < picture.GetHeight(); ++y)
        for (int x = picture.GetWidth() / 2; x < picture.GetWidth(); ++x)
            if (picture.GetAlpha(x, y) == 255) return {x, y};
    return {-1, -1};
}

struct MenuOwner {
    explicit MenuOwner(wxWindow* window) : window(window) {
        window->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { commands.push_back(e.GetId()); });
        window->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { ++clicks; });
    }
    wxWindow* window;
    std::vector<int> commands;
    int clicks = 0;
};

// Opens the two-entry menu at a point of the owner and runs script while it is open.
int trackWith(IconPopupMenu& menu, MenuOwner& owner, wxPoint client, const std::function<void()>& script) {
    menu.appendItem(CMD_FISH_DIALOG, &RECORDS[0]);
    menu.appendItem(CMD_EXIT, &RECORDS[1]);
    return whileOpen([&] { return menu.track(*owner.window, screenPoint(*owner.window, client)); }, script,
                     [&] { return menu.window() && !menu.window()->closing(); },
                     [&] {
                         wxKeyEvent escape(wxEVT_KEY_DOWN);
                         escape.m_keyCode = WXK_ESCAPE;
                         menu.window()->onKey(escape);
                     });
}

}  // namespace

TEST(PopupMenuDrawing, NormalAndHighlightedEntriesInTheirColoursWithTheirIcons) {
    wxBitmap bitmap(142, 98, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxRED_BRUSH);
        dc.Clear();
        const std::vector<const IconMenuItem*> items{&RECORDS[0], &RECORDS[1]};
        const wxFont font = fittedMenuFont(dc, items);
        drawIconMenuItem(dc, RECORDS[0], {1, 1, 140, 48}, false, font);
        drawIconMenuItem(dc, RECORDS[1], {1, 49, 140, 48}, true, font);
    }
    const wxImage image = bitmap.ConvertToImage();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    image.SaveFile(e2e::artifactDirectory() + "/popup-entries.png", wxBITMAP_TYPE_PNG);
    const wxColour strip = toWxColour(MENU_STRIP_COLOUR), label = toWxColour(MENU_LABEL_COLOUR);
    const wxColour lit = toWxColour(MENU_HIGHLIGHT_COLOUR);

    // Normal entry: grey strip of 25 pixels, light label area, the icon at (4, 4).
    EXPECT_EQ(at(image, 1, 1), strip);
    EXPECT_EQ(at(image, 25, 45), strip) << "the strip's last column";
    EXPECT_EQ(at(image, 2, 47), strip);
    EXPECT_EQ(at(image, 26, 1), label) << "the label area starts at 25";
    EXPECT_EQ(at(image, 140, 48), label);
    EXPECT_EQ(at(image, 0, 0), *wxRED) << "nothing drawn outside the entry";

    const wxImage fishIcon = uiImage(MENU_ICON_FISH), exitIcon = uiImage(MENU_ICON_EXIT);
    const wxPoint f = opaquePixel(fishIcon), e = opaquePixel(exitIcon);
    ASSERT_GE(f.x, 0);
    ASSERT_GE(e.x, 0);
    EXPECT_EQ(at(image, 4 + f.x, 4 + f.y), at(fishIcon, f.x, f.y));

    // Highlighted entry: black frame round the whole entry, the highlight colour inside it over
    // strip and label alike, the icon one pixel up and left at (3, 51).
    for (auto [x, y] :
         {std::pair{1, 49}, {140, 49}, {1, 96}, {140, 96}, {70, 49}, {70, 96}, {1, 70}, {140, 70}})
        EXPECT_EQ(at(image, x, y), *wxBLACK) << x << "," << y;
    for (auto [x, y] : {std::pair{2, 50}, {139, 95}, {10, 93}, {24, 80}, {100, 52}, {139, 50}})
        EXPECT_EQ(at(image, x, y), lit) << x << "," << y;
    EXPECT_EQ(at(image, 3 + e.x, 51 + e.y), at(exitIcon, e.x, e.y));

    // The labels are written in the label areas, one line each, starting 8 pixels into them (the
    // icons reach 3 pixels into the label area, so the search starts after them).
    auto inked = [&](int top) {
        int count = 0, left = 1000;
        for (int y = top + 2; y < top + 46; ++y)
            for (int x = 28; x < 139; ++x) {
                const wxColour c = at(image, x, y);
                if (c.Red() < 150) {
                    ++count;
                    left = std::min(left, x);
                }
            }
        return std::pair{count, left};
    };
    const auto [fishInk, fishLeft] = inked(1);
    const auto [exitInk, exitLeft] = inked(49);
    EXPECT_GT(fishInk, 60);
    EXPECT_GT(exitInk, 20);
    EXPECT_GT(fishInk, exitInk) << "the longer label has more ink";
    EXPECT_GE(fishLeft, 34) << "text starts no sooner than 8 pixels into the label area";
    EXPECT_GE(exitLeft, 34);
}

TEST(PopupMenu, HoverHighlightsArrowsMoveOneEntryAndEnterSendsTheCommand) {
    TestFrame frame({400, 300});
    MenuOwner owner(frame);
    IconPopupMenu menu;
    std::vector<int> highlights;
    const int chosen = trackWith(menu, owner, {100, 100}, [&] {
        IconMenuWindow& window = *menu.window();
        EXPECT_EQ(window.GetScreenPosition(), screenPoint(*owner.window, {100, 100}));
        EXPECT_EQ(window.GetClientSize(), wxSize(142, 98));
        EXPECT_EQ(window.highlighted(), -1);

        moveMouse(screenPoint(window, {70, 20}));
        EXPECT_EQ(window.highlighted(), 0);
        shoot("popup-hover");
        moveMouse(screenPoint(*owner.window, {350, 250}));
        EXPECT_EQ(window.highlighted(), -1) << "the highlight goes out when the mouse leaves";
        pressKey(WXK_DOWN);
        highlights.push_back(window.highlighted());
        pressKey(WXK_DOWN);
        highlights.push_back(window.highlighted());
        pressKey(WXK_RETURN);
    });
    EXPECT_EQ(highlights, (std::vector<int>{0, 1})) << "one step per key press";
    EXPECT_EQ(chosen, CMD_EXIT);
    EXPECT_EQ(menu.window(), nullptr);
    pump();
    EXPECT_EQ(owner.commands, (std::vector<int>{CMD_EXIT})) << "delivered once, as a menu command";
}

TEST(PopupMenu, AClickOnAnEntryChoosesItButTheOpeningClicksReleaseDoesNot) {
    TestFrame frame({400, 300});
    MenuOwner owner(frame);
    IconPopupMenu menu;
    bool stillOpen = false;
    // The button goes down over what becomes the first entry (the menu opens a little up and left).
    moveMouse(screenPoint(*owner.window, {130, 120}));
    wxUIActionSimulator().MouseDown(wxMOUSE_BTN_RIGHT);
    pump();
    const int chosen = trackWith(menu, owner, {100, 100}, [&] {
        wxUIActionSimulator().MouseUp(wxMOUSE_BTN_RIGHT);
        pump(100);
        stillOpen = !menu.window()->closing();
        EXPECT_EQ(menu.window()->highlighted(), 0) << "the entry under the mouse is lit, not chosen";
        clickAt(screenPoint(*menu.window(), {60, 30}));
    });
    EXPECT_TRUE(stillOpen) << "releasing the right button where it went down chooses nothing";
    EXPECT_EQ(chosen, CMD_FISH_DIALOG);
    pump();
    EXPECT_EQ(owner.commands, (std::vector<int>{CMD_FISH_DIALOG}));
    EXPECT_EQ(owner.clicks, 0) << "the click went to the menu, not the window behind it";
}

TEST(PopupMenu, EscapeOrAClickElsewhereClosesItWithoutACommand) {
    TestFrame frame({400, 300});
    MenuOwner owner(frame);
    int keysBehind = 0;
    frame->Bind(wxEVT_CHAR_HOOK, [&](wxKeyEvent& e) {
        ++keysBehind;
        e.Skip();
    });

    // Without a window manager the keyboard follows the mouse: keep it over the program's window.
    moveMouse(screenPoint(*owner.window, {20, 20}));
    IconPopupMenu byEscape;
    EXPECT_EQ(trackWith(byEscape, owner, {50, 50}, [] { pressKey(WXK_ESCAPE); }), 0);
    EXPECT_EQ(keysBehind, 0) << "Escape belongs to the menu while it is open";

    IconPopupMenu byClick;
    EXPECT_EQ(trackWith(byClick, owner, {50, 50},
                        [&] {
                            clickAt(screenPoint(*owner.window, {300, 250}));
                        }),
              0);
    pump();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(owner.clicks, 0) << "the click that closes the menu does nothing else";
}
