#include "ui/fish_number_dialog.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>

#include "platform/crt_rand.h"
#include "platform/product_info.h"
#include "render/idle_counter.h"
#include "settings/settings_file.h"
#include "ui/controls/hover_button.h"
#include "ui/controls/hyperlink_static.h"
#include "ui/controls/solid_label.h"
#include "ui/dialog_units.h"
#include "ui/inverted_oval.h"
#include "ui/ui_pictures.h"

namespace veltamar {

namespace {

const wxColour TOTAL_TEXT(0, 0, 255);
const wxColour TOTAL_BACKGROUND(204, 214, 198);

wxRect toWxRect(const UiRect& r) {
    return {r.x, r.y, r.width, r.height};
}

}  // namespace

FishNumberDialog::FishNumberDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString("Fish Settings - ") + PRODUCT_TITLE), saveTimer(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    useDialogFont(*this);
    SetClientSize(ConvertDialogToPixels(wxSize(334, 345)));

    auto button = [this](int id, const char* label, wxRect r) {
        return new HoverButton(this, id, label, r.GetPosition(), r.GetSize());
    };
    button(ID_FISH_ADD, "&Add", dialogRect(*this, 121, 324, 27, 15));
    button(ID_FISH_DELETE, "&Delete", dialogRect(*this, 150, 324, 32, 15));
    button(ID_FISH_RANDOM, "&Random", dialogRect(*this, 184, 324, 31, 15));
    button(ID_FISH_CLEAR, "&Clear", dialogRect(*this, 217, 324, 27, 15));
    const wxRect totalBox = dialogRect(*this, 256, 332, 77, 8);
    total = new SolidLabel(this, ID_FISH_TOTAL, "Total:50  (Max:200)", totalBox.GetPosition(),
                           totalBox.GetSize(), TOTAL_TEXT, TOTAL_BACKGROUND);
    const wxRect linkBox = dialogRect(*this, 9, 332, 113, 12);
    new HyperlinkStatic(this, ID_FISH_WEB_ADDRESS, MAKER_WEB_ADDRESS, linkBox.GetPosition(),
                        linkBox.GetSize());
    // The standard OK and Cancel, never shown.
    (new HoverButton(this, wxID_OK, "OK"))->Hide();
    (new HoverButton(this, wxID_CANCEL, "Cancel"))->Hide();

    picture = uiBitmap(FISH_PICTURE_ID);
    settingsFile = settingsPath();
    fish = FishNumberModel(loadFishCounts(settingsFile));
    saveTimer.Start(FISH_SAVE_PERIOD_MS);
    refreshTotal();
    CentreOnParent();

    Bind(wxEVT_PAINT, &FishNumberDialog::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &FishNumberDialog::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &FishNumberDialog::onLeftDoubleClick, this);
    Bind(wxEVT_RIGHT_DCLICK, &FishNumberDialog::onRightDoubleClick, this);
    Bind(wxEVT_CHAR_HOOK, &FishNumberDialog::onCharHook, this);
    Bind(wxEVT_TIMER, &FishNumberDialog::onTimer, this);
    Bind(wxEVT_CLOSE_WINDOW, &FishNumberDialog::onClose, this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { addFish(); }, ID_FISH_ADD);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { deleteFish(); }, ID_FISH_DELETE);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { randomFish(); }, ID_FISH_RANDOM);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { clearFish(); }, ID_FISH_CLEAR);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_OK); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_CANCEL); }, wxID_CANCEL);
}

FishNumberDialog::~FishNumberDialog() {
    saveTimer.Stop();
}

wxString FishNumberDialog::totalLabel() const {
    return total->GetLabel();
}

void FishNumberDialog::addFish() {
    repaint(fish.add());
    refreshTotal();
}

void FishNumberDialog::deleteFish() {
    repaint(fish.remove());
    refreshTotal();
}

void FishNumberDialog::randomFish() {
    repaint(fish.randomize(crtRand));
    refreshTotal();
}

void FishNumberDialog::clearFish() {
    repaint(fish.clear());
    refreshTotal();
}

void FishNumberDialog::save() {
    saveFishCounts(fish.counts(), settingsFile);
}

void FishNumberDialog::repaint(const std::vector<UiRect>& areas) {
    for (const UiRect& area : areas) {
        const wxRect r = toWxRect(area);
        RefreshRect(r, false);
    }
}

void FishNumberDialog::refreshTotal() {
    total->SetLabel(fish.totalText());
}

// Every way out keeps the counts: OK, Cancel and closing the window save once more, so a change
// made in the last half second is not lost.
void FishNumberDialog::finish(int result) {
    save();
    saveTimer.Stop();
    EndDialog(result);
}

// The picture with the counts written over it and, on the selected species, the inverted oval.
wxBitmap FishNumberDialog::composePicture() const {
    const UiRect lastCell = FishNumberModel::cellRect(SPECIES_COUNT - 1);
    const int width = std::max(picture.IsOk() ? picture.GetWidth() : 0, lastCell.right());
    const int height = std::max(picture.IsOk() ? picture.GetHeight() : 0, lastCell.bottom());
    wxBitmap canvas(width, height, 24);
    {
        wxMemoryDC dc(canvas);
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        if (picture.IsOk()) dc.DrawBitmap(picture, 0, 0, true);
        wxFont font = GetFont();
        font.MakeBold();
        dc.SetFont(font);
        dc.SetTextForeground(*wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        for (int s = 0; s < SPECIES_COUNT; ++s) {
            const UiRect cell = FishNumberModel::cellRect(s);
            dc.DrawText(std::to_string(fish.counts()[s]), cell.x + 2, cell.y + 2);
        }
    }
    if (!fish.speciesSelected()) return canvas;
    wxImage image = canvas.ConvertToImage();
    invertOval(image.GetData(), width, height, FishNumberModel::cellRect(fish.selection()));
    return wxBitmap(image);
}

void FishNumberDialog::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.DrawBitmap(composePicture(), 0, 0);
}

void FishNumberDialog::onLeftDown(wxMouseEvent& event) {
    repaint(fish.leftButtonDown(event.GetX(), event.GetY()));
    event.Skip();
}

void FishNumberDialog::onLeftDoubleClick(wxMouseEvent& event) {
    addFish();
    event.Skip();
}

void FishNumberDialog::onRightDoubleClick(wxMouseEvent& event) {
    deleteFish();
    event.Skip();
}

// A, D, R and C act on key-down in either case, wherever the focus is; Enter and Escape stand
// for the hidden OK and Cancel.
void FishNumberDialog::onCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case 'A':
        case 'a':
            addFish();
            return;
        case 'D':
        case 'd':
            deleteFish();
            return;
        case 'R':
        case 'r':
            randomFish();
            return;
        case 'C':
        case 'c':
            clearFish();
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            finish(wxID_OK);
            return;
        case WXK_ESCAPE:
            finish(wxID_CANCEL);
            return;
        default:
            event.Skip();
    }
}

void FishNumberDialog::onTimer(wxTimerEvent&) {
    save();
    idleCounter = 0;
}

void FishNumberDialog::onClose(wxCloseEvent&) {
    finish(wxID_OK);
}

void runFishNumberDialog() {
    FishNumberDialog dialog;
    dialog.ShowModal();
}

}  // namespace veltamar
