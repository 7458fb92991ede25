#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "audio/audio_device.h"
#include "audio/mci_player.h"
#include "audio/sound_arbiter.h"
#include "audio/volume_scale.h"
#include "audio_capture.h"
#include "settings/live_settings.h"

using namespace veltamar;
using namespace veltamar::test;

namespace {

constexpr std::size_t RATE = 44100;

// Puts the process-wide sound state back as the program starts, whatever a test left.
class SoundState {
  public:
    SoundState() : volume(liveSettings.soundVolume) {}
    ~SoundState() {
        ownMusicOn = true;
        restartBuiltInSound = true;
        liveSettings.soundVolume = volume;
    }

  private:
    std::int32_t volume;
};

// One view tick with the music list dialog's "On/Off" as given.
void tick(bool ownMusic) {
    ownMusicOn = ownMusic;
    arbitrateSound();
}

bool musicFilesLeft(const AudioCapture& capture) {
    const auto files = capture.dataFiles();
    return std::any_of(files.begin(), files.end(), [](const std::string& name) {
        return name.ends_with(".wav") || name.ends_with(".ad");
    });
}

int starts = 0;
int stops = 0;

}  // namespace

TEST(SoundArbiter, StopsTheBuiltInSoundEveryTickWhileOwnMusicIsOnAndStartsItOnceWhenOff) {
    SoundState state;
    const BuiltInSoundSwitch counting{[] { ++starts; }, [] { ++stops; }};
    for (bool ownMusic : {true, true, false, false, false, true, false, false}) {
        ownMusicOn = ownMusic;
        arbitrateSound(counting);
    }
    EXPECT_EQ(stops, 3);
    EXPECT_EQ(starts, 2) << "once at the first tick with own music off, once more after it was on again";
}

TEST(BuiltInSound, OutOfRangeVolumeSettingsStayWithinTheDeviceRange) {
    EXPECT_EQ(waveOutVolumeForSetting(70000), 0) << "a hand-edited value past the slider is silent, not loud";
    EXPECT_EQ(waveOutVolumeForSetting(-5), WAVE_OUT_VOLUME_MAX);
    EXPECT_EQ(mixerVolumeForPlayer(1500), MIX_MAX_VOLUME);
}

TEST(BuiltInSound, OwnMusicStopsItWithinOneTickAndSwitchingOffRestartsItFromTheBeginning) {
    SoundState state;
    AudioCapture capture;
    liveSettings.soundVolume = 0;

    tick(true);
    EXPECT_FALSE(audioDeviceIsOpen()) << "nothing opens the device while own music is on";
    tick(false);
    EXPECT_EQ(Mix_Playing(-1), 1) << "plays from the first tick with own music off";
    EXPECT_FALSE(musicFilesLeft(capture)) << "the music's files are deleted as soon as it plays";
    sleepSeconds(0.4);
    tick(false);  // later ticks leave it playing
    sleepSeconds(0.4);
    tick(true);
    EXPECT_EQ(Mix_Playing(-1), 0) << "stopped in the same tick";
    sleepSeconds(0.5);
    tick(false);
    sleepSeconds(0.7);
    EXPECT_FALSE(musicFilesLeft(capture));

    const auto samples = capture.finish();
    const auto stretches = soundingStretches(samples);
    ASSERT_EQ(stretches.size(), 2u);
    RecordProperty("played_before_stop_ms", std::to_string(stretches[0].frames() * 1000 / RATE));
    EXPECT_LT(stretches[0].frames(), RATE * 9 / 10) << "silent within a mixer buffer after the stop";
    EXPECT_GT(stretches[1].first - stretches[0].end, RATE / 10);

    // The second start sounds exactly like the first one: the loop began again from its start.
    const std::size_t compared = std::min<std::size_t>(RATE / 2, stretches[1].frames());
    ASSERT_GT(compared, RATE / 4);
    EXPECT_GT(rms(samples, stretches[0].first, compared), 0.05);
    EXPECT_TRUE(std::equal(samples.begin() + 2 * stretches[0].first,
                           samples.begin() + 2 * (stretches[0].first + compared),
                           samples.begin() + 2 * stretches[1].first));
}

TEST(BuiltInSound, IsLouderAtVolumeSettingZeroThanAtHalfAndSilentAtFull) {
    SoundState state;
    AudioCapture capture;
    for (std::int32_t setting : {0, 32767, 65535}) {
        liveSettings.soundVolume = setting;
        tick(false);
        EXPECT_EQ(Mix_Playing(0), 1) << setting;
        sleepSeconds(0.8);
        tick(true);
        sleepSeconds(0.4);
    }

    const auto samples = capture.finish();
    const auto stretches = soundingStretches(samples);
    ASSERT_EQ(stretches.size(), 2u) << "\"YINLIANG\" 65535 plays at volume 0";
    const std::size_t length = std::min<std::size_t>(RATE / 2, stretches[1].frames());
    ASSERT_GE(length, RATE / 4);
    const double full = rms(samples, stretches[0].first, length);
    const double half = rms(samples, stretches[1].first, length);
    RecordProperty("rms_full_dbfs", std::to_string(20 * std::log10(full)));
    RecordProperty("rms_half_dbfs", std::to_string(20 * std::log10(half)));
    EXPECT_NEAR(full / half, 2.0, 0.05) << "device volume 32768 of 65535 halves the amplitude";
}

TEST(BuiltInSound, WithoutASoundDeviceNothingPlaysAndNothingIsWritten) {
    SoundState state;
    AudioCapture capture("no-such-audio-driver");
    tick(false);
    tick(true);
    tick(false);
    EXPECT_FALSE(openAudioDevice());
    setWaveOutVolume(1000);
    EXPECT_TRUE(capture.dataFiles().empty()) << "the music is not even unpacked";

    const std::string track = capture.directory() + "/tone.wav";
    writeSineWav(track, 0.5);
    MciPlayer player;
    player.setFileName(track);
    player.open();
    EXPECT_EQ(player.openState(), MciPlayer::OpenState::Failed);
    EXPECT_FALSE(player.canPlay());
    player.setVolume(500);
    player.play();
    EXPECT_EQ(player.getPosition(), 0);
    EXPECT_EQ(player.getLength(), 0);
}
