#pragma once

#include "audio/mci_player.h"
#include "ui/music_playlist.h"

// The music list's tracks played through the dialog's MciPlayer.

namespace veltamar {

class MciTrackDevice : public TrackDevice {
  public:
    explicit MciTrackDevice(MciPlayer& player) : player(player) {}

    // The device is always closed first, then the new file is opened.
    TrackLoad load(const std::string& path) override {
        player.stop();
        player.close();
        player.setFileName(path);
        player.open();
        return loadState();
    }
    TrackLoad loadState() override {
        switch (player.openState()) {
            case MciPlayer::OpenState::Opening:
                return TrackLoad::Loading;
            case MciPlayer::OpenState::Open:
                return player.canPlay() ? TrackLoad::Ready : TrackLoad::Unplayable;
            case MciPlayer::OpenState::Closed:
            case MciPlayer::OpenState::Failed:
                break;
        }
        return TrackLoad::Unplayable;
    }
    void play() override { player.play(); }
    void stop() override { player.stop(); }
    void seek(long positionMs) override { player.seek(positionMs); }
    long position() override { return player.getPosition(); }
    long length() override { return player.getLength(); }
    bool canPlay() const override { return player.canPlay(); }
    bool broken() const override { return player.broken(); }
    void setVolume(int volume) override { player.setVolume(volume); }
    int volume() const override { return player.volume(); }

  private:
    MciPlayer& player;
};

}  // namespace veltamar
