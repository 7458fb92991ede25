#pragma once

#include <string>

// A plain window of the test's own, as a screensaver daemon or a settings dialog's preview makes
// one for the saver to draw on: mapped at a place on the screen, filled with one colour, with an
// X connection of its own that lives as long as the window.

struct _XDisplay;

namespace veltamar::e2e {

class TestWindow {
  public:
    enum class Visual {
        Default,  // the screen's default visual (on Xvfb: double-buffered OpenGL with a depth buffer)
        Bare,     // a true-colour visual with neither double buffering nor a depth buffer
    };

    // background: 0xRRGGBB. The window is mapped and on the screen when the constructor returns.
    TestWindow(int x, int y, int width, int height, unsigned long background,
               Visual visual = Visual::Default);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    unsigned long id() const { return window; }
    // The id as daemons pass it: 0x-hex.
    std::string hexId() const;
    void resize(int width, int height);
    // Windows other clients have made inside this one.
    int childCount() const;
    // Destroys the window now (as a daemon does when it unblanks).
    void destroy();

  private:
    _XDisplay* display = nullptr;
    unsigned long window = 0;
};

}  // namespace veltamar::e2e
