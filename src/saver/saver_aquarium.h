#pragma once

#include <functional>
#include <memory>
#include <string>

#include "assets/picture_reader.h"
#include "environment/slide_show.h"
#include "render/scene_state.h"
#include "render/view_state.h"

// The aquarium as the saver shows it: the scene built from the settings as the user set them up
// (read, never written), with no help text and no tool, filling the window at its size, and the
// user's own pictures in their slide show on the backdrop when "Use your own image" is on. Built
// and drawn in the OpenGL context current on the window: a daemon's window for the saver, a
// desktop surface for the wallpaper and the idle screen.

namespace veltamar {

class FrameHost;

class SaverAquarium {
  public:
    // Runs a task on the saver's thread later; called from the picture reader's thread.
    using Poster = std::function<void(std::function<void()>)>;

    // Builds the scene for the window's size (in pixels) and starts reading the user's pictures when
    // their slide show is on. pictureBounds: the size pictures are fitted into (the screen's).
    SaverAquarium(FrameHost& window, int width, int height, int pictureBoundsWidth, int pictureBoundsHeight,
                  Poster post);
    // Lets go of the pictures' textures (the context must still be current) and takes the user's
    // picture off the backdrop.
    ~SaverAquarium();
    SaverAquarium(const SaverAquarium&) = delete;
    SaverAquarium& operator=(const SaverAquarium&) = delete;

    // The window has a new size: the tank, backdrop and sea floor are fitted to it, and the fish,
    // textures and settings stay as they are.
    void resize(int width, int height);

    // One frame, as the aquarium view draws it on its timer tick.
    void drawFrame();
    // The slide show's 200 ms tick, as the background images dialog's timer runs it.
    void pictureTick();

  private:
    void readWaitingPictures();
    void pictureRead(std::uint64_t id, const DecodedPicture& picture);

    FrameHost& window;
    SceneState scene;
    ViewState view;
    SlideShow show;
    std::string intervalText;
    std::unique_ptr<PictureReader> reader;
};

}  // namespace veltamar
