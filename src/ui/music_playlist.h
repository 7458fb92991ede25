#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/play_mode.h"

// What the music list dialog does with its play list, free of any window: the list, the play
// mode, which track is chosen and played, the "On/Off" state, which buttons may be used, and
// moving on when a track has ended. The dialog holds one and mirrors its state in the controls.

namespace veltamar {

// The sound side of the play list: one track at a time, times in milliseconds, volume 0..1000.
class TrackDevice {
  public:
    virtual ~TrackDevice() = default;
    // Lets go of the current track and loads path, stopped at its start; true when the device can
    // play it.
    virtual bool load(const std::string& path) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void seek(long positionMs) = 0;
    virtual long position() = 0;
    virtual long length() = 0;
    virtual bool canPlay() const = 0;
    virtual void setVolume(int volume) = 0;
    virtual int volume() const = 0;
};

enum class PlayState : int {
    Playing = 0,
    NotStarted = 1,
    Stopped = 2,
};

class MusicPlaylist {
  public:
    // random gives values 0..32767 for the random play mode.
    MusicPlaylist(TrackDevice& device, std::function<int()> random);

    // The list.
    const std::vector<std::string>& items() const { return tracks; }
    int itemCount() const { return static_cast<int>(tracks.size()); }
    void append(const std::string& path);
    // Deletes the selected item and chooses the track to play next (without starting it). False
    // when no item is selected: nothing changes.
    bool removeSelected();
    void removeAll();

    // The list's selection (-1 for none), kept in step with the list control.
    void select(int index);
    int selection() const { return selected; }

    void setPlayMode(PlayMode mode) { mode_ = mode; }
    PlayMode playMode() const { return mode_; }

    // The "On/Off" button.
    bool onOff() const { return on; }
    void setOnOff(bool value) { on = value; }

    PlayState state() const { return playState; }
    bool playing() const { return playState == PlayState::Playing; }
    int currentTrack() const { return current; }
    // The row marked as the one being played (-1 for none).
    int markedTrack() const { return marked; }
    // "Add Music", "Remove", "Remove All" and "Play" can be used only while the list does not play.
    bool editingEnabled() const { return !playing(); }

    // Chooses the track to play from the mode, the state and the selection, and loads it; a track
    // the device cannot play stops the list. takeSelection: a clicked row is the choice while
    // playing. Nothing happens when the list is empty. True when a playable track was loaded.
    bool chooseTrack(bool takeSelection);
    // "Play": chooses a track and plays it, marks its row and turns "On/Off" on.
    void play();
    // "Stop", and what a track the device cannot play leads to: the list stops at the start of the
    // track, no row is marked or selected, and "On/Off" stays as it is.
    void stopList();
    // "On/Off" was clicked and is now on (play) or off (stop when playing).
    void onOffClicked(bool nowOn);
    // A row was clicked (the selection is already set): that track is chosen, and while the list
    // plays it starts at once.
    void rowClicked();

    // Volume 0..1000 of the user's music, applied to the device at once.
    void setVolume(int value);
    int volume() const { return volumeLevel; }

    // The 200 ms tick: while playing, follows the track's position and moves on by the play mode
    // once the track has ended. Returns true while playing.
    bool tick();
    long position() const { return positionMs; }
    long trackLength() const { return lengthMs; }

  private:
    int pickRandom() const;
    void startChosenTrack();

    TrackDevice& device;
    std::function<int()> random;
    std::vector<std::string> tracks;
    int selected = -1;
    PlayMode mode_ = PLAY_REPEAT_ONE;
    bool on = false;
    PlayState playState = PlayState::NotStarted;
    int current = -1;
    int marked = -1;
    int volumeLevel = 1000;
    long positionMs = 0;
    long lengthMs = 0;
};

}  // namespace veltamar
