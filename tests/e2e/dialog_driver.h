#pragma once

#include <optional>
#include <string>

#include "harness.h"

// Driving the program's dialogs on the test server: finding a shown dialog, clicking its controls
// by their places in dialog units, closing it, and choosing a file in the GTK file chooser.

namespace veltamar::e2e {

constexpr int CMD_MUSIC_DIALOG = 1050;
constexpr int CMD_BACKGROUND_DIALOG = 1052;
constexpr const char* MUSIC_TITLE = "Custom Music - Free Veltamar Screensaver 1.0";
constexpr const char* BACKGROUND_TITLE = "Custom Background - Free Veltamar Screensaver 1.0";

std::string readAll(const std::string& path);

// A shown dialog and the size of its dialog units on screen (the dialogs' client areas are their
// templates' sizes, and the test server has no window manager to add a frame).
struct ShownDialog {
    std::string id;
    Geometry g;
    double unitX = 0, unitY = 0;

    int screenX(double dluX) const;
    int screenY(double dluY) const;
    void click(double dluX, double dluY) const;
    void focus() const;
    // Escape closes the dialog (and saves its section).
    void close() const;
};

std::optional<ShownDialog> waitForDialog(const std::string& title, int widthDlu, int heightDlu,
                                         double seconds = 10);
bool viewable(const std::string& title);

// The top screen line of the music list's row marked as the one playing (green behind its text),
// or -1 when no row is marked.
int playingRowTop(const ShownDialog& musicDialog, const Screenshot& shot);

// Chooses a file in the GTK file chooser the "Add" buttons open: the location box (Ctrl+L) takes
// the typed path. False when the chooser did not come or did not go.
bool chooseFile(const std::string& path);

// Chooses a colour in the GTK colour dialog a colour swatch opens: the colour's "#rrggbb" goes
// into its "Color name" box, then "Select". False when the dialog did not come or did not go.
bool chooseColour(const std::string& hex);

}  // namespace veltamar::e2e
