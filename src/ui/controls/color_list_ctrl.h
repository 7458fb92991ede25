#pragma once

#include <wx/listctrl.h>

#include "ui/color_ref.h"

// The music list: a report list whose rows are blue text on a sand colour, and whose row at the
// process-wide playing index has a green background. The colours follow the rows as they are
// inserted and deleted and whenever the playing index changes.

namespace veltamar {

constexpr ColorRef LIST_ROW_TEXT = rgbColor(0, 0, 255);
constexpr ColorRef LIST_ROW_BACKGROUND = rgbColor(196, 184, 130);
constexpr ColorRef LIST_PLAYING_BACKGROUND = rgbColor(0, 255, 0);

class ColorListCtrl : public wxListCtrl {
  public:
    ColorListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, long style = wxLC_REPORT);
    ~ColorListCtrl() override;

    // The index of the track being played (-1 for none), shared by every list of the process.
    // Setting it recolours every list at once.
    static int playingIndex();
    static void setPlayingIndex(int index);

    // Gives every row its colours again.
    void refreshRowColors();

  private:
    void onRowsChanged(wxListEvent& event);
};

}  // namespace veltamar
