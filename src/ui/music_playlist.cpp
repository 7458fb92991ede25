#include "ui/music_playlist.h"

#include <utility>

namespace veltamar {

MusicPlaylist::MusicPlaylist(TrackDevice& device, std::function<int()> random)
    : device(device), random(std::move(random)) {}

void MusicPlaylist::append(const std::string& path) {
    tracks.push_back(path);
}

bool MusicPlaylist::removeSelected() {
    if (selected < 0 || selected >= itemCount()) return false;
    tracks.erase(tracks.begin() + selected);
    selected = -1;  // the selected row has gone
    chooseTrack(false);
    return true;
}

void MusicPlaylist::removeAll() {
    tracks.clear();
    selected = -1;
}

void MusicPlaylist::select(int index) {
    selected = index >= 0 && index < itemCount() ? index : -1;
}

int MusicPlaylist::pickRandom() const {
    return random() % itemCount();
}

bool MusicPlaylist::chooseTrack(bool takeSelection) {
    if (tracks.empty()) return false;
    const int count = itemCount();
    const bool hasSelection = selected >= 0 && selected < count;
    const int playingTrack = current >= 0 && current < count ? current : 0;
    int choice = 0;
    if (!playing() || (takeSelection && hasSelection)) {
        // Not playing: the selected row, or else the first (or a random) one.
        choice = hasSelection ? selected : (mode_ == PLAY_RANDOM ? pickRandom() : 0);
    } else {
        switch (mode_) {
            case PLAY_REPEAT_ONE:
                choice = playingTrack;
                break;
            case PLAY_REPEAT_ALL:
                choice = current >= 0 && current < count ? (current + 1) % count : 0;
                break;
            case PLAY_RANDOM:
                choice = pickRandom();
                break;
        }
    }

    current = choice;
    loading = false;
    startWhenLoaded = false;
    lengthMs = 0;
    positionMs = 0;
    switch (device.load(tracks[static_cast<std::size_t>(choice)])) {
        case TrackLoad::Unplayable:
            stopList();
            return false;
        case TrackLoad::Loading:
            loading = true;
            return true;
        case TrackLoad::Ready:
            trackReady();
            return true;
    }
    return false;
}

void MusicPlaylist::trackReady() {
    device.seek(0);
    device.setVolume(volumeLevel);
    lengthMs = device.length();
    positionMs = 0;
}

void MusicPlaylist::startChosenTrack() {
    playState = PlayState::Playing;
    if (loading)
        startWhenLoaded = true;
    else
        device.play();
    marked = current;
    on = true;
}

void MusicPlaylist::followLoading() {
    if (!loading) return;
    switch (device.loadState()) {
        case TrackLoad::Loading:
            return;
        case TrackLoad::Ready:
            loading = false;
            trackReady();
            if (startWhenLoaded && playing()) device.play();
            startWhenLoaded = false;
            return;
        case TrackLoad::Unplayable:
            loading = false;
            startWhenLoaded = false;
            stopList();
            return;
    }
}

// A track the device cannot play leaves the list stopped rather than "playing" nothing.
void MusicPlaylist::play() {
    if (chooseTrack(false)) startChosenTrack();
}

void MusicPlaylist::stopList() {
    startWhenLoaded = false;
    playState = PlayState::Stopped;
    device.stop();
    device.seek(0);
    current = -1;
    marked = -1;
    selected = -1;
    positionMs = 0;
}

void MusicPlaylist::onOffClicked(bool nowOn) {
    on = nowOn;
    if (nowOn)
        play();
    else if (playing())
        stopList();
}

void MusicPlaylist::rowClicked() {
    if (selected < 0) return;
    if (chooseTrack(true) && playing()) startChosenTrack();
}

void MusicPlaylist::setVolume(int value) {
    device.setVolume(value);
    volumeLevel = device.volume();
}

bool MusicPlaylist::tick() {
    followLoading();
    if (!playing()) return false;
    if (loading) return true;
    if (device.broken()) {
        stopList();
        return false;
    }
    positionMs = device.position();
    lengthMs = device.length();
    if (device.canPlay() && positionMs == lengthMs && chooseTrack(false)) startChosenTrack();
    return true;
}

}  // namespace veltamar
