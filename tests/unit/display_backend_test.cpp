#include <gtest/gtest.h>

#include "app/display_backend.h"

using namespace veltamar;

TEST(DisplayBackend, X11OnAWaylandSessionUnlessTheUserChoseABackend) {
    EXPECT_EQ(gtkBackendToRequest("wayland-0", nullptr), "x11");
    EXPECT_EQ(gtkBackendToRequest("wayland-0", "wayland"), std::nullopt) << "the user's choice stands";
    EXPECT_EQ(gtkBackendToRequest("wayland-0", ""), std::nullopt);
    EXPECT_EQ(gtkBackendToRequest(nullptr, nullptr), std::nullopt) << "an X11 session needs nothing";
    EXPECT_EQ(gtkBackendToRequest("", nullptr), std::nullopt);
}
