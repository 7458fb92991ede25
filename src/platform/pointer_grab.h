#pragma once

class wxWindow;

// While the object lives, the mouse belongs to the program: presses anywhere on the screen, also
// over other programs' windows, reach the given window (with positions outside it), while the
// program's own windows still get the mouse events over them. Popup menus and palettes use it to
// close on a click elsewhere, and so that a press that began in another window can be dragged
// onto them. When the desktop refuses the grab the program simply goes without.

namespace veltamar {

class PointerGrab {
  public:
    explicit PointerGrab(wxWindow& window);
    ~PointerGrab();
    PointerGrab(const PointerGrab&) = delete;
    PointerGrab& operator=(const PointerGrab&) = delete;

    bool held() const { return seat != nullptr; }

  private:
    void* seat = nullptr;
};

}  // namespace veltamar
