#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "ui/music_playlist.h"

using namespace veltamar;

namespace {

// A sound device that plays instantly: tests move the position themselves. Tracks named in slow
// go on loading until the test says how their loading ends.
struct FakeDevice : TrackDevice {
    TrackLoad load(const std::string& path) override {
        loaded.push_back(path);
        file = path;
        playing = false;
        pos = 0;
        playable = false;
        if (slow.contains(path)) {
            state = TrackLoad::Loading;
            return state;
        }
        return finishLoading(!unplayable.contains(path));
    }
    TrackLoad loadState() override { return state; }
    TrackLoad finishLoading(bool canBePlayed) {
        playable = canBePlayed;
        state = playable ? TrackLoad::Ready : TrackLoad::Unplayable;
        return state;
    }
    void play() override { playing = playable; }
    void stop() override { playing = false; }
    void seek(long ms) override { pos = ms; }
    long position() override { return pos; }
    long length() override { return playable ? 3000 : 0; }
    bool canPlay() const override { return playable; }
    bool broken() const override { return brokeOff; }
    void setVolume(int v) override { vol = v; }
    int volume() const override { return vol; }

    void finishTrack() { pos = 3000, playing = false; }

    std::vector<std::string> loaded;
    std::set<std::string> unplayable;
    std::set<std::string> slow;
    TrackLoad state = TrackLoad::Unplayable;
    std::string file;
    bool playing = false;
    bool playable = false;
    bool brokeOff = false;
    long pos = 0;
    int vol = 1000;
};

// Random values handed out in order.
struct ScriptedRandom {
    int operator()() {
        const int v = values.front();
        values.pop_front();
        return v;
    }
    std::deque<int> values;
};

class PlaylistTest : public ::testing::Test {
  protected:
    MusicPlaylist listOf(std::initializer_list<const char*> paths, PlayMode mode) {
        MusicPlaylist list(device, [this] { return random(); });
        for (const char* p : paths) list.append(p);
        list.setPlayMode(mode);
        return list;
    }
    // Lets the playing track run to its end and gives the list its next tick.
    void trackEnds(MusicPlaylist& list) {
        device.finishTrack();
        list.tick();
    }
    FakeDevice device;
    ScriptedRandom random;
};

}  // namespace

TEST_F(PlaylistTest, RepeatAllGoesThroughTheListAndWrapsToTheFirst) {
    MusicPlaylist list = listOf({"a.wav", "b.wav", "c.wav"}, PLAY_REPEAT_ALL);
    list.play();
    EXPECT_EQ(list.currentTrack(), 0);
    EXPECT_TRUE(device.playing);
    std::vector<int> order{list.currentTrack()};
    for (int i = 0; i < 4; ++i) {
        trackEnds(list);
        order.push_back(list.currentTrack());
        EXPECT_TRUE(device.playing);
        EXPECT_EQ(list.markedTrack(), list.currentTrack());
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(device.file, "b.wav");
}

TEST_F(PlaylistTest, RepeatOneStartsTheSameTrackAgain) {
    MusicPlaylist list = listOf({"a.wav", "b.wav"}, PLAY_REPEAT_ONE);
    list.select(1);
    list.play();
    EXPECT_EQ(list.currentTrack(), 1);
    trackEnds(list);
    trackEnds(list);
    EXPECT_EQ(list.currentTrack(), 1);
    EXPECT_EQ(device.loaded, (std::vector<std::string>{"b.wav", "b.wav", "b.wav"}));
    EXPECT_TRUE(device.playing);
    EXPECT_EQ(device.pos, 0);  // from its beginning
}

TEST_F(PlaylistTest, RandomPicksByTheGeneratorUnlessARowIsSelected) {
    MusicPlaylist list = listOf({"a", "b", "c"}, PLAY_RANDOM);
    random.values = {7, 32766, 5};
    list.play();  // nothing selected: 7 % 3
    EXPECT_EQ(list.currentTrack(), 1);
    trackEnds(list);  // 32766 % 3
    EXPECT_EQ(list.currentTrack(), 0);
    trackEnds(list);  // 5 % 3
    EXPECT_EQ(list.currentTrack(), 2);
    list.stopList();
    list.select(2);
    list.play();  // stopped with a selection: the selected row, no draw
    EXPECT_EQ(list.currentTrack(), 2);
    EXPECT_TRUE(random.values.empty());
}

TEST_F(PlaylistTest, ChoiceWhenNotPlayingIsTheSelectionOrTheFirstRow) {
    for (PlayMode mode : {PLAY_REPEAT_ONE, PLAY_REPEAT_ALL}) {
        MusicPlaylist list = listOf({"a", "b", "c"}, mode);
        EXPECT_TRUE(list.chooseTrack(false));
        EXPECT_EQ(list.currentTrack(), 0) << mode;
        list.select(2);
        EXPECT_TRUE(list.chooseTrack(false));
        EXPECT_EQ(list.currentTrack(), 2) << mode;
        EXPECT_FALSE(list.playing());
    }
    MusicPlaylist empty = listOf({}, PLAY_REPEAT_ALL);
    EXPECT_FALSE(empty.chooseTrack(false));
    empty.play();
    EXPECT_FALSE(empty.playing());
}

TEST_F(PlaylistTest, ClickedRowStartsAtOnceWhilePlayingInEveryMode) {
    for (PlayMode mode : {PLAY_REPEAT_ONE, PLAY_REPEAT_ALL, PLAY_RANDOM}) {
        random.values = {0, 0};
        MusicPlaylist list = listOf({"a", "b", "c"}, mode);
        list.select(0);
        list.play();
        ASSERT_TRUE(list.playing());
        list.select(2);
        list.rowClicked();
        EXPECT_EQ(list.currentTrack(), 2) << mode;
        EXPECT_EQ(list.markedTrack(), 2) << mode;
        EXPECT_EQ(device.file, "c") << mode;
        EXPECT_TRUE(device.playing) << mode;
    }
}

TEST_F(PlaylistTest, ClickedRowWhileStoppedIsOnlyChosen) {
    MusicPlaylist list = listOf({"a", "b"}, PLAY_REPEAT_ALL);
    list.select(1);
    list.rowClicked();
    EXPECT_EQ(list.currentTrack(), 1);
    EXPECT_EQ(device.file, "b");
    EXPECT_FALSE(device.playing);
    EXPECT_FALSE(list.playing());
    EXPECT_EQ(list.markedTrack(), -1);
}

TEST_F(PlaylistTest, EditingButtonsAreDisabledOnlyWhilePlaying) {
    MusicPlaylist list = listOf({"a", "b"}, PLAY_REPEAT_ALL);
    EXPECT_EQ(list.state(), PlayState::NotStarted);
    EXPECT_TRUE(list.editingEnabled());
    list.play();
    EXPECT_EQ(list.state(), PlayState::Playing);
    EXPECT_FALSE(list.editingEnabled());
    EXPECT_TRUE(list.onOff());
    list.stopList();
    EXPECT_EQ(list.state(), PlayState::Stopped);
    EXPECT_TRUE(list.editingEnabled());
}

TEST_F(PlaylistTest, StopLeavesOnOffOnAndClearsMarkAndSelection) {
    MusicPlaylist list = listOf({"a", "b"}, PLAY_REPEAT_ALL);
    list.select(1);
    list.play();
    list.stopList();
    EXPECT_TRUE(list.onOff());
    EXPECT_FALSE(device.playing);
    EXPECT_EQ(device.pos, 0);
    EXPECT_EQ(list.currentTrack(), -1);
    EXPECT_EQ(list.markedTrack(), -1);
    EXPECT_EQ(list.selection(), -1);
    // A stopped list does not move on, however long it waits.
    device.finishTrack();
    EXPECT_FALSE(list.tick());
    EXPECT_EQ(device.loaded.size(), 1u);
}

TEST_F(PlaylistTest, OnOffPlaysAndStops) {
    MusicPlaylist list = listOf({"a"}, PLAY_REPEAT_ONE);
    list.onOffClicked(true);
    EXPECT_TRUE(list.playing());
    list.onOffClicked(false);
    EXPECT_FALSE(list.playing());
    EXPECT_FALSE(list.onOff());
    EXPECT_FALSE(device.playing);
    // Switching on an empty list only turns the button on.
    MusicPlaylist empty = listOf({}, PLAY_REPEAT_ONE);
    empty.onOffClicked(true);
    EXPECT_TRUE(empty.onOff());
    EXPECT_FALSE(empty.playing());
}

TEST_F(PlaylistTest, TrackTheDeviceCannotPlayStopsTheList) {
    device.unplayable = {"broken.mp3"};
    MusicPlaylist list = listOf({"a", "broken.mp3", "c"}, PLAY_REPEAT_ALL);
    list.play();
    trackEnds(list);  // a → broken: the list stops instead of "playing" nothing
    EXPECT_FALSE(list.playing());
    EXPECT_EQ(list.state(), PlayState::Stopped);
    EXPECT_TRUE(list.editingEnabled());
    EXPECT_EQ(list.markedTrack(), -1);

    list.select(1);
    list.play();
    EXPECT_FALSE(list.playing());

    // A track that breaks off halfway (its decoder crashed, its share stopped answering) stops the
    // list too, rather than going on to the next one or "playing" on in silence.
    list.select(0);
    list.play();
    ASSERT_TRUE(list.playing());
    device.pos = 1200;
    device.brokeOff = true;
    EXPECT_FALSE(list.tick());
    EXPECT_EQ(list.state(), PlayState::Stopped);
    EXPECT_EQ(list.markedTrack(), -1);
    EXPECT_EQ(device.loaded.back(), "a") << "no other track is tried";
}

TEST_F(PlaylistTest, RemoveNeedsASelectionAndChoosesWithoutPlaying) {
    MusicPlaylist list = listOf({"a", "b", "c"}, PLAY_REPEAT_ALL);
    EXPECT_FALSE(list.removeSelected());
    EXPECT_EQ(list.itemCount(), 3);
    list.select(1);
    EXPECT_TRUE(list.removeSelected());
    EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.currentTrack(), 0);
    EXPECT_FALSE(list.playing());
    EXPECT_FALSE(device.playing);
    list.removeAll();
    EXPECT_EQ(list.itemCount(), 0);
}

TEST_F(PlaylistTest, VolumeReachesTheDeviceAndEveryNewTrack) {
    MusicPlaylist list = listOf({"a", "b"}, PLAY_REPEAT_ALL);
    list.setVolume(250);
    EXPECT_EQ(list.volume(), 250);
    list.play();
    device.vol = 999;  // something else changed the device
    trackEnds(list);
    EXPECT_EQ(device.vol, 250);
}

TEST_F(PlaylistTest, TickFollowsThePositionAndMovesOnOnlyAtTheEnd) {
    MusicPlaylist list = listOf({"a", "b"}, PLAY_REPEAT_ALL);
    list.play();
    device.pos = 2999;
    EXPECT_TRUE(list.tick());
    EXPECT_EQ(list.position(), 2999);
    EXPECT_EQ(list.currentTrack(), 0);
    device.pos = 3000;
    list.tick();
    EXPECT_EQ(list.currentTrack(), 1);
}

// A track on a slow share loads in the background: the list counts as playing meanwhile (its row
// marked, editing locked) and the track starts once it is ready; one that turns out unplayable, or
// takes too long, stops the list like a missing file; a list stopped meanwhile stays silent.
TEST_F(PlaylistTest, ATrackStillLoadingStartsWhenReadyOrStopsTheListWhenItCannotBePlayed) {
    device.slow = {"far.mp3"};
    MusicPlaylist list = listOf({"far.mp3", "near.mp3"}, PLAY_REPEAT_ALL);
    list.play();
    EXPECT_TRUE(list.playing());
    EXPECT_TRUE(list.loadingTrack());
    EXPECT_EQ(list.markedTrack(), 0);
    EXPECT_FALSE(list.editingEnabled());
    EXPECT_TRUE(list.tick());
    EXPECT_FALSE(device.playing) << "nothing to play yet";
    device.finishLoading(true);
    device.vol = 5;
    list.tick();
    EXPECT_FALSE(list.loadingTrack());
    EXPECT_TRUE(device.playing);
    EXPECT_EQ(device.vol, 1000) << "the track gets the list's volume";
    EXPECT_EQ(list.trackLength(), 3000);

    trackEnds(list);  // far -> near, ready at once
    EXPECT_EQ(list.currentTrack(), 1);
    trackEnds(list);  // near -> far, slow again, and this time it never opens
    EXPECT_TRUE(list.loadingTrack());
    device.finishLoading(false);
    EXPECT_FALSE(list.tick());
    EXPECT_EQ(list.state(), PlayState::Stopped);
    EXPECT_EQ(list.markedTrack(), -1);
    EXPECT_TRUE(list.editingEnabled());
    EXPECT_FALSE(device.playing);

    // Stopped while its track still loads: the track is taken in but does not start.
    list.play();
    ASSERT_TRUE(list.loadingTrack());
    list.stopList();
    device.finishLoading(true);
    EXPECT_FALSE(list.tick());
    EXPECT_FALSE(list.loadingTrack());
    EXPECT_FALSE(device.playing);
}
