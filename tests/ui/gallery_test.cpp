#include <gtest/gtest.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "test_frame.h"
#include "ui/controls/color_list_ctrl.h"
#include "ui/controls/color_slider.h"
#include "ui/controls/color_swatch_button.h"
#include "ui/controls/hover_button.h"
#include "ui/controls/hyperlink_static.h"
#include "ui/controls/icon_check_button.h"
#include "ui/ui_pictures.h"

using namespace veltamar;
using namespace veltamar::uitest;

// Every control in each of its looks on one dialog-like panel, photographed at rest and while the
// mouse hovers, presses and drags, for people to look at. The checks make sure each photograph
// shows the state it is named after.
TEST(Gallery, EveryControlInItsStates) {
    TestFrame frame({760, 430});
    wxWindow* panel = frame;
    new wxStaticText(panel, wxID_ANY, "Hover buttons", {10, 8});
    auto* flat = new HoverButton(panel, 1007, "&Add", {10, 28}, {70, 26});
    auto* pressed = new HoverButton(panel, 1008, "&Delete", {86, 28}, {70, 26});
    auto* raised = new HoverButton(panel, 1009, "&Random", {162, 28}, {70, 26});
    raised->setFlat(false);
    auto* disabled = new HoverButton(panel, 1010, "&Clear", {238, 28}, {70, 26});
    disabled->Disable();
    auto* picture = new HoverButton(panel, 1001, "Settings", {314, 24}, {100, 36});
    picture->setIcons(138, 0, 32, 32);
    auto* pictureOnly = new HoverButton(panel, 1003, "", {420, 24}, {48, 36});
    pictureOnly->setIcons(138, 0, 32, 32);
    pictureOnly->setShowText(false);

    new wxStaticText(panel, wxID_ANY, "Check buttons", {10, 72});
    auto* dotOn = new IconCheckButton(panel, 1023, "Repeat One", {10, 92}, {120, 24});
    auto* dotOff = new IconCheckButton(panel, 1024, "Repeat All", {136, 92}, {120, 24});
    auto* dotDisabled = new IconCheckButton(panel, 1025, "Random ", {262, 92}, {120, 24});
    for (IconCheckButton* b : {dotOn, dotOff, dotDisabled})
        b->setColours(rgbColor(0, 255, 0), rgbColor(0, 0, 0));
    dotOn->setCheck(1);
    dotDisabled->setCheck(1);
    dotDisabled->Disable();
    auto* iconOn = new IconCheckButton(panel, 1026, "Show Water", {10, 122}, {120, 24});
    auto* iconOff = new IconCheckButton(panel, 1012, "Show Lights", {136, 122}, {120, 24});
    auto* iconDisabled = new IconCheckButton(panel, 1027, "Show Terra", {262, 122}, {120, 24});
    auto* leftText =
        new IconCheckButton(panel, 1011, "On/Off", {388, 122}, {100, 24}, true, TextAlign::Right);
    for (IconCheckButton* b : {iconOn, iconOff, iconDisabled, leftText}) b->setIcons(184, 183);
    iconOn->setCheck(1);
    iconDisabled->setCheck(1);
    iconDisabled->Disable();

    new wxStaticText(panel, wxID_ANY, "Colour swatches", {500, 72});
    const ColorRef swatchColours[] = {rgbColor(0, 0, 0), rgbColor(255, 255, 255), rgbColor(30, 90, 200),
                                      rgbColor(240, 120, 20)};
    int x = 500;
    for (ColorRef c : swatchColours) {
        (new ColorSwatchButton(panel, wxID_ANY, {x, 94}, {40, 20}))->setColor(c);
        x += 48;
    }

    new wxStaticText(panel, wxID_ANY, "Colour sliders", {10, 160});
    auto* dragged = new ColorSlider(panel, 1007, {10, 180}, {220, 28});
    auto* resting = new ColorSlider(panel, 1041, {10, 214}, {220, 28}, wxSL_HORIZONTAL | wxSL_TOP);
    auto* sliderDisabled = new ColorSlider(panel, 1042, {10, 248}, {220, 28});
    sliderDisabled->Disable();
    int pos = 300;
    for (ColorSlider* s : {dragged, resting, sliderDisabled}) {
        s->setRange(0, 1000);
        s->setPos(pos += 150);
    }
    int vx = 250;
    for (int id : {1010, 1009, 1011, 1030}) {
        auto* vertical = new ColorSlider(panel, id, {vx, 176}, {28, 110}, wxSL_VERTICAL);
        vertical->setRange(0, 100);
        vertical->setPos(vx - 230);
        vx += 34;
    }

    new wxStaticText(panel, wxID_ANY, "Music list", {400, 160});
    auto* list =
        new ColorListCtrl(panel, 1016, {400, 180}, {350, 110}, wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
    list->SetBackgroundColour(wxColour(207, 184, 130));
    list->SetTextColour(wxColour(0, 0, 255));
    list->InsertColumn(0, "Music List", wxLIST_FORMAT_CENTRE, 330);
    for (const char* t :
         {"/home/user/Music/reef.mp3", "/home/user/Music/tide.wav", "/home/user/Music/deep.mp3"})
        list->InsertItem(list->GetItemCount(), t);
    ColorListCtrl::setPlayingIndex(1);
    list->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);

    new wxStaticText(panel, wxID_ANY, "Links", {10, 304});
    auto* link = new HyperlinkStatic(panel, 1037, "www.example.com/veltamar", {10, 324});
    auto* hovered = new HyperlinkStatic(panel, 1038, "www.example.com/veltamar/fish", {10, 350});
    new HyperlinkStatic(panel, 1039, "not underlined", {10, 376}, wxDefaultSize, wxALIGN_LEFT, [] {
        HyperlinkOptions o;
        o.underline = false;
        return o;
    }());
    pump(200);

    const wxPoint away = screenPoint(*frame, {740, 410});
    moveMouse(away);
    const Screenshot rest = shoot("gallery-rest");
    // Each photograph shows its control in the named state (its face differs from the resting
    // one) and leaves the other controls as they were.
    auto showsOnly = [&](const Screenshot& shot, const wxWindow& changed, const wxWindow& unchanged) {
        EXPECT_GT(changedPixels(rest, shot, changed), 10) << changed.GetLabel();
        EXPECT_EQ(changedPixels(rest, shot, unchanged), 0) << unchanged.GetLabel();
    };

    moveMouse(screenCentre(*flat));
    EXPECT_TRUE(flat->isMouseOver());
    showsOnly(shoot("gallery-hover-button"), *flat, *pressed);

    moveMouse(screenCentre(*pressed));
    pressLeft();
    EXPECT_TRUE(pressed->isPressed());
    const Screenshot pressedShot = shoot("gallery-pressed-button");
    showsOnly(pressedShot, *pressed, *flat);
    releaseLeft();

    moveMouse(screenCentre(*picture));
    showsOnly(shoot("gallery-hover-picture-button"), *picture, *pictureOnly);

    moveMouse(screenCentre(*dotOff));
    EXPECT_TRUE(dotOff->isMouseOver());
    showsOnly(shoot("gallery-hover-check"), *dotOff, *dotOn);

    const SliderGeometry g = dragged->geometry();
    const UiRect thumb = g.thumbRect(g.pixelForValue(dragged->getPos(), 0, 1000));
    moveMouse(screenPoint(*dragged, {thumb.x + thumb.width / 2, thumb.y + thumb.height / 2}));
    pressLeft();
    moveMouse(screenPoint(*dragged, {thumb.x + thumb.width / 2 + 25, thumb.y + thumb.height / 2}));
    EXPECT_TRUE(dragged->isDragging());
    showsOnly(shoot("gallery-slider-dragged"), *dragged, *resting);
    releaseLeft();

    moveMouse(screenCentre(*hovered));
    EXPECT_TRUE(hovered->isHovering());
    showsOnly(shoot("gallery-hover-link"), *hovered, *link);

    moveMouse(away);
    ColorListCtrl::setPlayingIndex(-1);
}
