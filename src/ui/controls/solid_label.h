#pragma once

#include <wx/control.h>

// A line of static text in colours of its own: the text colour on a background that fills the
// whole control (GTK labels leave their background to the window behind them).

namespace veltamar {

class SolidLabel : public wxControl {
  public:
    SolidLabel(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& pos, const wxSize& size,
               const wxColour& textColour, const wxColour& backgroundColour);

    void SetLabel(const wxString& label) override;

  protected:
    wxSize DoGetBestClientSize() const override { return GetTextExtent(GetLabel()); }

  private:
    void onPaint(wxPaintEvent& event);

    wxColour text;
    wxColour background;
};

}  // namespace veltamar
