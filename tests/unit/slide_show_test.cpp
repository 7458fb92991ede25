#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "environment/slide_show.h"
#include "platform/message_box.h"

using namespace veltamar;

namespace {

class SlideShowTest : public ::testing::Test {
  protected:
    SlideShowTest() {
        previousHandler = setMessageHandler(
            [this](const std::string& text, const std::string&) { messages.push_back(text); });
    }
    ~SlideShowTest() override { setMessageHandler(previousHandler); }

    // Adds pictures whose textures are 101, 102, ...
    void addPictures(int count, PictureOrigin origin = PictureOrigin::User) {
        for (int i = 0; i < count; ++i) {
            const auto id = show.requestPicture("picture" + std::to_string(nextTexture) + ".jpg", origin);
            ASSERT_NE(id, 0u);
            show.pictureReady(id, nextTexture++);
        }
    }
    std::vector<TextureName> onShowOverTicks(int ticks, const char* interval = "0") {
        std::vector<TextureName> shown;
        for (int i = 0; i < ticks; ++i) {
            show.tick(interval);
            shown.push_back(show.currentImage());
        }
        return shown;
    }
    std::vector<bool> states() const {
        std::vector<bool> on;
        for (const PictureRow& row : show.rows()) on.push_back(row.on);
        return on;
    }

    std::deque<int> randomValues;
    std::vector<TextureName> released;
    std::vector<std::string> messages;
    MessageHandler previousHandler;
    TextureName nextTexture = 101;
    SlideShow show{[this] {
                       const int v = randomValues.front();
                       randomValues.pop_front();
                       return v;
                   },
                   [this](TextureName t) { released.push_back(t); }};
};

}  // namespace

TEST_F(SlideShowTest, FreshRepeatAllShowOpensWithTheSecondPictureAndWraps) {
    addPictures(3);
    show.setPlayMode(PLAY_REPEAT_ALL);
    show.startShow();
    EXPECT_EQ(onShowOverTicks(4), (std::vector<TextureName>{102, 103, 101, 102}));
    EXPECT_EQ(states(), (std::vector<bool>{false, true, false}));
}

TEST_F(SlideShowTest, RepeatOneNeverChangesOnceAPictureIsOnShow) {
    addPictures(3);
    show.startShow();
    EXPECT_EQ(onShowOverTicks(3), (std::vector<TextureName>{101, 101, 101}));
    show.rowClicked(2);
    EXPECT_EQ(onShowOverTicks(3), (std::vector<TextureName>{103, 103, 103}));
}

TEST_F(SlideShowTest, RandomTakesTheGeneratorsRow) {
    addPictures(3);
    show.setPlayMode(PLAY_RANDOM);
    show.startShow();
    randomValues = {5, 3, 32767};
    EXPECT_EQ(onShowOverTicks(3), (std::vector<TextureName>{103, 101, 102}));
}

TEST_F(SlideShowTest, IntervalCountsTicksAndEmptyOrZeroChangesEveryTick) {
    addPictures(2);
    show.setPlayMode(PLAY_REPEAT_ALL);
    show.startShow();
    // Interval 5: the first change on the first tick, the next after 25 ticks.
    std::vector<TextureName> shown = onShowOverTicks(51, "5");
    EXPECT_EQ(shown[0], 102u);
    EXPECT_EQ(shown[24], 102u);
    EXPECT_EQ(shown[25], 101u);
    EXPECT_EQ(shown[49], 101u);
    EXPECT_EQ(shown[50], 102u);
    for (const char* every : {"", "0", "abc"}) {
        show.startShow();
        const auto changes = onShowOverTicks(4, every);
        EXPECT_NE(changes[0], changes[1]) << '"' << every << '"';
        EXPECT_NE(changes[1], changes[2]) << '"' << every << '"';
    }
    // A huge interval does not overflow into "every tick".
    show.startShow();
    const auto slow = onShowOverTicks(30, "99999999");
    EXPECT_EQ(slow.front(), slow.back());
}

TEST_F(SlideShowTest, NoPictureWhileStoppedOrEmpty) {
    show.startShow();
    EXPECT_EQ(onShowOverTicks(2), (std::vector<TextureName>{0, 0}));
    addPictures(2);
    show.stopShow();
    EXPECT_FALSE(show.tick("0"));
    EXPECT_EQ(show.nextPicture(), 0u);
    show.rowClicked(1);  // a click without a running show shows nothing
    EXPECT_EQ(show.currentImage(), 0u);
}

TEST_F(SlideShowTest, RemovingThePictureOnShowPutsRowZeroOnShowAndReleasesIt) {
    addPictures(3);
    show.setPlayMode(PLAY_REPEAT_ALL);
    show.startShow();
    show.rowClicked(2);
    show.removeRow(2);
    EXPECT_EQ(released, (std::vector<TextureName>{103}));
    EXPECT_EQ(show.currentImage(), 101u);
    EXPECT_EQ(states(), (std::vector<bool>{true, false}));
    // Rows after a removed one move up with their textures.
    show.removeRow(0);
    ASSERT_EQ(show.rowCount(), 1);
    EXPECT_EQ(show.rows()[0].texture, 102u);
    EXPECT_EQ(show.currentImage(), 102u);
    // Nothing selected: nothing removed, row 0 still taken as clicked.
    show.removeRow(-1);
    EXPECT_EQ(show.rowCount(), 1);
    show.removeRow(0);
    EXPECT_EQ(show.currentImage(), 0u);
    EXPECT_EQ(released, (std::vector<TextureName>{103, 101, 102}));
}

TEST_F(SlideShowTest, RemoveAllReleasesEveryTexture) {
    addPictures(3);
    show.startShow();
    show.tick("0");
    show.removeAll();
    EXPECT_EQ(show.rowCount(), 0);
    EXPECT_EQ(show.currentImage(), 0u);
    EXPECT_EQ(released, (std::vector<TextureName>{101, 102, 103}));
}

TEST_F(SlideShowTest, EleventhPictureIsRefusedBeforeAnythingIsRead) {
    addPictures(10);
    EXPECT_EQ(show.requestPicture("eleven.png", PictureOrigin::User), 0u);
    EXPECT_EQ(show.nextRequest(), nullptr);  // nothing to read
    EXPECT_EQ(messages, (std::vector<std::string>{"The maximum number of background is: 10"}));
    EXPECT_EQ(show.rowCount(), 10);
}

TEST_F(SlideShowTest, PicturesStillBeingReadCountTowardsTheLimit) {
    addPictures(8);
    const auto ninth = show.requestPicture("nine.jpg", PictureOrigin::User);
    const auto tenth = show.requestPicture("ten.jpg", PictureOrigin::User);
    EXPECT_EQ(show.requestPicture("eleven.jpg", PictureOrigin::User), 0u);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(show.nextRequest()->path, "nine.jpg");
    show.pictureReady(ninth, 201);
    show.pictureReady(tenth, 0);  // unreadable: a place is free again
    EXPECT_NE(show.requestPicture("eleven.jpg", PictureOrigin::User), 0u);
}

TEST_F(SlideShowTest, UnreadablePictureGivesItsMessageAndStopsTheShow) {
    addPictures(1);
    show.startShow();
    show.tick("0");
    const auto id = show.requestPicture("/tmp/broken.png", PictureOrigin::User);
    show.pictureReady(id, 0);
    EXPECT_EQ(messages, (std::vector<std::string>{"(/tmp/broken.png)image loading error."}));
    EXPECT_EQ(show.rowCount(), 1);
    EXPECT_FALSE(show.showRunning());
    EXPECT_EQ(states(), (std::vector<bool>{false}));
}

TEST_F(SlideShowTest, FirstPictureAddedWithOwnImageOnStartsTheShow) {
    show.setOwnImage(true);
    addPictures(1);
    EXPECT_TRUE(show.showRunning());
    show.tick("5");
    EXPECT_EQ(show.currentImage(), 101u);

    SlideShow off{[] { return 0; }, [](TextureName) {}};
    off.pictureReady(off.requestPicture("a.jpg", PictureOrigin::User), 7);
    EXPECT_FALSE(off.showRunning());
}

TEST_F(SlideShowTest, LoadedListStartsItsShowOnceEveryPictureIsIn) {
    show.setOwnImage(true);
    const auto first = show.requestPicture("a.jpg", PictureOrigin::Settings);
    const auto second = show.requestPicture("b.jpg", PictureOrigin::Settings);
    show.startShowWhenLoaded();
    EXPECT_FALSE(show.showRunning());
    show.pictureReady(first, 11);
    EXPECT_FALSE(show.showRunning());  // loaded pictures do not start it one by one
    show.pictureReady(second, 0);
    EXPECT_TRUE(show.showRunning());
    show.tick("5");
    EXPECT_EQ(show.currentImage(), 11u);
}

TEST_F(SlideShowTest, TextureArrivingAfterTheListWasEmptiedIsReleased) {
    const auto id = show.requestPicture("late.jpg", PictureOrigin::User);
    show.removeAll();
    show.pictureReady(id, 55);
    EXPECT_EQ(show.rowCount(), 0);
    EXPECT_EQ(released, (std::vector<TextureName>{55}));
}

TEST_F(SlideShowTest, OwnImageButtonStartsAndStopsTheShow) {
    addPictures(2);
    show.ownImageClicked(true);
    EXPECT_TRUE(show.showRunning());
    EXPECT_EQ(show.tickCounter(), -1);
    show.tick("0");
    show.ownImageClicked(false);
    EXPECT_FALSE(show.showRunning());
    EXPECT_EQ(states(), (std::vector<bool>{false, false}));
}

TEST_F(SlideShowTest, SavedListHoldsThePicturesStillBeingRead) {
    addPictures(2);
    show.requestPicture("reading.jpg", PictureOrigin::User);
    EXPECT_EQ(show.listedPaths(),
              (std::vector<std::string>{"picture101.jpg", "picture102.jpg", "reading.jpg"}));
}

TEST_F(SlideShowTest, KeptPictureThatCannotBeReadStaysInTheSavedListUntilRemoveAll) {
    const auto gone = show.requestPicture("unplugged.jpg", PictureOrigin::Settings);
    const auto good = show.requestPicture("good.jpg", PictureOrigin::Settings);
    show.pictureReady(gone, 0);
    show.pictureReady(good, 31);
    EXPECT_EQ(messages, (std::vector<std::string>{"(unplugged.jpg)image loading error."}));
    EXPECT_EQ(show.rowCount(), 1);
    EXPECT_EQ(show.listedPaths(), (std::vector<std::string>{"good.jpg", "unplugged.jpg"}));

    // It takes no place from the user's own additions; what does not fit in ten is not saved.
    addPictures(9);
    EXPECT_EQ(show.rowCount(), 10);
    EXPECT_EQ(show.listedPaths().size(), 10u);
    EXPECT_EQ(show.listedPaths().back(), "picture109.jpg");
    show.removeRow(0);
    EXPECT_EQ(show.listedPaths().back(), "unplugged.jpg");

    // A picture the user adds that cannot be read is not kept.
    show.pictureReady(show.requestPicture("broken.png", PictureOrigin::User), 0);
    EXPECT_EQ(show.listedPaths().size(), 10u);

    show.removeAll();
    EXPECT_TRUE(show.listedPaths().empty());
}
