#include "ui/aquarium_settings_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "audio/builtin_sound.h"
#include "platform/product_info.h"
#include "settings/settings_file.h"
#include "ui/controls/color_slider.h"
#include "ui/controls/color_swatch_button.h"
#include "ui/controls/icon_check_button.h"
#include "ui/dialog_units.h"
#include "ui/ui_pictures.h"
#include "ui/wx_color.h"

namespace veltamar {

namespace {

constexpr ColorRef MARK_ON = rgbColor(0, 255, 0);
constexpr ColorRef MARK_OFF = rgbColor(0, 0, 0);
constexpr int TOGGLE_ON_ICON = 184;
constexpr int TOGGLE_OFF_ICON = 183;
constexpr int DIALOG_ICON = 138;
constexpr int ID_PLAY = 1014;
constexpr int ID_ABOUT = 1004;
constexpr int ID_ICON = 1005;

struct DialogUnits {
    int x, y, width, height;
};

// Where the visible controls sit, in dialog units of the 244 x 243 dialog: the four vertical
// sliders at the upper left, the light's colour at the upper right, the views of the tank across
// the lower part and the maker's address at the foot.
constexpr DialogUnits DIALOG_SIZE{0, 0, 244, 243};
constexpr DialogUnits SLIDER_BOX{6, 4, 112, 122};
constexpr int SLIDER_COLUMN_LEFT = 10;
constexpr int SLIDER_COLUMN_WIDTH = 26;
constexpr int SLIDER_LABEL_TOP = 13;
constexpr int SLIDER_TOP = 32;
constexpr int SLIDER_WIDTH = 16;
constexpr int SLIDER_HEIGHT = 88;
constexpr DialogUnits COLOUR_BOX{124, 4, 114, 122};
constexpr DialogUnits FRONT_FIXED_BUTTON{131, 17, 66, 14};
constexpr DialogUnits FRONT_FIXED_SWATCH{202, 18, 28, 12};
constexpr DialogUnits FRONT_AUTO_BUTTON{131, 36, 102, 14};
constexpr DialogUnits FRONT_LOCK_BUTTON{131, 55, 102, 14};
constexpr DialogUnits PREVIEW_AREA{131, 74, 100, 48};
constexpr DialogUnits VIEWS_BOX{6, 130, 232, 92};
constexpr DialogUnits AUTO_VIEWS_CHECK{14, 142, 180, 14};
constexpr DialogUnits LEFT_LABEL{12, 168, 24, 8};
constexpr DialogUnits LEFT_RIGHT_SLIDER{38, 164, 166, 16};
constexpr DialogUnits RIGHT_LABEL{208, 168, 26, 8};
constexpr DialogUnits FAR_LABEL{12, 196, 24, 8};
constexpr DialogUnits NEAR_FAR_SLIDER{38, 192, 166, 16};
constexpr DialogUnits NEAR_LABEL{208, 196, 26, 8};
constexpr DialogUnits WEB_ADDRESS{6, 228, 232, 10};

struct SliderColumn {
    int id;
    const char* firstLine;
    const char* secondLine;
    int maximum;
};
constexpr SliderColumn SLIDER_COLUMNS[] = {
    {ID_VOLUME_SLIDER, "Waves ", "Sound", VOLUME_SLIDER_MAX},
    {ID_BUBBLE_SLIDER, "Bubble ", "Count", BUBBLE_SLIDER_MAX},
    {ID_FOG_SLIDER, "", "Fog", FOG_SLIDER_MAX},
    {ID_LIGHT_SLIDER, "", "Light", LIGHT_SLIDER_MAX},
};

struct ModeButton {
    int id;
    bool front;
    ColourMode mode;
};
constexpr ModeButton MODE_BUTTONS[] = {
    {ID_FRONT_FIXED, true, ColourMode::Fixed},         {ID_FRONT_GRADUAL, true, ColourMode::Gradual},
    {ID_FRONT_AUTOMATIC, true, ColourMode::Automatic}, {ID_BACK_FIXED, false, ColourMode::Fixed},
    {ID_BACK_GRADUAL, false, ColourMode::Gradual},     {ID_BACK_AUTOMATIC, false, ColourMode::Automatic},
};

constexpr int TOGGLE_BUTTONS[] = {ID_SHOW_WATER, ID_SHOW_LIGHTS, ID_SHOW_TERRA, ID_FRONT_LOCK, ID_BACK_LOCK};
constexpr int SWATCHES[] = {ID_FRONT_FIXED_COLOUR, ID_BACK_FIXED_COLOUR, ID_FRONT_COLOUR_1,
                            ID_FRONT_COLOUR_2,     ID_BACK_COLOUR_1,     ID_BACK_COLOUR_2};

struct Preview {
    int id;
    int picture;
};
constexpr Preview PREVIEWS[] = {{ID_PREVIEW_STYLE_2, PREVIEW_PICTURE_STYLE_2},
                                {ID_PREVIEW_STYLE_1, PREVIEW_PICTURE_STYLE_1},
                                {ID_PREVIEW_STYLE_3, PREVIEW_PICTURE_STYLE_3}};

struct PlainButton {
    int id;
    const char* text;
};
constexpr PlainButton STEP_BUTTONS[] = {{ID_PREVIOUS_STYLE, "<<"}, {ID_NEXT_STYLE, ">>"}};
constexpr PlainButton OTHER_BUTTONS[] = {{ID_LOAD_BUTTON, "R"},   {ID_SAVE_BUTTON, "W"}, {wxID_OK, "OK"},
                                         {wxID_CANCEL, "Cancel"}, {ID_PLAY, "Play"},     {ID_ABOUT, "about"}};

std::optional<ColorRef> chooseWithColourDialog() {
    wxColourData data;
    data.SetColour(*wxBLACK);
    wxColourDialog dialog(nullptr, &data);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return fromWxColour(dialog.GetColourData().GetColour());
}

const ModeButton* modeButton(int id) {
    for (const ModeButton& b : MODE_BUTTONS)
        if (b.id == id) return &b;
    return nullptr;
}

template <std::size_t N>
bool listed(const int (&ids)[N], int id) {
    for (int candidate : ids)
        if (candidate == id) return true;
    return false;
}

}  // namespace

AquariumSettingsDialog::AquariumSettingsDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString("Aquarium Settings - ") + PRODUCT_TITLE),
      chooseColour(chooseWithColourDialog),
      saveTimer(this) {
    useDialogFont(*this);
    SetClientSize(ConvertDialogToPixels(wxSize(DIALOG_SIZE.width, DIALOG_SIZE.height)));
    SetIcon(uiIcon(DIALOG_ICON));
    createControls();

    for (const SliderColumn& column : SLIDER_COLUMNS)
        verticalSliders.at(column.id)->setRange(0, column.maximum);
    viewSliders.at(ID_VIEW_LEFT_RIGHT)->SetRange(0, VIEW_LEFT_RIGHT_MAX);
    viewSliders.at(ID_VIEW_NEAR_FAR)->SetRange(0, VIEW_NEAR_FAR_MAX);
    CentreOnParent();

    settingsFile = settingsPath();
    showState();
    load();
    saveTimer.Start(SETTINGS_SAVE_PERIOD_MS);

    Bind(wxEVT_BUTTON, &AquariumSettingsDialog::onButton, this);
    Bind(wxEVT_SLIDER, &AquariumSettingsDialog::onVerticalSlider, this, ID_BUBBLE_SLIDER, ID_FOG_SLIDER);
    Bind(wxEVT_SLIDER, &AquariumSettingsDialog::onVerticalSlider, this, ID_LIGHT_SLIDER);
    Bind(wxEVT_SLIDER, &AquariumSettingsDialog::onViewSlider, this, ID_VIEW_LEFT_RIGHT, ID_VIEW_NEAR_FAR);
    Bind(wxEVT_TIMER, &AquariumSettingsDialog::onTimer, this);
    Bind(wxEVT_CHAR_HOOK, &AquariumSettingsDialog::onCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &AquariumSettingsDialog::onClose, this);
}

AquariumSettingsDialog::~AquariumSettingsDialog() {
    saveTimer.Stop();
}

void AquariumSettingsDialog::createControls() {
    auto at = [this](const DialogUnits& u) { return dialogRect(*this, u.x, u.y, u.width, u.height); };
    auto label = [this, &at](const char* text, const DialogUnits& u, long align) {
        const wxRect r = at(u);
        new wxStaticText(this, wxID_ANY, text, r.GetPosition(), r.GetSize(), align | wxST_NO_AUTORESIZE);
    };
    auto group = [this, &at](const char* text, const DialogUnits& u) {
        const wxRect r = at(u);
        new wxStaticBox(this, wxID_ANY, text, r.GetPosition(), r.GetSize());
    };

    // The group boxes first, so the controls inside lie above them.
    group("", SLIDER_BOX);
    group("Color of light", COLOUR_BOX);
    group("views of the tank", VIEWS_BOX);

    int column = 0;
    for (const SliderColumn& c : SLIDER_COLUMNS) {
        const int left = SLIDER_COLUMN_LEFT + SLIDER_COLUMN_WIDTH * column++;
        if (*c.firstLine)
            label(c.firstLine, {left, SLIDER_LABEL_TOP, SLIDER_COLUMN_WIDTH, 8}, wxALIGN_CENTRE_HORIZONTAL);
        label(c.secondLine, {left, SLIDER_LABEL_TOP + 8, SLIDER_COLUMN_WIDTH, 8}, wxALIGN_CENTRE_HORIZONTAL);
        const wxRect r =
            at({left + (SLIDER_COLUMN_WIDTH - SLIDER_WIDTH) / 2, SLIDER_TOP, SLIDER_WIDTH, SLIDER_HEIGHT});
        verticalSliders[c.id] = new ColorSlider(this, c.id, r.GetPosition(), r.GetSize(), wxSL_VERTICAL);
    }

    auto checkButton = [this, &at](int id, const char* text, const DialogUnits& u) {
        const wxRect r = at(u);
        auto* button = new IconCheckButton(this, id, text, r.GetPosition(), r.GetSize());
        checkButtons[id] = button;
        return button;
    };
    auto swatch = [this, &at](int id, const DialogUnits& u) {
        const wxRect r = at(u);
        auto* button = new ColorSwatchButton(this, id, r.GetPosition(), r.GetSize());
        swatches[id] = button;
        return button;
    };
    checkButton(ID_FRONT_FIXED, "Fix Color", FRONT_FIXED_BUTTON);
    swatch(ID_FRONT_FIXED_COLOUR, FRONT_FIXED_SWATCH);
    checkButton(ID_FRONT_AUTOMATIC, "Auto Gradually Color", FRONT_AUTO_BUTTON);
    checkButton(ID_FRONT_LOCK, "Lock the foreground colors", FRONT_LOCK_BUTTON);

    const wxRect autoViews = at(AUTO_VIEWS_CHECK);
    autoViewsCheck = new wxCheckBox(this, ID_AUTO_VIEWS, "Auto change views of the tank",
                                    autoViews.GetPosition(), autoViews.GetSize());
    label("Left", LEFT_LABEL, wxALIGN_RIGHT);
    label("Right", RIGHT_LABEL, wxALIGN_LEFT);
    label("Far", FAR_LABEL, wxALIGN_RIGHT);
    label("Near", NEAR_LABEL, wxALIGN_LEFT);
    const wxRect leftRight = at(LEFT_RIGHT_SLIDER);
    viewSliders[ID_VIEW_LEFT_RIGHT] = new wxSlider(this, ID_VIEW_LEFT_RIGHT, 3500, 0, VIEW_LEFT_RIGHT_MAX,
                                                   leftRight.GetPosition(), leftRight.GetSize());
    const wxRect nearFar = at(NEAR_FAR_SLIDER);
    viewSliders[ID_VIEW_NEAR_FAR] = new wxSlider(this, ID_VIEW_NEAR_FAR, 1000, 0, VIEW_NEAR_FAR_MAX,
                                                 nearFar.GetPosition(), nearFar.GetSize());
    label(MAKER_WEB_ADDRESS, WEB_ADDRESS, wxALIGN_CENTRE_HORIZONTAL);

    // The background style previews share one place; the step buttons would sit beside them.
    const wxRect previewArea = at(PREVIEW_AREA);
    for (const Preview& p : PREVIEWS) {
        const wxBitmap picture = uiBitmap(p.picture);
        const wxSize size = picture.IsOk() ? picture.GetSize() : wxSize(1, 1);
        const wxPoint centre(previewArea.x + (previewArea.width - size.x) / 2,
                             previewArea.y + (previewArea.height - size.y) / 2);
        previews[p.id] = new wxStaticBitmap(this, p.id, picture, centre, size);
        previews[p.id]->Hide();
    }

    // Controls the dialog keeps hidden: they carry their state and keys all the same.
    auto hidden = [](wxWindow* window) { window->Hide(); };
    hidden(checkButton(ID_SHOW_WATER, "Show Water", FRONT_LOCK_BUTTON));
    hidden(checkButton(ID_SHOW_LIGHTS, "Show Lights", FRONT_LOCK_BUTTON));
    hidden(checkButton(ID_SHOW_TERRA, "Show Terra", FRONT_LOCK_BUTTON));
    hidden(checkButton(ID_FRONT_GRADUAL, "Gradually Colorqj", FRONT_AUTO_BUTTON));
    hidden(swatch(ID_FRONT_COLOUR_1, FRONT_FIXED_SWATCH));
    hidden(swatch(ID_FRONT_COLOUR_2, FRONT_FIXED_SWATCH));
    hidden(checkButton(ID_BACK_FIXED, "Fix Color", FRONT_FIXED_BUTTON));
    hidden(swatch(ID_BACK_FIXED_COLOUR, FRONT_FIXED_SWATCH));
    hidden(checkButton(ID_BACK_GRADUAL, "Gradually Color", FRONT_AUTO_BUTTON));
    hidden(swatch(ID_BACK_COLOUR_1, FRONT_FIXED_SWATCH));
    hidden(swatch(ID_BACK_COLOUR_2, FRONT_FIXED_SWATCH));
    hidden(checkButton(ID_BACK_AUTOMATIC, "Auto Gradually Color", FRONT_AUTO_BUTTON));
    hidden(checkButton(ID_BACK_LOCK, "Lock the background colors", FRONT_LOCK_BUTTON));
    for (const PlainButton& b : STEP_BUTTONS) {
        stepButtons[b.id] = new wxButton(this, b.id, b.text);
        hidden(stepButtons[b.id]);
    }
    for (const PlainButton& b : OTHER_BUTTONS) hidden(new wxButton(this, b.id, b.text));
    hidden(new wxStaticBitmap(this, ID_ICON, uiBitmap(DIALOG_ICON)));

    for (const ModeButton& b : MODE_BUTTONS) checkButtons.at(b.id)->setColours(MARK_ON, MARK_OFF);
    for (int id : TOGGLE_BUTTONS) checkButtons.at(id)->setIcons(TOGGLE_ON_ICON, TOGGLE_OFF_ICON);
}

ColorSlider& AquariumSettingsDialog::slider(int id) const {
    return *verticalSliders.at(id);
}
wxSlider& AquariumSettingsDialog::viewSlider(int id) const {
    return *viewSliders.at(id);
}
IconCheckButton& AquariumSettingsDialog::checkButton(int id) const {
    return *checkButtons.at(id);
}
ColorSwatchButton& AquariumSettingsDialog::swatch(int id) const {
    return *swatches.at(id);
}
wxStaticBitmap& AquariumSettingsDialog::previewPicture(int id) const {
    return *previews.at(id);
}
wxButton& AquariumSettingsDialog::styleButton(int id) const {
    return *stepButtons.at(id);
}

void AquariumSettingsDialog::load() {
    settings.loadFile(settingsFile);
    showState();
}

void AquariumSettingsDialog::save() {
    settings.save(settingsFile, autoViewsCheck->IsChecked());
}

// Every control shows the value it stands for.
void AquariumSettingsDialog::showState() {
    verticalSliders.at(ID_VOLUME_SLIDER)->setPos(settings.soundVolume);
    verticalSliders.at(ID_BUBBLE_SLIDER)->setPos(settings.bubbleCount);
    verticalSliders.at(ID_FOG_SLIDER)->setPos(settings.fog);
    verticalSliders.at(ID_LIGHT_SLIDER)->setPos(settings.light);
    viewSliders.at(ID_VIEW_LEFT_RIGHT)->SetValue(settings.viewLeftRight);
    viewSliders.at(ID_VIEW_NEAR_FAR)->SetValue(settings.viewNearFar);
    autoViewsCheck->SetValue(settings.autoViews == 1);
    for (int id : SWATCHES) swatches.at(id)->setColor(settings.swatchColour(id));
    for (int id : TOGGLE_BUTTONS) checkButtons.at(id)->setState(settings.toggleState(id));
    showModes();
    showPreview();
}

void AquariumSettingsDialog::showModes() {
    for (const ModeButton& b : MODE_BUTTONS)
        checkButtons.at(b.id)->setState((b.front ? settings.front : settings.back).state(b.mode));
}

void AquariumSettingsDialog::showPreview() {
    const BackgroundPreview& preview = settings.preview();
    for (auto& [id, picture] : previews) picture->Show(id == preview.shownControl);
    stepButtons.at(ID_PREVIOUS_STYLE)->Enable(preview.previousEnabled);
    stepButtons.at(ID_NEXT_STYLE)->Enable(preview.nextEnabled);
}

// Nothing is undone by closing: OK, Cancel and the close box all save once more.
void AquariumSettingsDialog::finish(int result) {
    save();
    saveTimer.Stop();
    EndDialog(result);
}

void AquariumSettingsDialog::onButton(wxCommandEvent& event) {
    const int id = event.GetId();
    if (const ModeButton* mode = modeButton(id)) {
        if (mode->front)
            settings.selectFrontMode(mode->mode);
        else
            settings.selectBackMode(mode->mode);
        showModes();
    } else if (listed(TOGGLE_BUTTONS, id)) {
        settings.setToggleState(id, checkButtons.at(id)->getState());
    } else if (listed(SWATCHES, id)) {
        if (const auto colour = chooseColour()) {
            settings.colourChosen(id, *colour);
            swatches.at(id)->setColor(settings.swatchColour(id));
            showModes();
        }
    } else if (id == ID_PREVIOUS_STYLE || id == ID_NEXT_STYLE) {
        if (id == ID_PREVIOUS_STYLE)
            settings.previousStyle();
        else
            settings.nextStyle();
        showPreview();
    } else if (id == ID_LOAD_BUTTON) {
        load();
    } else if (id == ID_SAVE_BUTTON) {
        save();
    } else if (id == wxID_OK || id == wxID_CANCEL) {
        finish(id);
    }
}

void AquariumSettingsDialog::onVerticalSlider(wxCommandEvent&) {
    setWaveOutVolume(settings.verticalSlidersMoved(
        verticalSliders.at(ID_VOLUME_SLIDER)->getPos(), verticalSliders.at(ID_BUBBLE_SLIDER)->getPos(),
        verticalSliders.at(ID_FOG_SLIDER)->getPos(), verticalSliders.at(ID_LIGHT_SLIDER)->getPos()));
}

void AquariumSettingsDialog::onViewSlider(wxCommandEvent&) {
    settings.viewSlidersMoved(viewSliders.at(ID_VIEW_LEFT_RIGHT)->GetValue(),
                              viewSliders.at(ID_VIEW_NEAR_FAR)->GetValue());
}

void AquariumSettingsDialog::onTimer(wxTimerEvent&) {
    if (const auto views = settings.timerTick(autoViewsCheck->IsChecked())) {
        viewSliders.at(ID_VIEW_LEFT_RIGHT)->SetValue(views->leftRight);
        viewSliders.at(ID_VIEW_NEAR_FAR)->SetValue(views->nearFar);
    }
    save();
}

// Enter and Escape stand for the hidden OK and Cancel.
void AquariumSettingsDialog::onCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
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

void AquariumSettingsDialog::onClose(wxCloseEvent&) {
    finish(wxID_CANCEL);
}

void runAquariumSettingsDialog() {
    AquariumSettingsDialog dialog;
    dialog.ShowModal();
}

}  // namespace veltamar
