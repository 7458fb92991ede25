#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "audio/mci_player.h"
#include "audio_capture.h"

using namespace veltamar;
using namespace veltamar::test;

namespace {

constexpr std::size_t RATE = 44100;

// An MP3 made from a WAV with Debian's lame encoder (scripts/install-deps installs it).
std::string makeMp3(const AudioCapture& capture, double seconds) {
    const std::string wav = capture.directory() + "/source.wav";
    const std::string mp3 = capture.directory() + "/track.mp3";
    writeSineWav(wav, seconds);
    const std::string command = "lame --quiet -b 128 '" + wav + "' '" + mp3 + "'";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(mp3)) return {};
    return mp3;
}

// Opens the named file and waits until the player has it or has given up; true when it is open.
bool openAndWait(MciPlayer& player) {
    player.open();
    MciPlayer::OpenState state;
    while ((state = player.openState()) == MciPlayer::OpenState::Opening) sleepSeconds(0.01);
    return state == MciPlayer::OpenState::Open;
}

// Plays, stops, seeks and plays to the end of a track of about 1.5 s.
void exerciseTrack(MciPlayer& player, long expectedLength, long lengthTolerance) {
    ASSERT_TRUE(openAndWait(player));
    EXPECT_TRUE(player.canPlay());
    EXPECT_NEAR(player.getLength(), expectedLength, lengthTolerance);
    const long length = player.getLength();
    ::testing::Test::RecordProperty("length_ms", std::to_string(length));
    EXPECT_EQ(player.getPosition(), 0);

    player.play();
    sleepSeconds(0.4);
    const long early = player.getPosition();
    ::testing::Test::RecordProperty("position_after_400ms", std::to_string(early));
    EXPECT_GT(early, 100);
    EXPECT_LT(early, 800);
    sleepSeconds(0.3);
    const long later = player.getPosition();
    EXPECT_GT(later, early) << "the position advances while playing";

    player.stop();
    const long stoppedAt = player.getPosition();
    EXPECT_GE(stoppedAt, later);
    sleepSeconds(0.3);
    EXPECT_EQ(player.getPosition(), stoppedAt) << "and stands still when stopped";
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    player.seek(0);
    EXPECT_EQ(player.getPosition(), 0);
    player.seek(length - 500);
    EXPECT_EQ(player.getPosition(), length - 500);
    player.play();
    sleepSeconds(0.2);
    const long resumed = player.getPosition();
    EXPECT_GE(resumed, length - 500) << "playing goes on from the sought position";
    EXPECT_LT(resumed, length);

    sleepSeconds(1.5);
    EXPECT_EQ(player.getPosition(), player.getLength()) << "a finished track stands at its end";
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    player.play();
    sleepSeconds(0.2);
    EXPECT_LT(player.getPosition(), 600) << "playing a finished track starts it again";

    player.close();
    EXPECT_EQ(player.getLength(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace

TEST(MciPlayer, PlaysAWavFileWithLengthPositionStopAndSeek) {
    AudioCapture capture;
    const std::string track = capture.directory() + "/tone.wav";
    writeSineWav(track, 1.5, 22050);
    MciPlayer player;
    player.setFileName(track);
    exerciseTrack(player, 1500, 0);
    player.destroy();
    capture.finish();
}

TEST(MciPlayer, PlaysAnMp3FileWithLengthPositionStopAndSeek) {
    AudioCapture capture;
    const std::string track = makeMp3(capture, 1.5);
    ASSERT_FALSE(track.empty()) << "lame is needed to make the test's MP3 file";
    MciPlayer player;
    player.setFileName(track);
    exerciseTrack(player, 1500, 60);
    player.destroy();
    capture.finish();
}

TEST(MciPlayer, VolumeScalesTheMusicLinearly) {
    AudioCapture capture;
    const std::string track = capture.directory() + "/tone.wav";
    writeSineWav(track, 3.0);
    MciPlayer player;
    player.setFileName(track);
    ASSERT_TRUE(openAndWait(player));

    player.setVolume(1000);
    player.play();
    sleepSeconds(0.6);
    player.stop();
    sleepSeconds(0.3);
    player.setVolume(250);
    EXPECT_EQ(player.volume(), 250);
    player.seek(0);
    player.play();
    sleepSeconds(0.6);
    player.stop();
    sleepSeconds(0.2);
    player.setVolume(0);
    player.play();
    sleepSeconds(0.5);
    player.destroy();

    const auto samples = capture.finish();
    const auto stretches = soundingStretches(samples);
    ASSERT_EQ(stretches.size(), 2u) << "volume 0 is silent";
    const std::size_t length = std::min(stretches[0].frames(), stretches[1].frames()) - 2048;
    ASSERT_GT(length, RATE / 5);
    const double full = rms(samples, stretches[0].first, length);
    const double quarter = rms(samples, stretches[1].first, length);
    EXPECT_NEAR(full, 0.5 / std::sqrt(2.0), 0.01) << "volume 1000 plays the file as it is";
    EXPECT_NEAR(full / quarter, 4.0, 0.1);
}

TEST(MciPlayer, FilesItCannotDecodeCannotPlay) {
    AudioCapture capture;
    const std::string text = capture.directory() + "/notes.mp3";
    writeFile(text, "These are not the sounds you are looking for.\n");
    const std::string brokenWav = capture.directory() + "/broken.wav";
    writeFile(brokenWav,
              std::string("RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00", 20) + "garbage!garbage!");
    const std::string good = capture.directory() + "/tone.wav";
    writeSineWav(good, 1.0);

    MciPlayer player;
    for (const std::string& name : {text, brokenWav, capture.directory() + "/missing.wav", std::string()}) {
        // Each open first lets go of the good track that was playing.
        player.setFileName(good);
        ASSERT_TRUE(openAndWait(player));
        player.play();
        player.setFileName(name);
        EXPECT_FALSE(openAndWait(player)) << name;
        EXPECT_FALSE(player.canPlay()) << name;
        EXPECT_EQ(Mix_PlayingMusic(), 0) << name;
        player.play();
        EXPECT_EQ(Mix_PlayingMusic(), 0) << name;
        EXPECT_EQ(player.getPosition(), 0) << name;
        EXPECT_EQ(player.getLength(), 0) << name;
    }
}
