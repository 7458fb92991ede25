#pragma once

#include <functional>

// The two modal dialogs the toolbar and the tool palette run themselves, as the aquarium view
// supplies them.

namespace veltamar {

struct DialogRunners {
    std::function<void()> fishNumber;        // the fish number dialog
    std::function<void()> aquariumSettings;  // the aquarium settings dialog
};

}  // namespace veltamar
