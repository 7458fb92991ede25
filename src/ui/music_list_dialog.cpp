#include "ui/music_list_dialog.h"

#include <wx/filedlg.h>
#include <wx/statbox.h>

#include <algorithm>

#include "audio/sound_arbiter.h"
#include "platform/crt_rand.h"
#include "platform/message_box.h"
#include "render/idle_counter.h"
#include "settings/app_profile.h"
#include "settings/custom_sections.h"
#include "settings/settings_file.h"
#include "ui/dialog_support.h"
#include "ui/wx_color.h"

namespace veltamar {

namespace {

constexpr const char* TITLE = "Custom Music - Free Veltamar Screensaver 1.0";
constexpr const char* MUSIC_FILTER = "(*.mp3;*.wav;*.mpeg)|*.mp3;*.wav;*.mpeg";
constexpr ColorRef LIST_BACKGROUND = rgbColor(207, 184, 130);
constexpr ColorRef ON_COLOUR = rgbColor(0, 255, 0);
constexpr ColorRef OFF_COLOUR = rgbColor(0, 0, 0);
constexpr int ICON_ON = 184;
constexpr int ICON_OFF = 183;
constexpr int MAX_VOLUME = 1000;

int firstSelected(const wxListCtrl& list) {
    return static_cast<int>(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

}  // namespace

MusicListDialog::MusicListDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, TITLE), list(device, crtRand), timer(this) {
    createControls();

    list.setVolume(std::clamp(readProfileVolume(), 0, MAX_VOLUME));
    player.setOwner(playerHost);
    // A track opened on the player's thread is taken in at once, not at the next tick: a file
    // that cannot be played stops the list as soon as that is known.
    player.whenOpened([this] {
        CallAfter([this] {
            list.followLoading();
            refresh();
        });
    });
    player.setFileName("");
    player.open();
    player.setVolume(list.volume());
    volumeSlider->setRange(0, MAX_VOLUME);
    volumeSlider->setPos(list.volume());

    load();

    bindCloseKeys(*this, [this] { save(); });
    Bind(wxEVT_TIMER, &MusicListDialog::onTimer, this);
    timer.Start(TIMER_MS);
}

MusicListDialog::~MusicListDialog() {
    timer.Stop();
    ColorListCtrl::setPlayingIndex(-1);
}

void MusicListDialog::createControls() {
    SetClientSize(ConvertDialogToPixels(wxSize(317, 151)));
    const auto at = [this](int x, int y, int w, int h) { return dialogUnitRect(*this, x, y, w, h); };
    const auto place = [](wxWindow* control, const wxRect& r) {
        control->SetSize(r);
        return control;
    };

    place(new wxStaticBox(this, wxID_ANY, "Use your own music"), at(7, 4, 92, 30));
    onOffButton = new IconCheckButton(this, ID_ON_OFF, "On/Off");
    place(onOffButton, at(16, 14, 74, 14));
    onOffButton->setIcons(ICON_ON, ICON_OFF);

    place(new wxStaticBox(this, wxID_ANY, "Play Modes"), at(7, 38, 92, 54));
    const std::array<std::pair<int, const char*>, 3> modes{
        {{ID_REPEAT_ONE, "Repeat One"}, {ID_REPEAT_ALL, "Repeat All"}, {ID_RANDOM, "Random "}}};
    for (std::size_t i = 0; i < modes.size(); ++i) {
        modeButtons[i] = new IconCheckButton(this, modes[i].first, modes[i].second);
        place(modeButtons[i], at(16, 49 + 13 * static_cast<int>(i), 74, 12));
        modeButtons[i]->setColours(ON_COLOUR, OFF_COLOUR);
        Bind(wxEVT_BUTTON, &MusicListDialog::onMode, this, modes[i].first);
    }

    place(new wxStaticBox(this, wxID_ANY, "Volume"), at(7, 96, 92, 48));
    volumeSlider = new ColorSlider(this, ID_VOLUME);
    place(volumeSlider, at(12, 112, 82, 18));

    listCtrl = new ColorListCtrl(this, ID_LIST, wxDefaultPosition, wxDefaultSize,
                                 wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
    place(listCtrl, at(106, 7, 204, 112));
    listCtrl->SetBackgroundColour(toWxColour(LIST_BACKGROUND));
    listCtrl->SetTextColour(toWxColour(LIST_ROW_TEXT));
    listCtrl->InsertColumn(0, "Music List", wxLIST_FORMAT_CENTRE, 500);

    const std::array<std::pair<wxButton**, std::pair<int, const char*>>, 5> buttons{{
        {&addButton, {ID_ADD, "Add Music"}},
        {&removeButton, {ID_REMOVE, "Remove"}},
        {&removeAllButton, {ID_REMOVE_ALL, "Remove All"}},
        {&playButton, {ID_PLAY, "Play"}},
        {&stopButton, {ID_STOP, "Stop"}},
    }};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        *buttons[i].first = new wxButton(this, buttons[i].second.first, buttons[i].second.second);
        place(*buttons[i].first, at(106 + 41 * static_cast<int>(i), 125, 38, 18));
    }

    positionSlider = new wxSlider(this, ID_POSITION, 0, 0, 1);
    place(positionSlider, at(106, 146, 100, 4));
    positionSlider->Hide();
    playerHost = new wxStaticText(this, ID_PLAYER_HOST, "Static");
    place(playerHost, at(210, 146, 20, 4));
    playerHost->Hide();

    Bind(wxEVT_BUTTON, &MusicListDialog::onOnOff, this, ID_ON_OFF);
    Bind(wxEVT_BUTTON, &MusicListDialog::onAdd, this, ID_ADD);
    Bind(wxEVT_BUTTON, &MusicListDialog::onRemove, this, ID_REMOVE);
    Bind(wxEVT_BUTTON, &MusicListDialog::onRemoveAll, this, ID_REMOVE_ALL);
    Bind(wxEVT_BUTTON, &MusicListDialog::onPlay, this, ID_PLAY);
    Bind(wxEVT_BUTTON, &MusicListDialog::onStop, this, ID_STOP);
    listCtrl->Bind(wxEVT_LIST_ITEM_SELECTED, &MusicListDialog::onSelectionChanged, this);
    listCtrl->Bind(wxEVT_LIST_ITEM_DESELECTED, &MusicListDialog::onSelectionChanged, this);
    Bind(wxEVT_SLIDER, &MusicListDialog::onVolume, this, ID_VOLUME);
}

void MusicListDialog::centreAndShow() {
    CentreOnParent();
    Show();
    Raise();
}

void MusicListDialog::load() {
    listCtrl->DeleteAllItems();
    list.removeAll();
    const MusicSection section = readMusicSection(settingsPath());
    for (const std::string& path : section.paths) appendItem(path);
    list.setOnOff(section.ownMusic);
    selectMode(modeFromButtons(section.modes));
    if (!section.paths.empty() && list.onOff()) list.play();
    refresh();
    keeper.loaded(this->section());
}

void MusicListDialog::save() {
    Hide();
    keeper.writeNow(section());
}

MusicSection MusicListDialog::section() const {
    return {buttonsForMode(list.playMode()), list.onOff(), list.items()};
}

void MusicListDialog::keepEdits() {
    keeper.edited();
    keeper.keep(section());
}

void MusicListDialog::appendItem(const std::string& path) {
    list.append(path);
    listCtrl->InsertItem(listCtrl->GetItemCount(), wxString::FromUTF8(path));
}

void MusicListDialog::selectMode(PlayMode mode) {
    list.setPlayMode(mode);
    const PlayModeButtons on = buttonsForMode(mode);
    modeButtons[0]->setState(on.repeatOne);
    modeButtons[1]->setState(on.repeatAll);
    modeButtons[2]->setState(on.random);
}

void MusicListDialog::refresh() {
    onOffButton->setState(list.onOff());
    const bool editable = list.editingEnabled();
    for (wxButton* button : {addButton, removeButton, removeAllButton, playButton}) button->Enable(editable);

    if (ColorListCtrl::playingIndex() != list.markedTrack())
        ColorListCtrl::setPlayingIndex(list.markedTrack());

    if (list.selection() < 0 && firstSelected(*listCtrl) >= 0) {
        clearingSelection = true;
        for (long i = 0; i < listCtrl->GetItemCount(); ++i)
            listCtrl->SetItemState(i, 0, wxLIST_STATE_SELECTED);
        clearingSelection = false;
    }

    const int length = static_cast<int>(std::min<long>(list.trackLength(), INT32_MAX));
    if (positionSlider->GetMax() != std::max(length, 1)) positionSlider->SetRange(0, std::max(length, 1));
    positionSlider->SetValue(static_cast<int>(std::min<long>(list.position(), positionSlider->GetMax())));
}

// Every click turns the list's switch over once. The button shows its new state at once but
// tells us later, and the timer may have shown the list's state on it again in between, so the
// button's state is no guide here.
void MusicListDialog::onOnOff(wxCommandEvent&) {
    list.onOffClicked(!list.onOff());
    refresh();
    keepEdits();
}

void MusicListDialog::onMode(wxCommandEvent& event) {
    const PlayMode mode = event.GetId() == ID_RANDOM       ? PLAY_RANDOM
                          : event.GetId() == ID_REPEAT_ALL ? PLAY_REPEAT_ALL
                                                           : PLAY_REPEAT_ONE;
    selectMode(mode);
    keepEdits();
}

void MusicListDialog::onAdd(wxCommandEvent&) {
    // Whether the chosen file is there is the player's business: checking it here would wait on
    // a network share that has stopped answering.
    wxFileDialog chooser(nullptr, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, MUSIC_FILTER,
                         wxFD_OPEN);
    if (chooser.ShowModal() != wxID_OK) return;
    appendItem(chooser.GetPath().utf8_string());
    refresh();
    keepEdits();
}

void MusicListDialog::onRemove(wxCommandEvent&) {
    const int row = list.selection();
    if (!list.removeSelected()) {
        showMessage("Please select an item from the music list!");
        return;
    }
    clearingSelection = true;
    listCtrl->DeleteItem(row);
    clearingSelection = false;
    refresh();
    keepEdits();
}

void MusicListDialog::onRemoveAll(wxCommandEvent&) {
    list.removeAll();
    clearingSelection = true;
    listCtrl->DeleteAllItems();
    clearingSelection = false;
    refresh();
    keepEdits();
}

void MusicListDialog::onPlay(wxCommandEvent&) {
    list.play();
    refresh();
    keepEdits();
}

void MusicListDialog::onStop(wxCommandEvent&) {
    list.stopList();
    refresh();
    keepEdits();
}

// A click on a row chooses that track (and starts it while the list plays).
void MusicListDialog::onSelectionChanged(wxListEvent& event) {
    event.Skip();
    if (clearingSelection) return;
    list.select(firstSelected(*listCtrl));
    if (event.GetEventType() == wxEVT_LIST_ITEM_SELECTED) list.rowClicked();
    refresh();
    keepEdits();
}

void MusicListDialog::onVolume(wxCommandEvent&) {
    list.setVolume(volumeSlider->getPos());
}

void MusicListDialog::onTimer(wxTimerEvent&) {
    ownMusicOn = list.onOff();
    if (list.tick() && IsShown()) idleCounter = 0;
    refresh();
    keeper.keep(section());
}

}  // namespace veltamar
