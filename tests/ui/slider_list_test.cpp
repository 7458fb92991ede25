#include <gtest/gtest.h>

#include <vector>

#include <wx/uiaction.h>

#include "test_frame.h"
#include "ui/controls/color_list_ctrl.h"
#include "ui/controls/color_slider.h"
#include "ui/wx_color.h"

using namespace veltamar;
using namespace veltamar::uitest;

namespace {

// Records the slider events that reach the parent.
struct SliderEvents {
    explicit SliderEvents(wxWindow* parent) {
        for (const wxEventTypeTag<wxScrollEvent>& type :
             {wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN,
              wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE,
              wxEVT_SCROLL_CHANGED})
            parent->Bind(type, [this](wxScrollEvent& e) {
                scrolls.push_back({e.GetEventType(), e.GetPosition()});
            });
        parent->Bind(wxEVT_SLIDER, [this](wxCommandEvent& e) { moves.push_back(e.GetInt()); });
    }
    int count(wxEventType type) const {
        int n = 0;
        for (const auto& s : scrolls) n += s.type == type;
        return n;
    }
    void clear() {
        scrolls.clear();
        moves.clear();
    }
    struct Scroll {
        wxEventType type;
        int position;
    };
    std::vector<Scroll> scrolls;
    std::vector<int> moves;
};

wxPoint thumbCentre(const ColorSlider& slider) {
    const SliderGeometry g = slider.geometry();
    const UiRect r =
        g.thumbRect(g.pixelForValue(slider.getPos(), slider.getRangeMin(), slider.getRangeMax()));
    return {r.x + r.width / 2, r.y + r.height / 2};
}

}  // namespace

TEST(ColorSlider, DraggingTheThumbMovesItAndReportsEveryStep) {
    TestFrame frame({400, 200});
    auto* slider = new ColorSlider(frame, 1007, {20, 40}, {240, 30});
    slider->setRange(0, 1000);
    slider->setPos(250);
    SliderEvents events(frame);
    pump();

    const wxPoint start = thumbCentre(*slider);
    moveMouse(screenPoint(*slider, start));
    pressLeft();
    EXPECT_TRUE(slider->isDragging());
    moveMouse(screenPoint(*slider, start + wxPoint(30, 0)));
    moveMouse(screenPoint(*slider, start + wxPoint(60, 4)));
    const SliderGeometry g = slider->geometry();
    EXPECT_EQ(slider->getPos(), g.valueForPixel(g.pixelForValue(250, 0, 1000) + 60, 0, 1000));
    EXPECT_EQ(events.count(wxEVT_SCROLL_THUMBTRACK), 2);
    ASSERT_EQ(events.moves.size(), 2u);
    EXPECT_EQ(events.moves.back(), slider->getPos());

    // While dragged the thumb is a checkerboard of the thumb and line colours.
    const Screenshot dragged = shoot("slider-dragged");
    const wxPoint c = thumbCentre(*slider);
    const wxColour a = pixelOf(dragged, *slider, c), b = pixelOf(dragged, *slider, c + wxPoint(1, 0));
    EXPECT_TRUE((near(a, *wxRED) && near(b, *wxGREEN)) || (near(a, *wxGREEN) && near(b, *wxRED)))
        << a.GetAsString() << " " << b.GetAsString();

    releaseLeft();
    EXPECT_FALSE(slider->isDragging());
    EXPECT_EQ(events.count(wxEVT_SCROLL_THUMBRELEASE), 1);
    EXPECT_EQ(events.count(wxEVT_SCROLL_CHANGED), 1);
    const Screenshot released = shoot("slider-released");
    EXPECT_TRUE(near(pixelOf(released, *slider, thumbCentre(*slider)), *wxRED));
    EXPECT_TRUE(near(pixelOf(released, *slider, thumbCentre(*slider) + wxPoint(1, 0)), *wxRED));

    // The end circles: white ringed in red at the minimum, green at the maximum.
    const UiRect first = g.startCircle(), last = g.endCircle();
    EXPECT_TRUE(near(pixelOf(released, *slider, {first.x + 3, first.y + 3}), *wxWHITE));
    EXPECT_TRUE(near(pixelOf(released, *slider, {last.x + 3, last.y + 3}), *wxGREEN));
}

TEST(ColorSlider, ClickBesideTheThumbPagesAndKeysStep) {
    TestFrame frame({400, 300});
    auto* slider = new ColorSlider(frame, 1009, {20, 40}, {240, 30});
    slider->setRange(0, 110);
    slider->setPos(50);
    SliderEvents events(frame);
    pump();

    const SliderGeometry g = slider->geometry();
    clickAt(screenPoint(*slider, {g.trackEnd(), 15}));
    EXPECT_EQ(slider->getPos(), 50 + 22) << "one page of a fifth of the range towards the click";
    EXPECT_EQ(events.count(wxEVT_SCROLL_PAGEDOWN), 1);
    EXPECT_EQ(events.count(wxEVT_SCROLL_CHANGED), 1);

    // Held down, the paging repeats until the thumb reaches the mouse.
    moveMouse(screenPoint(*slider, {g.trackStart() + 2, 15}));
    pressLeft();
    pump(1200);
    releaseLeft();
    EXPECT_EQ(slider->getPos(), 0);
    EXPECT_GE(events.count(wxEVT_SCROLL_PAGEUP), 3);

    events.clear();
    EXPECT_EQ(wxWindow::FindFocus(), slider) << "a click gives the slider the keyboard";
    pressKey(WXK_RIGHT);
    EXPECT_EQ(slider->getPos(), 1);
    pressKey(WXK_END);
    EXPECT_EQ(slider->getPos(), 110);
    pressKey(WXK_PAGEUP);
    EXPECT_EQ(slider->getPos(), 88);
    pressKey(WXK_HOME);
    EXPECT_EQ(slider->getPos(), 0);
    pressKey(WXK_LEFT);
    EXPECT_EQ(slider->getPos(), 0);
    EXPECT_EQ(events.moves, (std::vector<int>{1, 110, 88, 0}))
        << "one change event per move, none at the end";
    EXPECT_EQ(events.count(wxEVT_SCROLL_LINEDOWN), 1);
    EXPECT_EQ(events.count(wxEVT_SCROLL_BOTTOM), 1);
    EXPECT_EQ(events.count(wxEVT_SCROLL_CHANGED), 4);

    slider->setPos(70);
    EXPECT_EQ(events.moves.size(), 4u) << "setting the position from the program sends nothing";
    slider->Disable();
    clickAt(screenPoint(*slider, {g.trackEnd(), 15}));
    EXPECT_EQ(slider->getPos(), 70);
}

TEST(ColorSlider, VerticalSliderHasItsMinimumAtTheTop) {
    TestFrame frame({200, 300});
    auto* slider = new ColorSlider(frame, 1010, {40, 20}, {30, 240}, wxSL_VERTICAL);
    slider->setRange(0, 65535);
    slider->setPos(0);
    pump();
    EXPECT_EQ(thumbCentre(*slider).y, slider->geometry().trackStart());

    const wxPoint start = thumbCentre(*slider);
    moveMouse(screenPoint(*slider, start));
    pressLeft();
    moveMouse(screenPoint(*slider, {start.x, slider->geometry().trackEnd() + 40}));
    releaseLeft();
    EXPECT_EQ(slider->getPos(), 65535) << "dragged to the bottom";
    shoot("slider-vertical");
}

TEST(ColorListCtrl, RowsAreBlueOnSandAndThePlayingRowGreen) {
    TestFrame frame({520, 240});
    auto* list =
        new ColorListCtrl(frame, 1016, {10, 10}, {500, 200}, wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
    list->SetBackgroundColour(wxColour(207, 184, 130));
    list->InsertColumn(0, "Music List", wxLIST_FORMAT_CENTRE, 500);
    for (const char* track : {"/music/one.mp3", "/music/two.mp3", "/music/three.mp3"})
        list->InsertItem(list->GetItemCount(), track);
    ColorListCtrl::setPlayingIndex(1);
    pump();

    const wxColour sand(196, 184, 130), green(0, 255, 0), blue(0, 0, 255);
    auto rowBackgrounds = [&] {
        std::vector<wxColour> colours;
        for (int i = 0; i < list->GetItemCount(); ++i) colours.push_back(list->GetItemBackgroundColour(i));
        return colours;
    };
    EXPECT_EQ(rowBackgrounds(), (std::vector<wxColour>{sand, green, sand}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list->GetItemTextColour(i), blue);

    wxRect row;
    ASSERT_TRUE(list->GetItemRect(1, row));
    const Screenshot shot = shoot("list-playing-row");
    EXPECT_TRUE(near(pixelOf(shot, *list, {row.x + 8, row.y + row.height / 2}), green, 2));
    ASSERT_TRUE(list->GetItemRect(2, row));
    EXPECT_TRUE(near(pixelOf(shot, *list, {row.x + 8, row.y + row.height / 2}), sand, 2));

    // The mark stays with the index: removing the first row moves the third track under it.
    list->DeleteItem(0);
    list->InsertItem(2, "/music/four.mp3");
    pump();
    EXPECT_EQ(rowBackgrounds(), (std::vector<wxColour>{sand, green, sand}));
    EXPECT_EQ(list->GetItemTextColour(2), blue);
    ColorListCtrl::setPlayingIndex(-1);
    EXPECT_EQ(rowBackgrounds(), (std::vector<wxColour>{sand, sand, sand}));
}
