#pragma once

#include <gtest/gtest.h>
#include <wx/timer.h>

#include <functional>
#include <type_traits>

#include "ui_support.h"

// Driving the popup surfaces (menu, palette), which run their own event loop until they close.

namespace veltamar::uitest {

// Calls open(), which shows a popup and returns once it has closed, and runs script from inside
// the popup's event loop as soon as isOpen() says the popup is there. A popup the script leaves
// open is a failure; close() then ends it so that the test goes on.
template <typename Open>
auto whileOpen(Open open, const std::function<void()>& script, const std::function<bool()>& isOpen,
               const std::function<void()>& close) {
    bool ran = false;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (ran || !isOpen()) return;
        ran = true;
        poll.Stop();
        script();
        if (isOpen()) {
            ADD_FAILURE() << "the popup is still open after the script";
            close();
        }
    });
    poll.Start(20);
    if constexpr (std::is_void_v<decltype(open())>) {
        open();
        EXPECT_TRUE(ran) << "the popup never opened";
    } else {
        auto result = open();
        EXPECT_TRUE(ran) << "the popup never opened";
        return result;
    }
}

}  // namespace veltamar::uitest
