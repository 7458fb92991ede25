#include "ui/toolbar_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/product_info.h"
#include "render/commands.h"

namespace veltamar {

namespace {

int pixels(double units, double scale) {
    return static_cast<int>(std::lround(units * scale));
}

}  // namespace

const std::array<ToolbarControl, 11>& toolbarControls() {
    using K = ToolbarControlKind;
    using A = ToolbarAction;
    static const std::array<ToolbarControl, 11> controls{{
        {1010, K::Button, "Feed Fish", {7, 10, 54, 15}, A::SelectCommand, TOOL_FEED},
        {1011, K::Button, "Touch Fish", {63, 10, 54, 15}, A::SelectCommand, TOOL_TOUCH},
        {1012, K::Button, "ZoomIn Fish", {119, 10, 59, 15}, A::SelectCommand, TOOL_ZOOM_IN},
        {1013, K::Button, "ZoomOut Fish", {180, 10, 65, 15}, A::SelectCommand, TOOL_ZOOM_OUT},
        {1007, K::Button, "Add Fish", {247, 10, 54, 15}, A::RunFishDialog, 0},
        {1008, K::Button, "Custom Music", {303, 10, 64, 15}, A::SelectCommand, CMD_MUSIC_DIALOG},
        {1009, K::Button, "Custom Image", {369, 10, 64, 15}, A::SelectCommand, CMD_BACKGROUND_DIALOG},
        {1002, K::Button, "Exit", {435, 10, 54, 15}, A::SelectCommand, CMD_EXIT},
        {1034, K::Clock, nullptr, {499, 11, 60, 15}, A::None, 0},
        {-1, K::Title, PRODUCT_TITLE, {574, 4, 153, 13}, A::None, 0},
        {1037, K::Link, nullptr, {574, 16, 96, 9}, A::None, 0},
    }};
    return controls;
}

const ToolbarControl* toolbarControl(int id) {
    if (id == -1) return nullptr;
    for (const ToolbarControl& control : toolbarControls())
        if (control.id == id) return &control;
    return nullptr;
}

double toolbarScale(int screenWidth) {
    return std::clamp(static_cast<double>(screenWidth) / TOOLBAR_WIDTH_UNITS, TOOLBAR_MIN_SCALE,
                      TOOLBAR_MAX_SCALE);
}

UiRect toolbarPixels(UiRect units, double scale) {
    const int left = pixels(units.x, scale), top = pixels(units.y, scale);
    return {left, top, pixels(units.right(), scale) - left, pixels(units.bottom(), scale) - top};
}

UiRect toolbarArea(UiRect screen, double scale) {
    const int width = pixels(TOOLBAR_WIDTH_UNITS, scale), height = pixels(TOOLBAR_HEIGHT_UNITS, scale);
    return {screen.x + std::max(0, (screen.width - width) / 2), screen.y, width, height};
}

UiRect toolbarAreaShown(UiRect screen, double scale, double shown) {
    UiRect area = toolbarArea(screen, scale);
    area.y -= area.height - pixels(std::clamp(shown, 0.0, 1.0) * area.height, 1.0);
    return area;
}

}  // namespace veltamar
