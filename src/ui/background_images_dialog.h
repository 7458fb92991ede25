#pragma once

#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <array>
#include <memory>

#include "assets/picture_reader.h"
#include "environment/slide_show.h"
#include "settings/custom_sections.h"
#include "ui/controls/hover_button.h"
#include "ui/controls/icon_check_button.h"
#include "ui/section_keeper.h"

// "Custom Background": up to ten of the user's own pictures and the slide show over them. The
// view creates it hidden at start-up, with its OpenGL context current (the pictures become
// textures of that context, made on the user-interface thread once a picture has been read in the
// background), and only shows it; the list, mode, interval and "Use your own image" come from the
// settings file, and the show goes on while the dialog is hidden. Every edit is saved as it is
// made, and closing it (or Escape) hides it and saves the list.

namespace veltamar {

class BackgroundImagesDialog : public wxDialog {
  public:
    enum ControlId {
        ID_ADD_IMAGE = 1008,
        ID_REMOVE_PICTURE = 1009,
        ID_REMOVE_ALL_PICTURE = 1010,
        ID_REMOVE_IMAGE = 1011,
        ID_REMOVE_ALL = 1012,
        ID_STOP_PICTURE = 1013,
        ID_OWN_IMAGE = 1014,
        ID_LIST = 1015,
        ID_ADD_PICTURE = 1016,
        ID_START_PICTURE = 1017,
        ID_INTERVAL = 1019,
        ID_REPEAT_ONE = 1023,
        ID_REPEAT_ALL = 1024,
        ID_RANDOM = 1025,
    };
    static constexpr int TIMER_MS = 200;

    explicit BackgroundImagesDialog(wxWindow* parent);
    ~BackgroundImagesDialog() override;

    // Centres the dialog and shows it.
    void centreAndShow();

    const SlideShow& slideShow() const { return show; }

  private:
    void createControls();
    void load();
    // Hides the dialog and saves its section.
    void save();
    ImagesSection section() const;
    // Saves the section after an edit.
    void keepEdits();
    // Starts reading the next picture waiting to be added, unless one is being read.
    void readWaitingPictures();
    // A picture has been read: its texture is made and it joins the list.
    void pictureRead(std::uint64_t id, const DecodedPicture& picture);
    // Makes the list control show the rows and their states, and publishes the picture on show.
    void refresh();
    void selectMode(PlayMode mode);
    void addPicture(const std::string& path);

    void onOwnImage(wxCommandEvent& event);
    void onMode(wxCommandEvent& event);
    void onAddImage();
    void onRemoveImage();
    void onRemoveAll();
    void onRowSelected(wxListEvent& event);
    void onTimer(wxTimerEvent& event);

    SlideShow show;
    SectionKeeper<ImagesSection> keeper{writeImagesSection};

    IconCheckButton* ownImageButton = nullptr;
    std::array<IconCheckButton*, 3> modeButtons{};
    wxListCtrl* listCtrl = nullptr;
    wxTextCtrl* intervalEdit = nullptr;
    wxTimer timer;
    bool syncingRows = false;
    std::unique_ptr<PictureReader> reader;
};

}  // namespace veltamar
