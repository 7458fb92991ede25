#pragma once

#include <wx/glcanvas.h>
#include <wx/timer.h>

#include <chrono>
#include <memory>

#include "platform/frame_pacer.h"
#include "render/frame_renderer.h"
#include "render/scene_state.h"
#include "render/view_state.h"
#include "ui/dialog_runners.h"
#include "ui/tool_palette_dialog.h"

// The aquarium view: the main frame's only child. It owns the OpenGL context and the scene, draws
// one frame per timer tick, turns mouse and keys into requests for the scene and carries out the
// commands that reach it.

namespace veltamar {

class BackgroundImagesDialog;
class MusicListDialog;
class ToolbarDialog;

class AquariumView : public wxGLCanvas, private FrameHost {
public:
    // Creates the view with the best pixel format the display offers. When no format fits, the
    // view still exists but never gets a context ("ChoosePixelFormat failed").
    static AquariumView* create(wxWindow* parent);
    ~AquariumView() override;

    // Builds the OpenGL context and the scene, then starts the frame timer. Called once the view
    // is on screen.
    void initialiseScene();

    // The view's command handler: every surface (popup, toolbar, palette) ends here.
    void onCommand(int id);

    const ViewState& viewState() const { return view; }

    // The command surfaces: the toolbar (made with the scene) and the tool palette.
    ToolbarDialog* toolbar() const { return toolbarStrip; }
    ToolPaletteDialog& toolPalette() { return palette; }
    // Opens the tool palette at a screen point.
    void openToolPalette(wxPoint screen);

private:
    AquariumView(wxWindow* parent, const wxGLAttributes& attributes, bool formatFound);

    void hideCursor() override;
    void swapBuffers() override;

    void drawOneFrame();
    void scheduleNextFrame();
    void destroySequence();
    void createListDialogs();
    double nowMs() const;

    wxPoint pixelPosition(const wxMouseEvent& event) const;
    void onPaint(wxPaintEvent& event);
    void onSize(wxSizeEvent& event);
    void onTimer(wxTimerEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    void onRightDown(wxMouseEvent& event);
    void onMiddleDown(wxMouseEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onMenu(wxCommandEvent& event);

    ViewState view;
    SceneState scene;
    DialogRunners dialogs;
    ToolPaletteDialog palette;
    ToolbarDialog* toolbarStrip = nullptr;  // a child window of the view
    std::unique_ptr<wxGLContext> context;
    bool formatFound;
    bool cursorHidden = false;
    // The two modeless dialogs, created hidden with the scene and deleted with the view.
    MusicListDialog* musicDialog = nullptr;
    BackgroundImagesDialog* backgroundDialog = nullptr;

    wxTimer frameTimer;
    FramePacer pacer;
    std::chrono::steady_clock::time_point clockStart;
};

}  // namespace veltamar
