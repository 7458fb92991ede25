#include "view/aquarium_view.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/dcclient.h>
#include <wx/display.h>

#include <array>
#include <cstdlib>

#include "audio/sound_arbiter.h"
#include "platform/gl_release.h"
#include "platform/message_box.h"
#include "render/idle_counter.h"
#include "render/scene_init.h"
#include "ui/aquarium_settings_dialog.h"
#include "ui/background_images_dialog.h"
#include "ui/fish_number_dialog.h"
#include "ui/icon_popup_menu.h"
#include "ui/music_list_dialog.h"
#include "ui/toolbar_dialog.h"
#include "ui/ui_picture_ids.h"
#include "view/view_commands.h"

namespace veltamar {

namespace {

// RGBA, double-buffered, 24-bit colour; a 32-bit depth buffer when the display has one, else 24.
bool chooseAttributes(wxGLAttributes& attributes, int depthBits) {
    attributes.Reset();
    attributes.PlatformDefaults().RGBA().DoubleBuffer().MinRGBA(8, 8, 8, 0).Depth(depthBits).EndList();
    return wxGLCanvas::IsDisplaySupported(attributes);
}

}  // namespace

AquariumView* AquariumView::create(wxWindow* parent) {
    wxGLAttributes attributes;
    bool found = chooseAttributes(attributes, 32) || chooseAttributes(attributes, 24);
    if (!found) {
        attributes.Reset();
        attributes.PlatformDefaults().Defaults().EndList();
    }
    return new AquariumView(parent, attributes, found);
}

AquariumView::AquariumView(wxWindow* parent, const wxGLAttributes& attributes, bool formatFound)
    : wxGLCanvas(parent, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE),
      dialogs{runFishNumberDialog, runAquariumSettingsDialog},
      palette(view.paletteSelection, dialogs),
      formatFound(formatFound),
      frameTimer(this),
      clockStart(std::chrono::steady_clock::now()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);  // the frame paints every pixel; nothing is erased
    Bind(wxEVT_PAINT, &AquariumView::onPaint, this);
    Bind(wxEVT_SIZE, &AquariumView::onSize, this);
    Bind(wxEVT_TIMER, &AquariumView::onTimer, this);
    Bind(wxEVT_LEFT_DOWN, &AquariumView::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &AquariumView::onLeftUp, this);
    Bind(wxEVT_MOTION, &AquariumView::onMotion, this);
    Bind(wxEVT_RIGHT_DOWN, &AquariumView::onRightDown, this);
    Bind(wxEVT_MIDDLE_DOWN, &AquariumView::onMiddleDown, this);
    Bind(wxEVT_KEY_DOWN, &AquariumView::onKeyDown, this);
    Bind(wxEVT_MENU, &AquariumView::onMenu, this);
}

AquariumView::~AquariumView() { destroySequence(); }

void AquariumView::initialiseScene() {
    int display = wxDisplay::GetFromWindow(this);
    const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetGeometry();
    if (!toolbarStrip) toolbarStrip = new ToolbarDialog(*this, screen, dialogs.fishNumber);

    if (!formatFound) {
        showMessage("ChoosePixelFormat failed");
    } else {
        auto candidate = std::make_unique<wxGLContext>(this);
        if (!candidate->IsOK() || !SetCurrent(*candidate)) {
            showMessage("SetPixelFormat failed");
        } else {
            context = std::move(candidate);
            requestSwapSync();
            // The scene is drawn in the screen's pixels, which on a scaled desktop are more than
            // its logical size.
            const wxSize pixels = ToPhys(screen.GetSize());
            veltamar::initialiseScene(scene, view, pixels.x, pixels.y);
            if (scene.populated) createListDialogs();
        }
    }
    pacer = FramePacer(nowMs());
    scheduleNextFrame();
}

void AquariumView::onCommand(int id) {
    switch (beginCommand(view, id)) {
        case CommandAction::Exit:
            destroySequence();
            std::exit(0);
        case CommandAction::ShowMusicDialog:
            if (musicDialog) musicDialog->centreAndShow();
            break;
        case CommandAction::ShowBackgroundDialog:
            if (backgroundDialog) backgroundDialog->centreAndShow();
            break;
        case CommandAction::RunFishDialog:
            dialogs.fishNumber();
            break;
        case CommandAction::RunSettingsDialog:
            dialogs.aquariumSettings();
            break;
        case CommandAction::Nothing:
            break;
    }
    finishCommand(view, id);
}

void AquariumView::hideCursor() {
    if (cursorHidden) return;
    SetCursor(wxCursor(wxCURSOR_BLANK));
    cursorHidden = true;
}

void AquariumView::swapBuffers() { SwapBuffers(); }

void AquariumView::drawOneFrame() {
    if (context) drawFrame(scene, view, *this);
}

// One frame per tick of the 15.625 ms grid at most; a frame that overruns its tick lowers the rate
// and the missed ticks are dropped, never drawn late.
void AquariumView::scheduleNextFrame() { frameTimer.StartOnce(pacer.timerDelayMs(nowMs())); }

double AquariumView::nowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clockStart).count();
}

// The music list and background images dialogs, created hidden with the view as parent while the
// OpenGL context is current (the pictures become its textures). Their timers run from now on.
void AquariumView::createListDialogs() {
    musicDialog = new MusicListDialog(this);
    backgroundDialog = new BackgroundImagesDialog(this);
}

// Deletes the dialogs (while the context is still current, so the pictures' textures are released
// in it), releases the OpenGL context and stops the animation; run by the exit command and when the
// view is destroyed.
void AquariumView::destroySequence() {
    delete musicDialog;
    musicDialog = nullptr;
    delete backgroundDialog;
    backgroundDialog = nullptr;
    if (context) {
        releaseCurrentGlContext();
        context.reset();
        scene.contextReady = false;
    }
    frameTimer.Stop();
}

void AquariumView::onPaint(wxPaintEvent&) {
    wxPaintDC validate(this);
    drawOneFrame();
}

void AquariumView::onSize(wxSizeEvent& event) {
    event.Skip();
    if (!context) return;
    const wxSize size = ToPhys(GetClientSize());
    const int width = size.x;
    const int height = size.y == 0 ? 1 : size.y;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.1, 400.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (scene.rippleMesh) resizeRippleMesh(*scene.rippleMesh, width, height);
}

void AquariumView::onTimer(wxTimerEvent&) {
    drawOneFrame();
    arbitrateSound();
    scheduleNextFrame();
}

// The scene and its picking work in the drawing's pixels; the mouse events come in the window's
// logical units, which a scaled desktop makes larger than pixels.
wxPoint AquariumView::pixelPosition(const wxMouseEvent& event) const { return ToPhys(event.GetPosition()); }

void AquariumView::onLeftDown(wxMouseEvent& event) {
    const wxPoint at = pixelPosition(event);
    // The ripple tool measures y from the bottom of the screen.
    if (leftButtonDown(view, at.x, at.y) && scene.rippleMesh)
        addRipple(*scene.rippleMesh, at.x, view.screenHeight - at.y);
    // The pellet drops where this click is. The swirl request keeps picking in every frame of the
    // tools that pick, so the point held now was assembled where the pointer was before the click
    // (at the toolbar's button, say), and must not be taken for it.
    if (view.feedRequest) scene.capture = {};
    event.Skip();
}

void AquariumView::onLeftUp(wxMouseEvent& event) {
    leftButtonUp(view);
    event.Skip();
}

void AquariumView::onMotion(wxMouseEvent& event) {
    const wxPoint at = pixelPosition(event);
    mouseMoved(view, at.x, at.y);
    if (cursorHidden) {
        SetCursor(wxNullCursor);
        cursorHidden = false;
    }
    event.Skip();
}

// The popup menu and its entries exist while the menu is open; the chosen entry comes back as a
// menu command.
void AquariumView::onRightDown(wxMouseEvent& event) {
    const std::array<IconMenuItem, 2> records{{
        {MENU_ICON_FISH, MENU_ICON_FISH, "  Add/Delete Fish"},
        {MENU_ICON_EXIT, MENU_ICON_EXIT, "  Exit"},
    }};
    IconPopupMenu menu;
    menu.appendItem(CMD_FISH_DIALOG, &records[0]);
    menu.appendItem(CMD_EXIT, &records[1]);
    idleCounter = 0;
    menu.track(*this, ClientToScreen(event.GetPosition()));
}

void AquariumView::onMiddleDown(wxMouseEvent& event) {
    openToolPalette(ClientToScreen(event.GetPosition()));
}

void AquariumView::openToolPalette(wxPoint screen) {
    palette.open(*this, screen);
}

void AquariumView::onKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_F1) {
        toggleHelpOverlay(view);
        return;
    }
    if (event.GetKeyCode() == 'T') {
        openToolPalette(wxGetMousePosition());
        return;
    }
    event.Skip();
}

void AquariumView::onMenu(wxCommandEvent& event) { onCommand(event.GetId()); }

}  // namespace veltamar
