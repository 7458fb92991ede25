#include <gtest/gtest.h>

#include "ui/ui_pictures.h"

using namespace veltamar;

TEST(UiPictures, BuiltInPicturesBecomeBitmapsWithTransparency) {
    for (auto [id, size] : {std::pair{183, 16}, std::pair{184, 16}, std::pair{138, 32}}) {
        const wxImage image = uiImage(id);
        ASSERT_TRUE(image.IsOk()) << id;
        EXPECT_EQ(image.GetSize(), wxSize(size, size));
        ASSERT_TRUE(image.HasAlpha());
        EXPECT_EQ(image.GetAlpha(0, 0), 0) << id << ": the corners are transparent";
        EXPECT_EQ(image.GetAlpha(size / 2, size / 2), 255) << id << ": the middle is opaque";
        const wxBitmap bitmap = uiBitmap(id);
        ASSERT_TRUE(bitmap.IsOk());
        EXPECT_EQ(bitmap.GetSize(), wxSize(size, size));
        EXPECT_TRUE(uiIcon(id).IsOk());
    }
    // The lit lamp is green in the middle, the dark one is not.
    const wxImage on = uiImage(184), off = uiImage(183);
    EXPECT_GT(on.GetGreen(8, 8), 200);
    EXPECT_LT(off.GetGreen(8, 8), 100);

    EXPECT_FALSE(uiImage(4242).IsOk());
    EXPECT_FALSE(uiBitmap(4242).IsOk());
    EXPECT_FALSE(uiIcon(-1).IsOk());
}
