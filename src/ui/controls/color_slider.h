#pragma once

#include <wx/control.h>
#include <wx/slider.h>
#include <wx/timer.h>

#include "ui/color_ref.h"
#include "ui/controls/slider_geometry.h"
#include "ui/controls/slider_model.h"

// A slider drawn in colours: an elliptic thumb (a checkerboard of the thumb and line colours
// while it is dragged), a sunken channel with a coloured frame, and two small circles at its
// ends. It works like a standard slider: drag the thumb, click beside it to move a page towards
// the click (repeating while the button is held), or use the arrow, page, Home and End keys.
// Vertical sliders have their minimum at the top.
//
// While the position changes through the user it sends the usual slider events to its parent:
// a wxScrollEvent (wxEVT_SCROLL_LINEUP/LINEDOWN/PAGEUP/PAGEDOWN/TOP/BOTTOM/THUMBTRACK) and then
// wxEVT_SLIDER for every change, wxEVT_SCROLL_THUMBRELEASE when a drag ends and
// wxEVT_SCROLL_CHANGED when the mouse button or a key that moved it is let go. setPos() sends
// nothing.

namespace veltamar {

class ColorSlider : public wxControl {
  public:
    // style: wxSL_HORIZONTAL or wxSL_VERTICAL, plus wxSL_TOP / wxSL_LEFT to put the end circles
    // at the top or left instead of the bottom or right.
    ColorSlider(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxSL_HORIZONTAL,
                ColorRef thumbColor = rgbColor(255, 0, 0));

    void setRange(int minimum, int maximum);
    int getRangeMin() const { return model.rangeMin(); }
    int getRangeMax() const { return model.rangeMax(); }
    void setPos(int position);
    int getPos() const { return model.getPos(); }
    void setLineSize(int size) { model.setLineSize(size); }
    void setPageSize(int size) { model.setPageSize(size); }
    int getLineSize() const { return model.lineSize(); }
    int getPageSize() const { return model.pageSize(); }

    // The two colours of the channel's frame (top-left, bottom-right), the colour of the thumb's
    // outline and of the far end circle, and the thumb's fill.
    void setLineColors(ColorRef topLeft, ColorRef bottomRight);
    void setFaceColor(ColorRef color);
    void setThumbColor(ColorRef color);

    bool isVertical() const { return vertical; }
    bool isDragging() const { return dragging; }
    SliderGeometry geometry() const;

    bool Enable(bool enable = true) override;

  protected:
    wxSize DoGetBestClientSize() const override;

  private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onKeyUp(wxKeyEvent& event);
    void onFocusChange(wxFocusEvent& event);
    void onRepeat(wxTimerEvent& event);

    // One page towards the held mouse; false once the thumb has reached it.
    bool pageTowardsMouse();
    void endMouseAction();
    bool step(SliderAction action);
    void notify(wxEventType scrollType);
    void notifyChange(wxEventType scrollType);
    void drawThumb(wxDC& dc, const UiRect& box);

    SliderModel model;
    bool vertical;
    bool marksTopLeft;
    ColorRef lineTopLeft = rgbColor(0, 255, 0);
    ColorRef lineBottomRight = rgbColor(0, 255, 0);
    ColorRef faceColor = rgbColor(0, 255, 0);
    ColorRef thumbColor;

    bool dragging = false;
    int dragOffset = 0;  // from the thumb's centre to the mouse, along the axis
    bool paging = false;
    int pagingPixel = 0;  // the held mouse, along the axis
    bool keyStepped = false;
    wxTimer repeatTimer;
};

}  // namespace veltamar
