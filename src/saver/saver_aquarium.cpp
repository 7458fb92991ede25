#include "saver/saver_aquarium.h"

#include "assets/picture_texture.h"
#include "environment/own_backdrop.h"
#include "platform/crt_rand.h"
#include "render/commands.h"
#include "render/frame_renderer.h"
#include "render/scene_init.h"
#include "settings/custom_sections.h"
#include "settings/settings_file.h"

namespace veltamar {

SaverAquarium::SaverAquarium(FrameHost& window, int width, int height, int pictureBoundsWidth,
                             int pictureBoundsHeight, Poster post)
    : window(window), show(crtRand, [](TextureName texture) { releasePictureTexture(texture); }) {
    // What the user sees of the aquarium, without what belongs to a person at the screen: no help
    // text, no tool.
    view.helpOverlayOn = false;
    view.toolMode = TOOL_NONE;
    initialiseScene(scene, view, width, height);
    if (!scene.populated) return;

    // The user's own pictures, as the background images dialog loads them at start-up; read only
    // when they are to be shown.
    const ImagesSection section = readImagesSection(settingsPath(), SlideShow::MAX_PICTURES);
    show.setOwnImage(section.ownImage);
    show.setPlayMode(modeFromButtons(section.modes));
    intervalText = section.intervalText.empty() ? SlideShow::DEFAULT_INTERVAL_TEXT : section.intervalText;
    if (!section.ownImage || section.paths.empty()) return;
    reader = std::make_unique<PictureReader>(
        pictureTextureBounds(pictureBoundsWidth, pictureBoundsHeight), std::move(post),
        [this](std::uint64_t id, const DecodedPicture& picture) { pictureRead(id, picture); });
    for (const std::string& path : section.paths) show.requestPicture(path, PictureOrigin::Settings);
    show.startShowWhenLoaded();
    readWaitingPictures();
}

SaverAquarium::~SaverAquarium() {
    reader.reset();  // a picture still being read is given up
    ownImageTexture = 0;
    ownImageOn = false;
    show.removeAll();
}

void SaverAquarium::resize(int width, int height) {
    fitSceneToSize(scene, view, width, height > 0 ? height : 1);
}

void SaverAquarium::drawFrame() {
    veltamar::drawFrame(scene, view, window);
}

void SaverAquarium::pictureTick() {
    ownImageOn = show.ownImage();
    show.tick(intervalText);
    ownImageTexture = show.currentImage();
}

void SaverAquarium::readWaitingPictures() {
    if (!reader || reader->busy()) return;
    if (const SlideShow::Request* request = show.nextRequest()) reader->read(request->id, request->path);
}

void SaverAquarium::pictureRead(std::uint64_t id, const DecodedPicture& picture) {
    if (show.isWaiting(id)) show.pictureReady(id, createPictureTexture(picture));
    readWaitingPictures();
}

}  // namespace veltamar
