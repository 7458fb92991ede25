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

bool leftoverMusicFile(const AudioCapture& capture) {
    const auto files = capture.dataFiles();
    return std::any_of(files.begin(), files.end(), [](const std::string& name) {
        return name.ends_with(".wav") || name.ends_with(".ad");
    });
}

int startCalls = 0;
int stopCalls = 0;

}  // namespace

TEST(SoundArbiter, KeepsTheBuiltInSoundStoppedWhileOwnMusicIsOnAndStartsItOnceWhenOff) {
    SoundState state;
    const BuiltInSoundSwitch counting{[] { ++startCalls; }, [] { ++stopCalls; }};
    startCalls = stopCalls = 0;

    EXPECT_TRUE(ownMusicOn) << "own music counts as on until the music dialog has looked at its button";
    EXPECT_TRUE(restartBuiltInSound);
    for (int i = 0; i < 3; ++i) arbitrateSound(counting);
    EXPECT_EQ(startCalls, 0);
    EXPECT_EQ(stopCalls, 3) << "stopped on every tick";

    ownMusicOn = false;
    for (int i = 0; i < 5; ++i) arbitrateSound(counting);
    EXPECT_EQ(startCalls, 1) << "started once, then left looping";
    EXPECT_FALSE(restartBuiltInSound);

    ownMusicOn = true;
    arbitrateSound(counting);
    EXPECT_EQ(stopCalls, 4);
    EXPECT_TRUE(restartBuiltInSound);
    ownMusicOn = false;
    arbitrateSound(counting);
    arbitrateSound(counting);
    EXPECT_EQ(startCalls, 2) << "switching own music off again starts the built-in sound again";
}

TEST(VolumeScale, DeviceAndPlayerVolumesMapLinearlyOntoTheMixer) {
    EXPECT_EQ(waveOutVolumeForSetting(0), 65535);
    EXPECT_EQ(waveOutVolumeForSetting(32767), 32768);
    EXPECT_EQ(waveOutVolumeForSetting(65535), 0);
    EXPECT_EQ(waveOutVolumeForSetting(70000), 0) << "a hand-edited value past the slider is silent, not loud";
    EXPECT_EQ(waveOutVolumeForSetting(-5), 65535);

    EXPECT_EQ(mixerVolumeForWaveOut(65535), MIX_MAX_VOLUME);
    EXPECT_EQ(mixerVolumeForWaveOut(32768), 64);
    EXPECT_EQ(mixerVolumeForWaveOut(0), 0);
    EXPECT_EQ(mixerVolumeForWaveOut(256), 1) << "the quietest non-zero volume still sounds";
    EXPECT_EQ(mixerVolumeForPlayer(1000), MIX_MAX_VOLUME);
    EXPECT_EQ(mixerVolumeForPlayer(250), 32);
    EXPECT_EQ(mixerVolumeForPlayer(0), 0);
    EXPECT_EQ(mixerVolumeForPlayer(1500), MIX_MAX_VOLUME);
}

TEST(BuiltInSound, PlaysAfterTheFirstTickWithOwnMusicOffAndLeavesNoFileBehind) {
    SoundState state;
    AudioCapture capture;
    liveSettings.soundVolume = 0;

    tick(true);
    EXPECT_FALSE(audioDeviceIsOpen()) << "nothing opens the device while own music is on";
    tick(false);
    EXPECT_TRUE(audioDeviceIsOpen());
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_FALSE(leftoverMusicFile(capture)) << "the music's files are deleted as soon as it plays";
    sleepSeconds(1.0);
    tick(false);  // later ticks leave it playing
    sleepSeconds(0.3);

    const auto samples = capture.finish();
    const auto stretches = soundingStretches(samples);
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_GT(stretches[0].frames(), RATE / 2) << "one unbroken stretch of music";
    const double level =
        rms(samples, stretches[0].first, std::min<std::size_t>(RATE / 2, stretches[0].frames()));
    EXPECT_GT(level, 0.05) << "RMS " << 20 * std::log10(level) << " dBFS";
    EXPECT_FALSE(leftoverMusicFile(capture));
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

TEST(BuiltInSound, OwnMusicStopsItWithinOneTickAndSwitchingOffRestartsItFromTheBeginning) {
    SoundState state;
    AudioCapture capture;
    liveSettings.soundVolume = 0;

    tick(false);
    sleepSeconds(0.7);
    tick(true);
    EXPECT_EQ(Mix_Playing(-1), 0) << "stopped in the same tick";
    sleepSeconds(0.5);
    tick(false);
    sleepSeconds(0.7);

    const auto samples = capture.finish();
    const auto stretches = soundingStretches(samples);
    ASSERT_EQ(stretches.size(), 2u);
    EXPECT_LT(stretches[0].frames(), RATE * 9 / 10) << "silent within a mixer buffer after the stop";
    EXPECT_GT(stretches[1].first - stretches[0].end, RATE / 10);

    // The second start sounds exactly like the first one: the loop began again from its start.
    const std::size_t compared = std::min<std::size_t>(RATE / 2, stretches[1].frames());
    ASSERT_GT(compared, RATE / 4);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < 2 * compared; ++i)
        differing += samples[2 * stretches[0].first + i] != samples[2 * stretches[1].first + i];
    EXPECT_EQ(differing, 0u);
}

TEST(BuiltInSound, WithoutASoundDeviceNothingPlaysAndNothingIsWritten) {
    SoundState state;
    AudioCapture capture("no-such-audio-driver");
    liveSettings.soundVolume = 0;

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
    EXPECT_FALSE(player.open());
    EXPECT_FALSE(player.canPlay());
    player.setVolume(500);
    player.play();
    player.seek(100);
    EXPECT_EQ(player.getPosition(), 0);
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(player.volume(), 500);
}
