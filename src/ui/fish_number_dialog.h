#pragma once

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <string>
#include <vector>

#include "ui/fish_number_model.h"

// "Fish Settings": how many fish of each species swim. A picture shows the ten species in two
// rows; a click selects one, and Add, Delete, Random and Clear (buttons, the keys A, D, R and C,
// or a double-click: left adds, right deletes) change the counts, which the tank follows within
// half a second. Closing the window keeps the counts.

namespace veltamar {

class SolidLabel;

enum FishNumberId {
    ID_FISH_TOTAL = 1001,
    ID_FISH_ADD = 1007,
    ID_FISH_DELETE = 1008,
    ID_FISH_RANDOM = 1009,
    ID_FISH_CLEAR = 1010,
    ID_FISH_WEB_ADDRESS = 1037,
};

constexpr int FISH_PICTURE_ID = 129;
constexpr int FISH_SAVE_PERIOD_MS = 500;

class FishNumberDialog : public wxDialog {
  public:
    explicit FishNumberDialog(wxWindow* parent = nullptr);
    ~FishNumberDialog() override;

    const FishNumberModel& model() const { return fish; }
    wxString totalLabel() const;

    // The actions of the buttons and keys.
    void addFish();
    void deleteFish();
    void randomFish();
    void clearFish();
    // Writes the counts to the settings file and hands them to the tank.
    void save();

  private:
    void repaint(const std::vector<UiRect>& areas);
    void refreshTotal();
    void finish(int result);
    wxBitmap composePicture() const;

    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftDoubleClick(wxMouseEvent& event);
    void onRightDoubleClick(wxMouseEvent& event);
    void onCharHook(wxKeyEvent& event);
    void onTimer(wxTimerEvent& event);
    void onClose(wxCloseEvent& event);

    FishNumberModel fish;
    std::string settingsFile;
    wxBitmap picture;
    SolidLabel* total = nullptr;
    wxTimer saveTimer;
};

// Runs the dialog modally, without a parent.
void runFishNumberDialog();

}  // namespace veltamar
