#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <array>

#include "audio/mci_player.h"
#include "settings/custom_sections.h"
#include "ui/controls/color_list_ctrl.h"
#include "ui/controls/color_slider.h"
#include "ui/controls/icon_check_button.h"
#include "ui/mci_track_device.h"
#include "ui/music_playlist.h"
#include "ui/section_keeper.h"

// "Custom Music": the user's own play list. The view creates it hidden at start-up and only shows
// it; the list, its play mode and "On/Off" come from the settings file, and the music plays on
// while the dialog is hidden. Every edit is saved as it is made, and closing it (or Escape) hides
// it and saves the list.

namespace veltamar {

class MusicListDialog : public wxDialog {
  public:
    enum ControlId {
        ID_VOLUME = 1007,
        ID_POSITION = 1006,
        ID_ON_OFF = 1011,
        ID_LIST = 1016,
        ID_ADD = 1017,
        ID_REMOVE = 1018,
        ID_REMOVE_ALL = 1019,
        ID_PLAY = 1021,
        ID_STOP = 1022,
        ID_REPEAT_ONE = 1023,
        ID_REPEAT_ALL = 1024,
        ID_RANDOM = 1025,
        ID_PLAYER_HOST = 1034,
    };
    static constexpr int TIMER_MS = 200;

    explicit MusicListDialog(wxWindow* parent);
    ~MusicListDialog() override;

    // Centres the dialog on its owner and shows it.
    void centreAndShow();

    const MusicPlaylist& playlist() const { return list; }

  private:
    void createControls();
    void load();
    // Hides the dialog and saves its section.
    void save();
    MusicSection section() const;
    // Saves the section after an edit.
    void keepEdits();
    // Makes the controls show the play list's state.
    void refresh();
    void appendItem(const std::string& path);
    void selectMode(PlayMode mode);

    void onOnOff(wxCommandEvent& event);
    void onMode(wxCommandEvent& event);
    void onAdd(wxCommandEvent& event);
    void onRemove(wxCommandEvent& event);
    void onRemoveAll(wxCommandEvent& event);
    void onPlay(wxCommandEvent& event);
    void onStop(wxCommandEvent& event);
    void onSelectionChanged(wxListEvent& event);
    void onVolume(wxCommandEvent& event);
    void onTimer(wxTimerEvent& event);

    MciPlayer player;
    MciTrackDevice device{player};
    MusicPlaylist list;
    SectionKeeper<MusicSection> keeper{writeMusicSection};

    IconCheckButton* onOffButton = nullptr;
    std::array<IconCheckButton*, 3> modeButtons{};
    ColorListCtrl* listCtrl = nullptr;
    wxButton* addButton = nullptr;
    wxButton* removeButton = nullptr;
    wxButton* removeAllButton = nullptr;
    wxButton* playButton = nullptr;
    wxButton* stopButton = nullptr;
    ColorSlider* volumeSlider = nullptr;
    wxSlider* positionSlider = nullptr;
    wxStaticText* playerHost = nullptr;
    wxTimer timer;
    bool clearingSelection = false;
};

}  // namespace veltamar
