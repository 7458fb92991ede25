#include "ui/controls/color_slider.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>

#include <optional>

#include "ui/controls/face_painting.h"
#include "ui/wx_color.h"

namespace veltamar {

namespace {

constexpr int FIRST_REPEAT_MS = 500;
constexpr int REPEAT_MS = 100;

std::optional<SliderKey> sliderKeyOf(int keyCode) {
    switch (keyCode) {
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return SliderKey::Left;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return SliderKey::Right;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return SliderKey::Up;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return SliderKey::Down;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            return SliderKey::PageUp;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            return SliderKey::PageDown;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return SliderKey::Home;
        case WXK_END:
        case WXK_NUMPAD_END:
            return SliderKey::End;
        default:
            return std::nullopt;
    }
}

wxEventType scrollEventOf(SliderAction action) {
    switch (action) {
        case SliderAction::LineUp:
            return wxEVT_SCROLL_LINEUP;
        case SliderAction::LineDown:
            return wxEVT_SCROLL_LINEDOWN;
        case SliderAction::PageUp:
            return wxEVT_SCROLL_PAGEUP;
        case SliderAction::PageDown:
            return wxEVT_SCROLL_PAGEDOWN;
        case SliderAction::Top:
            return wxEVT_SCROLL_TOP;
        case SliderAction::Bottom:
            break;
    }
    return wxEVT_SCROLL_BOTTOM;
}

wxRect toWxRect(const UiRect& r) {
    return {r.x, r.y, r.width, r.height};
}

}  // namespace

ColorSlider::ColorSlider(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                         ColorRef thumbColor)
    : vertical((style & wxSL_VERTICAL) != 0),
      marksTopLeft((style & (wxSL_TOP | wxSL_LEFT)) != 0),
      thumbColor(thumbColor),
      repeatTimer(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, wxBORDER_NONE);
    SetInitialSize(size);
    model.setRange(0, 100);

    Bind(wxEVT_PAINT, &ColorSlider::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ColorSlider::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &ColorSlider::onLeftDown, this);
    Bind(wxEVT_MOTION, &ColorSlider::onMotion, this);
    Bind(wxEVT_LEFT_UP, &ColorSlider::onLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &ColorSlider::onCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &ColorSlider::onKeyDown, this);
    Bind(wxEVT_KEY_UP, &ColorSlider::onKeyUp, this);
    Bind(wxEVT_SET_FOCUS, &ColorSlider::onFocusChange, this);
    Bind(wxEVT_KILL_FOCUS, &ColorSlider::onFocusChange, this);
    Bind(wxEVT_TIMER, &ColorSlider::onRepeat, this);
}

void ColorSlider::setRange(int minimum, int maximum) {
    model.setRange(minimum, maximum);
    Refresh();
}

void ColorSlider::setPos(int position) {
    if (model.setPos(position)) Refresh();
}

void ColorSlider::setLineColors(ColorRef topLeft, ColorRef bottomRight) {
    lineTopLeft = topLeft;
    lineBottomRight = bottomRight;
    Refresh();
}

void ColorSlider::setFaceColor(ColorRef color) {
    faceColor = color;
    Refresh();
}

void ColorSlider::setThumbColor(ColorRef color) {
    thumbColor = color;
    Refresh();
}

SliderGeometry ColorSlider::geometry() const {
    const wxSize size = GetClientSize();
    return SliderGeometry(size.x, size.y, vertical, marksTopLeft);
}

bool ColorSlider::Enable(bool enable) {
    if (!wxControl::Enable(enable)) return false;
    if (!enable) endMouseAction();
    Refresh();
    return true;
}

wxSize ColorSlider::DoGetBestClientSize() const {
    return vertical ? wxSize(26, 100) : wxSize(100, 26);
}

void ColorSlider::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxRect client = GetClientRect();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(backgroundBehind(*this)));
    dc.DrawRectangle(client);

    const SliderGeometry g = geometry();
    // The channel: a sunken groove, then a frame in the line colours one pixel inside it.
    const wxRect channel = toWxRect(g.channelRect());
    dc.SetBrush(wxBrush(systemColour(wxSYS_COLOUR_WINDOW)));
    dc.DrawRectangle(channel);
    drawEdge(dc, channel, systemColour(wxSYS_COLOUR_BTNSHADOW), systemColour(wxSYS_COLOUR_BTNHIGHLIGHT));
    drawEdge(dc, wxRect(channel).Deflate(1), toWxColour(lineTopLeft), toWxColour(lineBottomRight));

    drawThumb(dc, g.thumbRect(g.pixelForValue(getPos(), getRangeMin(), getRangeMax())));

    // The end circles: white ringed in the thumb colour at the minimum, the face colour at the
    // maximum.
    const UiRect first = g.startCircle();
    dc.SetPen(wxPen(toWxColour(thumbColor)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawEllipse(toWxRect(first));
    const UiRect last = g.endCircle();
    dc.SetPen(wxPen(toWxColour(faceColor)));
    dc.SetBrush(wxBrush(toWxColour(faceColor)));
    dc.DrawEllipse(toWxRect(last));

    // The focus frame surrounds the thumb's travel and keeps clear of the end circles.
    if (HasFocus()) {
        const UiRect lowest = g.thumbRect(g.trackStart()), highest = g.thumbRect(g.trackEnd());
        const wxRect travel = toWxRect(lowest).Union(toWxRect(highest)).Union(channel).Inflate(2);
        wxRendererNative::Get().DrawFocusRect(this, dc, travel.Intersect(client));
    }
}

// The thumb is an ellipse outlined in the face colour: solid in the thumb colour, or while it is
// dragged a one-pixel checkerboard of the thumb and line colours that starts at the thumb's own
// corner, so it does not shimmer as the thumb moves.
void ColorSlider::drawThumb(wxDC& dc, const UiRect& box) {
    if (box.width <= 0 || box.height <= 0) return;
    const wxRect rect = toWxRect(box);
    if (dragging && IsEnabled()) {
        const wxColour even = toWxColour(thumbColor), odd = toWxColour(lineTopLeft);
        wxImage checker(box.width, box.height);
        checker.InitAlpha();
        const double rx = box.width / 2.0, ry = box.height / 2.0;
        for (int y = 0; y < box.height; ++y) {
            for (int x = 0; x < box.width; ++x) {
                const wxColour& c = ((x + y) & 1) ? odd : even;
                checker.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
                const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
                checker.SetAlpha(x, y, dx * dx + dy * dy <= 1.0 ? 255 : 0);
            }
        }
        dc.DrawBitmap(wxBitmap(checker), rect.GetTopLeft(), true);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
    } else {
        dc.SetBrush(wxBrush(IsEnabled() ? toWxColour(thumbColor) : systemColour(wxSYS_COLOUR_BTNSHADOW)));
    }
    dc.SetPen(wxPen(IsEnabled() ? toWxColour(faceColor) : systemColour(wxSYS_COLOUR_GRAYTEXT)));
    dc.DrawEllipse(rect);
}

void ColorSlider::onLeftDown(wxMouseEvent& event) {
    if (!IsEnabled() || dragging || paging) return;
    if (AcceptsFocus() && FindFocus() != this) SetFocus();
    const SliderGeometry g = geometry();
    const UiPoint p{event.GetX(), event.GetY()};
    const int centre = g.pixelForValue(getPos(), getRangeMin(), getRangeMax());
    if (!HasCapture()) CaptureMouse();
    if (g.thumbRect(centre).contains(p)) {
        dragging = true;
        dragOffset = g.along(p) - centre;
        Refresh();
        return;
    }
    paging = true;
    pagingPixel = g.along(p);
    if (pageTowardsMouse()) repeatTimer.StartOnce(FIRST_REPEAT_MS);
}

void ColorSlider::onMotion(wxMouseEvent& event) {
    const SliderGeometry g = geometry();
    const int along = g.along({event.GetX(), event.GetY()});
    if (dragging) {
        if (model.setPos(g.valueForPixel(along - dragOffset, getRangeMin(), getRangeMax()))) {
            Refresh();
            notifyChange(wxEVT_SCROLL_THUMBTRACK);
        }
    } else if (paging) {
        pagingPixel = along;
    }
    event.Skip();
}

void ColorSlider::onLeftUp(wxMouseEvent&) {
    endMouseAction();
}

void ColorSlider::onCaptureLost(wxMouseCaptureLostEvent&) {
    endMouseAction();
}

void ColorSlider::onRepeat(wxTimerEvent&) {
    if (paging && pageTowardsMouse()) repeatTimer.StartOnce(REPEAT_MS);
}

// Pages only while the mouse is still beyond the thumb, so a held click stops with the thumb under
// the mouse instead of swinging around it.
bool ColorSlider::pageTowardsMouse() {
    const SliderGeometry g = geometry();
    const int centre = g.pixelForValue(getPos(), getRangeMin(), getRangeMax());
    const int half = SliderGeometry::THUMB_ALONG / 2;
    if (pagingPixel >= centre - half && pagingPixel <= centre + half) return false;
    step(pagingPixel < centre ? SliderAction::PageUp : SliderAction::PageDown);
    const int moved = g.pixelForValue(getPos(), getRangeMin(), getRangeMax());
    return moved != centre;
}

void ColorSlider::endMouseAction() {
    repeatTimer.Stop();
    if (HasCapture()) ReleaseMouse();
    if (dragging) {
        dragging = false;
        Refresh();
        notify(wxEVT_SCROLL_THUMBRELEASE);
        notify(wxEVT_SCROLL_CHANGED);
    } else if (paging) {
        paging = false;
        notify(wxEVT_SCROLL_CHANGED);
    }
}

void ColorSlider::onKeyDown(wxKeyEvent& event) {
    const auto key = sliderKeyOf(event.GetKeyCode());
    if (!key || !IsEnabled() || dragging) {
        event.Skip();
        return;
    }
    if (step(actionForKey(*key))) keyStepped = true;
}

void ColorSlider::onKeyUp(wxKeyEvent& event) {
    if (!sliderKeyOf(event.GetKeyCode())) {
        event.Skip();
        return;
    }
    if (keyStepped) notify(wxEVT_SCROLL_CHANGED);
    keyStepped = false;
}

void ColorSlider::onFocusChange(wxFocusEvent& event) {
    Refresh();
    event.Skip();
}

bool ColorSlider::step(SliderAction action) {
    if (!model.apply(action)) return false;
    Refresh();
    notifyChange(scrollEventOf(action));
    return true;
}

void ColorSlider::notify(wxEventType scrollType) {
    wxScrollEvent event(scrollType, GetId(), getPos(), vertical ? wxVERTICAL : wxHORIZONTAL);
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void ColorSlider::notifyChange(wxEventType scrollType) {
    notify(scrollType);
    wxCommandEvent changed(wxEVT_SLIDER, GetId());
    changed.SetInt(getPos());
    changed.SetEventObject(this);
    ProcessWindowEvent(changed);
}

}  // namespace veltamar
