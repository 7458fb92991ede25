#include "ui/background_images_dialog.h"

#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/valtext.h>

#include "assets/picture_texture.h"
#include "environment/own_backdrop.h"
#include "platform/crt_rand.h"
#include "render/idle_counter.h"
#include "settings/custom_sections.h"
#include "settings/settings_file.h"
#include "ui/dialog_support.h"
#include "ui/ui_pictures.h"
#include "ui/wx_color.h"

namespace veltamar {

namespace {

constexpr const char* TITLE = "Custom Background - Free Veltamar Screensaver 1.0";
constexpr const char* PICTURE_FILTER = "(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png";
constexpr const char* DEFAULT_INTERVAL = SlideShow::DEFAULT_INTERVAL_TEXT;
constexpr ColorRef LIST_BACKGROUND = rgbColor(207, 184, 130);
constexpr ColorRef LIST_TEXT = rgbColor(0, 0, 255);
constexpr ColorRef ON_COLOUR = rgbColor(0, 255, 0);
constexpr ColorRef OFF_COLOUR = rgbColor(0, 0, 0);
constexpr int ICON_ON = 184;
constexpr int ICON_OFF = 183;

int firstSelected(const wxListCtrl& list) {
    return static_cast<int>(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

}  // namespace

BackgroundImagesDialog::BackgroundImagesDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, TITLE),
      show(crtRand, [](TextureName texture) { releasePictureTexture(texture); }),
      timer(this) {
    const int display = wxDisplay::GetFromWindow(parent);
    const wxRect screen =
        wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetGeometry();
    reader = std::make_unique<PictureReader>(
        pictureTextureBounds(screen.width, screen.height),
        [this](std::function<void()> task) { CallAfter(std::move(task)); },
        [this](std::uint64_t id, const DecodedPicture& picture) { pictureRead(id, picture); });
    createControls();
    bindCloseKeys(*this, [this] { save(); });
    Bind(wxEVT_TIMER, &BackgroundImagesDialog::onTimer, this);
    load();
    timer.Start(TIMER_MS);
}

BackgroundImagesDialog::~BackgroundImagesDialog() {
    reader.reset();  // a picture still being read is given up, never waited for
    timer.Stop();
    ownImageTexture = 0;
    ownImageOn = false;
    show.removeAll();
}

void BackgroundImagesDialog::createControls() {
    SetClientSize(ConvertDialogToPixels(wxSize(265, 135)));
    const auto at = [this](int x, int y, int w, int h) { return dialogUnitRect(*this, x, y, w, h); };
    const auto place = [](wxWindow* control, const wxRect& r) {
        control->SetSize(r);
        return control;
    };

    ownImageButton = new IconCheckButton(this, ID_OWN_IMAGE, wxEmptyString);
    place(ownImageButton, at(7, 6, 16, 14));
    ownImageButton->setIcons(ICON_ON, ICON_OFF);
    place(new wxStaticText(this, wxID_ANY, "Use your own image"), at(25, 9, 90, 10));

    place(new wxStaticText(this, wxID_ANY, "Interval"), at(160, 9, 30, 10));
    intervalEdit = new wxTextCtrl(this, ID_INTERVAL, DEFAULT_INTERVAL, wxDefaultPosition, wxDefaultSize, 0,
                                  wxTextValidator(wxFILTER_DIGITS));
    intervalEdit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { keepEdits(); });
    place(intervalEdit, at(192, 6, 34, 14));
    place(new wxStaticText(this, wxID_ANY, "S"), at(230, 9, 10, 10));

    const std::array<std::pair<int, const char*>, 3> modes{
        {{ID_REPEAT_ONE, "Repeat One"}, {ID_REPEAT_ALL, "Repeat All"}, {ID_RANDOM, "Random "}}};
    for (std::size_t i = 0; i < modes.size(); ++i) {
        const int x = 7 + 73 * static_cast<int>(i);
        modeButtons[i] = new IconCheckButton(this, modes[i].first, wxEmptyString);
        place(modeButtons[i], at(x, 25, 14, 12));
        modeButtons[i]->setColours(ON_COLOUR, OFF_COLOUR);
        place(new wxStaticText(this, wxID_ANY, modes[i].second), at(x + 16, 27, 50, 10));
        Bind(wxEVT_BUTTON, &BackgroundImagesDialog::onMode, this, modes[i].first);
    }

    listCtrl = new wxListCtrl(this, ID_LIST, wxDefaultPosition, wxDefaultSize,
                              wxLC_REPORT | wxLC_HRULES | wxLC_VRULES | wxLC_SINGLE_SEL);
    place(listCtrl, at(7, 42, 251, 70));
    listCtrl->SetBackgroundColour(toWxColour(LIST_BACKGROUND));
    listCtrl->SetTextColour(toWxColour(LIST_TEXT));
    listCtrl->InsertColumn(0, "Backgrounds Directory", wxLIST_FORMAT_CENTRE, 430);
    listCtrl->InsertColumn(1, "State", wxLIST_FORMAT_CENTRE, 50);

    const std::array<std::pair<int, const char*>, 3> buttons{
        {{ID_ADD_IMAGE, "Add Image"}, {ID_REMOVE_IMAGE, "Remove Image"}, {ID_REMOVE_ALL, "Remove All"}}};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        place(new HoverButton(this, buttons[i].first, buttons[i].second),
              at(7 + 66 * static_cast<int>(i), 116, 62, 15));

    // Hidden picture buttons that do the same as the visible ones.
    const std::array<std::pair<int, int>, 5> hidden{{{ID_ADD_PICTURE, 289},
                                                     {ID_REMOVE_PICTURE, 283},
                                                     {ID_REMOVE_ALL_PICTURE, 284},
                                                     {ID_START_PICTURE, 285},
                                                     {ID_STOP_PICTURE, 286}}};
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        auto* picture = new wxStaticBitmap(this, hidden[i].first, uiBitmap(hidden[i].second));
        place(picture, at(210 + 9 * static_cast<int>(i), 118, 8, 8));
        picture->Hide();
        const int id = hidden[i].first;
        picture->Bind(wxEVT_LEFT_UP, [this, id](wxMouseEvent&) {
            switch (id) {
                case ID_ADD_PICTURE:
                    onAddImage();
                    break;
                case ID_REMOVE_PICTURE:
                    onRemoveImage();
                    break;
                case ID_REMOVE_ALL_PICTURE:
                    onRemoveAll();
                    break;
                case ID_START_PICTURE:
                    show.startShow();
                    break;
                case ID_STOP_PICTURE:
                    show.stopShow();
                    break;
            }
            refresh();
        });
    }

    Bind(wxEVT_BUTTON, &BackgroundImagesDialog::onOwnImage, this, ID_OWN_IMAGE);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { onAddImage(); }, ID_ADD_IMAGE);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { onRemoveImage(); }, ID_REMOVE_IMAGE);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { onRemoveAll(); }, ID_REMOVE_ALL);
    listCtrl->Bind(wxEVT_LIST_ITEM_SELECTED, &BackgroundImagesDialog::onRowSelected, this);
}

void BackgroundImagesDialog::centreAndShow() {
    Centre();
    Show();
    Raise();
}

void BackgroundImagesDialog::load() {
    show.removeAll();
    const ImagesSection section = readImagesSection(settingsPath(), SlideShow::MAX_PICTURES);
    ownImageButton->setState(section.ownImage);
    show.setOwnImage(section.ownImage);
    intervalEdit->ChangeValue(section.intervalText.empty() ? wxString(DEFAULT_INTERVAL)
                                                           : wxString::FromUTF8(section.intervalText));
    for (const std::string& path : section.paths) show.requestPicture(path, PictureOrigin::Settings);
    selectMode(modeFromButtons(section.modes));
    if (!section.paths.empty() && show.ownImage()) show.startShowWhenLoaded();
    readWaitingPictures();
    refresh();
    keeper.loaded(this->section());
}

void BackgroundImagesDialog::save() {
    Hide();
    keeper.writeNow(section());
}

ImagesSection BackgroundImagesDialog::section() const {
    return {buttonsForMode(show.playMode()), show.ownImage(), intervalEdit->GetValue().utf8_string(),
            show.listedPaths()};
}

void BackgroundImagesDialog::keepEdits() {
    keeper.edited();
    keeper.keep(section());
}

void BackgroundImagesDialog::readWaitingPictures() {
    if (reader->busy()) return;
    if (const SlideShow::Request* request = show.nextRequest()) reader->read(request->id, request->path);
}

void BackgroundImagesDialog::pictureRead(std::uint64_t id, const DecodedPicture& picture) {
    if (show.isWaiting(id)) {
        show.pictureReady(id, createPictureTexture(picture));
        refresh();
        if (IsShown()) Raise();  // back in front after a message box
    }
    readWaitingPictures();
}

void BackgroundImagesDialog::refresh() {
    syncingRows = true;
    const auto& rows = show.rows();
    while (listCtrl->GetItemCount() > static_cast<int>(rows.size()))
        listCtrl->DeleteItem(listCtrl->GetItemCount() - 1);
    while (listCtrl->GetItemCount() < static_cast<int>(rows.size())) {
        const long item = listCtrl->InsertItem(listCtrl->GetItemCount(), "");
        listCtrl->SetItemBackgroundColour(item, toWxColour(LIST_BACKGROUND));
        listCtrl->SetItemTextColour(item, toWxColour(LIST_TEXT));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const long item = static_cast<long>(i);
        const wxString path = wxString::FromUTF8(rows[i].path);
        if (listCtrl->GetItemText(item, 0) != path) listCtrl->SetItem(item, 0, path);
        const wxString state = rows[i].on ? "ON" : "OFF";
        if (listCtrl->GetItemText(item, 1) != state) listCtrl->SetItem(item, 1, state);
    }
    syncingRows = false;
    ownImageTexture = show.currentImage();
}

void BackgroundImagesDialog::selectMode(PlayMode mode) {
    show.setPlayMode(mode);
    const PlayModeButtons on = buttonsForMode(mode);
    modeButtons[0]->setState(on.repeatOne);
    modeButtons[1]->setState(on.repeatAll);
    modeButtons[2]->setState(on.random);
}

void BackgroundImagesDialog::onOwnImage(wxCommandEvent&) {
    show.ownImageClicked(ownImageButton->getState() != 0);
    refresh();
    keepEdits();
}

void BackgroundImagesDialog::onMode(wxCommandEvent& event) {
    const PlayMode mode = event.GetId() == ID_RANDOM       ? PLAY_RANDOM
                          : event.GetId() == ID_REPEAT_ALL ? PLAY_REPEAT_ALL
                                                           : PLAY_REPEAT_ONE;
    selectMode(mode);
    keepEdits();
}

void BackgroundImagesDialog::addPicture(const std::string& path) {
    show.requestPicture(path, PictureOrigin::User);
    readWaitingPictures();
    keepEdits();
}

void BackgroundImagesDialog::onAddImage() {
    // Whether the chosen file is there is the reader's business: checking it here would wait on
    // a network share that has stopped answering.
    wxFileDialog chooser(nullptr, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, PICTURE_FILTER,
                         wxFD_OPEN);
    if (chooser.ShowModal() != wxID_OK) return;
    addPicture(chooser.GetPath().utf8_string());
}

void BackgroundImagesDialog::onRemoveImage() {
    show.removeRow(firstSelected(*listCtrl));
    refresh();
    keepEdits();
}

void BackgroundImagesDialog::onRemoveAll() {
    show.removeAll();
    refresh();
    keepEdits();
}

void BackgroundImagesDialog::onRowSelected(wxListEvent& event) {
    event.Skip();
    if (syncingRows) return;
    show.rowClicked(static_cast<int>(event.GetIndex()));
    refresh();
}

void BackgroundImagesDialog::onTimer(wxTimerEvent&) {
    ownImageOn = show.ownImage();
    show.tick(intervalEdit->GetValue().utf8_string());
    refresh();
    if (IsShown()) idleCounter = 0;
    // After an edit, what the list becomes as pictures are read is kept too (a picture added that
    // turned out unreadable leaves it).
    keeper.keep(section());
}

}  // namespace veltamar
