#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "environment/sea_floor.h"
#include "platform/message_box.h"

using namespace veltamar;

namespace {

// Collects the message boxes shown while it lives.
struct MessageRecorder {
    std::vector<std::string> texts;
    MessageHandler previous;
    MessageRecorder() {
        previous =
            setMessageHandler([this](const std::string& text, const std::string&) { texts.push_back(text); });
    }
    ~MessageRecorder() { setMessageHandler(previous); }
};

}  // namespace

TEST(SeaFloor, TheTankAt1024x768GivesARippleFlatteningTowardTheFront) {
    MessageRecorder messages;
    SeaFloorGrid grid;
    buildSeaFloor(grid, 98, 50, 1);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FLOAT_EQ(grid.scale, 0.04f);

    const SeaFloorVertex back = seaFloorPoint(0, 0);
    EXPECT_FLOAT_EQ(back.x, -49.0f);
    EXPECT_FLOAT_EQ(back.y, 2.0f);
    EXPECT_FLOAT_EQ(back.z, -50.0f);

    const SeaFloorVertex front = seaFloorPoint(97, 48);
    EXPECT_FLOAT_EQ(front.x, 48.0f);
    EXPECT_NEAR(front.y, std::cos(14.5) * 0.08, 1e-5);
    EXPECT_FLOAT_EQ(front.z, -2.0f);

    const SeaFloorVertex emitterGround = seaFloorPoint(45, 10);
    EXPECT_FLOAT_EQ(emitterGround.x, -4.0f);
    EXPECT_NEAR(emitterGround.y, 1.134, 1e-3);
    EXPECT_FLOAT_EQ(emitterGround.z, -40.0f);
}

TEST(SeaFloor, ASizeBeyondTheTableIsReportedAndOnlyWhatFitsIsFilled) {
    MessageRecorder messages;
    SeaFloorGrid grid;
    buildSeaFloor(grid, 1000, 1000, 1);  // exactly the capacity
    EXPECT_TRUE(messages.texts.empty());

    // 9901 x 101 = 1,000,001 points: rows beyond the 1000th do not exist in the table.
    buildSeaFloor(grid, 9901, 101, 1);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "MAP SIZE ERROR");
    EXPECT_EQ(grid.widthCount, 9901);
    const SeaFloorExtent extent = seaFloorFillExtent(9901, 101);
    EXPECT_EQ(extent.rows, 1000);
    EXPECT_EQ(extent.entries, 100);
    EXPECT_FLOAT_EQ(seaFloorPoint(999, 99).x, 999.0f - 4950.0f) << "the last row that fits is filled";
    EXPECT_FLOAT_EQ(seaFloorPoint(999, 99).z, 99.0f - 101.0f);

    // 1 x 1,000,001: one row, whose entries end at the 1000th.
    buildSeaFloor(grid, 1, 1000001, 1);
    EXPECT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(seaFloorFillExtent(1, 1000001).entries, 1000);
    EXPECT_FLOAT_EQ(seaFloorPoint(0, 999).z, 999.0f - 1000001.0f);

    // Sizes that cannot be filled at all fill nothing and do not fail.
    for (auto [w, d] :
         {std::pair{0, 0}, std::pair{-5, 50}, std::pair{98, -3}, std::pair{2000000000, 2000000000}}) {
        buildSeaFloor(grid, w, d, 1);
        const SeaFloorExtent e = seaFloorFillExtent(w, d);
        EXPECT_GE(e.rows, 0);
        EXPECT_LE(e.rows, SEA_FLOOR_SIDE);
        EXPECT_GE(e.entries, 0);
        EXPECT_LE(e.entries, SEA_FLOOR_SIDE);
    }
    EXPECT_EQ(messages.texts.size(), 3u) << "only the oversized build above is reported";

    const SeaFloorVertex outside = seaFloorPoint(1000, 0);
    EXPECT_EQ(outside.x + outside.y + outside.z, 0.0f) << "points outside the table read as the origin";
    EXPECT_EQ(seaFloorPoint(-1, 5).x, 0.0f);
}
