#pragma once

#include <memory>
#include <string>

#include "render/frame_renderer.h"

// A window with a double-buffered OpenGL context current on it, through plain Xlib and GLX, for the
// programs that draw the scene without the toolkit: the benchmark makes a window of its own, the
// screensaver draws on a window that another program hands over. Each opens its own connection to
// the display that DISPLAY names.

struct _XDisplay;
struct __GLXcontextRec;

namespace veltamar {

class GlxWindow : public FrameHost {
  public:
    // A new window of the given size at the screen's top-left corner, mapped over everything
    // without a window manager's say. Nothing (and the reason in error) when there is no display
    // or no visual with double-buffered RGBA and a depth buffer.
    static std::unique_ptr<GlxWindow> createOwn(int width, int height, std::string& error);

    // Draws on an existing window of another client (0: the screen's root window). Its size is
    // followed and its end noticed; nothing else is asked of it: no input, no cursor, no property.
    // When its visual has no double-buffered RGBA with a depth buffer, the scene is drawn in a
    // child window of a visual that has, kept at the window's size.
    static std::unique_ptr<GlxWindow> adopt(unsigned long windowId, std::string& error);

    ~GlxWindow() override;
    GlxWindow(const GlxWindow&) = delete;
    GlxWindow& operator=(const GlxWindow&) = delete;

    int width() const { return currentWidth; }
    int height() const { return currentHeight; }
    // The size of the screen the window is on.
    int screenWidth() const { return screenWidthPixels; }
    int screenHeight() const { return screenHeightPixels; }
    // The display connection's file descriptor: readable when events arrive.
    int connectionFd() const;
    // True when the scene is drawn in a child window of its own (the window's visual had no depth
    // buffer or no double buffering).
    bool drawsInChild() const { return child != 0; }

    // Reads every event that has arrived (changes of the window's size, and its end) and checks with
    // a round trip that the window is still there.
    void processEvents();
    // True once the window has been destroyed, or can no longer be drawn on.
    bool gone() const { return windowGone; }

    void hideCursor() override {}
    void swapBuffers() override;

  private:
    GlxWindow() = default;
    // An object with a connection of its own to the display, and no window yet.
    static std::unique_ptr<GlxWindow> connect(std::string& error);
    bool makeContext(std::string& error);

    _XDisplay* display = nullptr;
    unsigned long target = 0;    // the window whose size is followed and whose end is noticed
    unsigned long drawable = 0;  // the window drawn on: the target, or a child of it
    unsigned long child = 0;     // a window of our own inside the target, when one was needed
    bool ownsTarget = false;     // the benchmark's window, destroyed with this object
    unsigned long visualId = 0;  // the visual of the drawn window, which contexts are made for
    __GLXcontextRec* context = nullptr;
    int currentWidth = 0;
    int currentHeight = 0;
    int screenWidthPixels = 0;
    int screenHeightPixels = 0;
    bool windowGone = false;
};

}  // namespace veltamar
