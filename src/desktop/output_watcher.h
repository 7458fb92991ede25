#pragma once

#include <functional>
#include <vector>

#include "desktop/output_supervisor.h"

// What the wallpaper and the idle screen learn from the display about its outputs: the list now,
// and a call whenever it may have changed (an output added, removed, moved or resized).

namespace veltamar {

class OutputWatcher {
  public:
    virtual ~OutputWatcher() = default;
    virtual std::vector<DesktopOutput> outputs() const = 0;

    std::function<void()> changed;

  protected:
    void tellChanged() {
        if (changed) changed();
    }
};

}  // namespace veltamar
