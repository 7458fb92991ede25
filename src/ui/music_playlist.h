#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/play_mode.h"

// What the music list dialog does with its play list, free of any window: the list, the play
// mode, which track is chosen and played, the "On/Off" state, which buttons may be used, and
// moving on when a track has ended. The dialog holds one and mirrors its state in the controls.

namespace veltamar {

// Where loading a track stands.
enum class TrackLoad { Ready, Loading, Unplayable };

// The sound side of the play list: one track at a time, times in milliseconds, volume 0..1000.
class TrackDevice {
  public:
    virtual ~TrackDevice() = default;
    // Lets go of the current track and starts loading path, to stand stopped at its start. A track
    // may take a while (a file on a slow network share); the answer says whether it is ready,
    // still loading, or cannot be played.
    virtual TrackLoad load(const std::string& path) = 0;
    // Where the last load stands now; a track that takes too long gives up as Unplayable.
    virtual TrackLoad loadState() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void seek(long positionMs) = 0;
    virtual long position() = 0;
    virtual long length() = 0;
    virtual bool canPlay() const = 0;
    // True once the track broke off while it played (a decoder that failed or was stopped, a file
    // whose share stopped answering).
    virtual bool broken() const { return false; }
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
    // playing. Nothing happens when the list is empty. True when a track is loaded or loading.
    bool chooseTrack(bool takeSelection);
    // "Play": chooses a track and plays it, marks its row and turns "On/Off" on. A track still
    // loading starts as soon as it is ready, unless the list has been stopped by then.
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

    // The 200 ms tick: takes in a track that has finished loading (a track that turned out
    // unplayable stops the list); while playing, follows the track's position and moves on by the
    // play mode once the track has ended. A track that broke off stops the list, as one that
    // cannot be played does. Returns true while playing.
    bool tick();
    // True while the chosen track is still loading.
    bool loadingTrack() const { return loading; }
    // Takes in a track that has finished loading: it starts if the list plays, and one that turned
    // out unplayable stops the list. The tick does it too; the device's notice that a track is
    // ready (or not) lets it happen at once.
    void followLoading();
    long position() const { return positionMs; }
    long trackLength() const { return lengthMs; }

  private:
    int pickRandom() const;
    void startChosenTrack();
    // The chosen track is ready: it stands at its start at the list's volume.
    void trackReady();

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
    bool loading = false;
    bool startWhenLoaded = false;
};

}  // namespace veltamar
