#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/play_mode.h"

// What the background images dialog does with the user's pictures, free of any window: the list
// of at most ten pictures with their textures and "ON"/"OFF" states, adding in two steps (asked
// for, then ready) so that a picture can be read while the aquarium goes on, removing, the
// "Use your own image" state, and the slide show that puts one picture after another on show.

namespace veltamar {

using TextureName = std::uint32_t;  // an OpenGL texture name; 0 = none

struct PictureRow {
    std::string path;
    TextureName texture = 0;
    bool on = false;  // "ON": the picture on show
};

enum class PictureOrigin {
    User,      // "Add Image"
    Settings,  // the list kept in the settings file
};

class SlideShow {
  public:
    static constexpr int MAX_PICTURES = 10;
    static constexpr int TICK_MS = 200;
    // The interval, in seconds as typed, when the settings file has none.
    static constexpr const char* DEFAULT_INTERVAL_TEXT = "5";

    // random gives values 0..32767 for the random order; release lets go of a texture that is no
    // longer in the list.
    SlideShow(std::function<int()> random, std::function<void(TextureName)> release);

    const std::vector<PictureRow>& rows() const { return list; }
    int rowCount() const { return static_cast<int>(list.size()); }

    // Asks for a picture to be added. With ten pictures in the list (those still being read
    // included) it is refused with "The maximum number of background is: " and the count, and
    // nothing is read. Otherwise it waits for its texture; returns the request's id, or 0 when
    // refused.
    std::uint64_t requestPicture(const std::string& path, PictureOrigin origin);
    // The oldest request still waiting, which is the one to read next (nullptr when none).
    struct Request {
        std::uint64_t id;
        std::string path;
        PictureOrigin origin;
    };
    const Request* nextRequest() const { return waiting.empty() ? nullptr : &waiting.front(); }
    int waitingCount() const { return static_cast<int>(waiting.size()); }
    bool isWaiting(std::uint64_t id) const;
    // The paths of the list: its rows, then the pictures still being read, then those of the
    // settings file's list that could not be read this time (a photo on a disk that is not there
    // today is still the user's), at most ten in all.
    std::vector<std::string> listedPaths() const;
    // The picture of a request has been read: with a texture it becomes the list's last row (the
    // first picture the user adds while "Use your own image" is on starts the show); without one
    // "(" + path + ")image loading error." is shown and the show stops. The texture of a request
    // that no longer waits (the list was emptied meanwhile) is released.
    void pictureReady(std::uint64_t id, TextureName texture);

    // Removes the first selected row; the rows after it move up. With rows left, row 0 is then
    // taken as if it had been clicked. row -1: nothing is removed, and only that last step runs.
    void removeRow(int row);
    // Empties the list, also of the pictures still being read and of those that could not be.
    void removeAll();

    // "Use your own image".
    bool ownImage() const { return ownImageOn; }
    void setOwnImage(bool on) { ownImageOn = on; }
    // The button was clicked and is now on (start the show) or off (stop it).
    void ownImageClicked(bool nowOn);
    // Starts the show once the pictures read from the settings file are in the list (at once when
    // none is still being read).
    void startShowWhenLoaded();

    void setPlayMode(PlayMode mode) { mode_ = mode; }
    PlayMode playMode() const { return mode_; }

    void startShow();
    void stopShow();
    bool showRunning() const { return running; }

    // A row was clicked: while the show runs, that picture goes on show; otherwise none is.
    void rowClicked(int row);

    // The picture the show takes next by the play mode (0 when the list is empty or the show is
    // not running).
    TextureName nextPicture() const;
    TextureName currentImage() const { return current; }
    int tickCounter() const { return ticks; }

    // The 200 ms tick: while the show runs, changes the picture on the first tick after the start
    // and then whenever the interval (whole seconds, read from the text as typed; empty or 0:
    // every tick) has passed. True when the picture was changed.
    bool tick(std::string_view intervalText);

  private:
    void markOnShow();
    void settle(PictureOrigin origin);

    std::function<int()> random;
    std::function<void(TextureName)> release;
    std::vector<PictureRow> list;
    std::deque<Request> waiting;
    std::vector<std::string> unreadableKept;  // from the settings file, kept for the next start
    std::uint64_t lastRequestId = 0;
    bool showAfterLoad = false;

    TextureName current = 0;
    PlayMode mode_ = PLAY_REPEAT_ONE;
    int ticks = 0;
    bool running = false;
    bool ownImageOn = false;
};

}  // namespace veltamar
