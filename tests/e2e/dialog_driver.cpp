#include "dialog_driver.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>

#include "aquarium_driver.h"

namespace veltamar::e2e {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int ShownDialog::screenX(double dluX) const {
    return g.x + static_cast<int>(std::lround(dluX * unitX));
}

int ShownDialog::screenY(double dluY) const {
    return g.y + static_cast<int>(std::lround(dluY * unitY));
}

// The test server has no window manager to keep a dialog above the aquarium, which comes to the
// front again when a file chooser or message box closes: the dialog is raised before each click.
void ShownDialog::click(double dluX, double dluY) const {
    run("xdotool windowraise " + id + " 2>/dev/null");
    run("xdotool mousemove " + std::to_string(screenX(dluX)) + " " + std::to_string(screenY(dluY)) +
        " click 1");
    sleepSeconds(0.4);
}

void ShownDialog::focus() const {
    run("xdotool windowfocus --sync " + id + " 2>/dev/null");
}

void ShownDialog::close() const {
    focus();
    run("xdotool key Escape");
    sleepSeconds(0.5);
}

std::optional<ShownDialog> waitForDialog(const std::string& title, int widthDlu, int heightDlu,
                                         double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const std::string& id : windowsNamed(title)) {
            const auto g = windowGeometry(id);
            const std::string state = run("xwininfo -id " + id + " 2>/dev/null").output;
            if (g && g->width > 50 && state.find("IsViewable") != std::string::npos) {
                sleepSeconds(0.5);
                return ShownDialog{id, *g, g->width / static_cast<double>(widthDlu),
                                   g->height / static_cast<double>(heightDlu)};
            }
        }
        sleepSeconds(0.2);
    }
    return std::nullopt;
}

int playingRowTop(const ShownDialog& musicDialog, const Screenshot& shot) {
    const int x = musicDialog.screenX(200);
    for (int y = musicDialog.g.y; y < musicDialog.g.y + musicDialog.g.height; ++y) {
        const auto [r, g, b] = shot.at(x, y);
        if (g > 230 && r < 40 && b < 40) return y;
    }
    return -1;
}

bool viewable(const std::string& title) {
    for (const std::string& id : windowsNamed(title))
        if (run("xwininfo -id " + id + " 2>/dev/null").output.find("IsViewable") != std::string::npos)
            return true;
    return false;
}

bool chooseFile(const std::string& path) {
    const auto chooser = waitForDialog("Select a file", 1, 1);
    if (!chooser) return false;
    chooser->focus();
    run("xdotool key ctrl+l");
    sleepSeconds(0.3);
    run("xdotool type --delay 20 '" + path + "'");
    sleepSeconds(0.3);
    run("xdotool key Return");
    for (int i = 0; i < 50 && viewable("Select a file"); ++i) sleepSeconds(0.1);
    sleepSeconds(0.5);
    return !viewable("Select a file");
}

// The colour dialog is laid out by GTK at a fixed size on the test server: the "Color name" box
// sits at (369, 155) from its top left corner, "Select" 55 pixels left of and 30 above its bottom
// right corner.
bool chooseColour(const std::string& hex) {
    const auto dialog = waitForDialog("Choose colour", 1, 1);
    if (!dialog) return false;
    run("xdotool windowraise " + dialog->id + " 2>/dev/null");
    clickAt(dialog->g.x + 369, dialog->g.y + 155);
    run("xdotool key ctrl+a type '" + hex + "'");
    run("xdotool key Return");
    sleepSeconds(0.3);
    clickAt(dialog->g.x + dialog->g.width - 55, dialog->g.y + dialog->g.height - 30);
    for (int i = 0; i < 30 && viewable("Choose colour"); ++i) sleepSeconds(0.1);
    return !viewable("Choose colour");
}

}  // namespace veltamar::e2e
