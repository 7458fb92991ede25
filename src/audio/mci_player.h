#pragma once

#include <SDL2/SDL_mixer.h>

#include <chrono>
#include <functional>
#include <string>

#include "audio/music_file.h"
#include "platform/detached_job.h"

class wxWindow;

// The player of the user's own music files (MP3, WAV, MPEG audio), one per music list dialog.
// Each open loads the file named before as the mixer's music, on a thread of its own, so that a
// file on a network share that has stopped answering never holds up the program; once it is open,
// play, stop, seek, position, length and volume act on it, with times in milliseconds. Only one
// track sounds at a time.

namespace veltamar {

class MciPlayer {
  public:
    // How long opening a file may take before it counts as one that cannot be played.
    static constexpr std::chrono::milliseconds OPEN_DEADLINE{4000};

    explicit MciPlayer(std::chrono::milliseconds openDeadline = OPEN_DEADLINE) : openDeadline(openDeadline) {}
    ~MciPlayer();
    MciPlayer(const MciPlayer&) = delete;
    MciPlayer& operator=(const MciPlayer&) = delete;

    // The window the player belongs to (the music list dialog's hidden static). Kept for its
    // owner's sake; the sound itself needs no window.
    void setOwner(wxWindow* window) { ownerWindow = window; }
    wxWindow* owner() const { return ownerWindow; }

    void setFileName(const std::string& path) { fileName = path; }
    const std::string& currentFileName() const { return fileName; }

    enum class OpenState { Closed, Opening, Open, Failed };

    // Lets go of the previous track and starts opening the named file, to stand stopped at its
    // beginning, at the player's volume. An empty name opens nothing.
    void open();
    // Where the last open stands, asked on the thread that plays: a file that has been opened is
    // taken in as the track (Open), one that cannot be played (or has no sound device to play on)
    // has Failed, and so has one still not open after the open deadline; should it open later, it
    // is let go unheard.
    OpenState openState();
    // Called on the opening thread as soon as an open has finished, while the player still wants
    // it, so that its owner can ask openState() at once rather than at its next tick.
    void whenOpened(std::function<void()> notice) { openedNotice = std::move(notice); }
    bool isOpen() const { return music != nullptr; }
    // Whether the open track could be decoded; false while it is being opened.
    bool canPlay() const { return canPlayFile; }

    // Plays from the current position; at the end of the track, from its beginning.
    void play();
    // Stops, staying at the current position.
    void stop();
    // Lets go of the track; the player then has nothing to play until the next open.
    void close();
    // Stops and moves to the position (milliseconds, kept within the track).
    void seek(long positionMs);
    // Milliseconds from the start: it advances while playing, and once the track has played to
    // its end it equals getLength() exactly.
    long getPosition();
    // The track's length in milliseconds; 0 with no track open.
    long getLength() const;

    // Volume 0..1000, kept by the player and applied to the mixer's music at once.
    void setVolume(int value);
    int volume() const { return volumeSetting; }

    // Closes the track and forgets it; the same as close, since there is no window to take down.
    // A file still being opened is given up, never waited for.
    void destroy();

  private:
    enum class Mode { Stopped, Playing, Ended };

    // Notices a track that has played to its end, or whose place in the mixer another player
    // took.
    void refreshMode();
    long playingPosition() const;
    void takeOpened(OpenedMusic opened);

    wxWindow* ownerWindow = nullptr;
    int volumeSetting = 1000;
    bool canPlayFile = false;
    MixMusic music;
    std::string fileName;

    std::chrono::milliseconds openDeadline;
    DetachedJob<OpenedMusic> opening;
    std::function<void()> openedNotice;
    OpenState openingState = OpenState::Closed;
    std::chrono::steady_clock::time_point openStartedAt;

    Mode mode = Mode::Stopped;
    long stoppedAtMs = 0;
    long lengthMs = 0;
    // Where the current playback started, for decoders that cannot tell their position.
    long playStartMs = 0;
    std::chrono::steady_clock::time_point playStartTime;
};

}  // namespace veltamar
