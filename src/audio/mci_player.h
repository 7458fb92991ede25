#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "audio/pcm_stream.h"

class wxWindow;

// The player of the user's own music files (MP3, WAV, MPEG audio), one per music list dialog.
// Each open starts a decoding helper on the file named before (PcmStream): the program never opens
// or decodes the file itself, so a file on a network share that has stopped answering, or one
// crafted to crash or hang a decoder, costs that track and never the program. Once the helper has
// answered, play, stop, seek, position, length and volume act on the track, with times in
// milliseconds; the sound device plays the helper's PCM. Only one track sounds at a time.

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
    // Where the last open stands, asked on the thread that plays: a file whose helper has answered
    // is Open, one that cannot be played (or has no sound device to play on) has Failed, and so
    // has one still not open after the open deadline (its helper is killed).
    OpenState openState();
    // Called on the helper's reading thread as soon as an open has finished (or a track has
    // ended or broken off), so that its owner can ask at once rather than at its next tick.
    void whenOpened(std::function<void()> notice) { openedNotice = std::move(notice); }
    bool isOpen() const { return lengthMs > 0; }
    // Whether the open track could be decoded; false while it is being opened.
    bool canPlay() const { return canPlayFile; }
    // True once the track broke off while it played: its file could not be decoded further, its
    // helper crashed or passed a limit, or it lies on a share that stopped answering.
    bool broken() const { return mode == Mode::Broken; }

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

    // Volume 0..1000, kept by the player and applied to the sound at once.
    void setVolume(int value);
    int volume() const { return volumeSetting; }

    // Closes the track and forgets it; the same as close, since there is no window to take down.
    // A file still being opened is given up (its helper killed), never waited for.
    void destroy();

  private:
    enum class Mode { Stopped, Playing, Ended, Broken };

    // Notices a track that has played to its end or broken off, or whose place in the mixer
    // another player took.
    void refreshMode();
    long playingPosition() const;
    std::unique_ptr<PcmStream> startStream(long fromMs);
    void connect();
    void disconnect();

    wxWindow* ownerWindow = nullptr;
    int volumeSetting = 1000;
    bool canPlayFile = false;
    std::string fileName;
    // The helper's PCM from the position it was started at; the sound device takes from it while
    // the player plays.
    std::unique_ptr<PcmStream> stream;

    std::chrono::milliseconds openDeadline;
    std::function<void()> openedNotice;
    OpenState openingState = OpenState::Closed;
    std::chrono::steady_clock::time_point openStartedAt;

    Mode mode = Mode::Stopped;
    long stoppedAtMs = 0;
    long lengthMs = 0;
};

}  // namespace veltamar
