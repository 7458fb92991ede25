#include "ui/controls/color_list_ctrl.h"

#include <algorithm>
#include <vector>

#include "ui/wx_color.h"

namespace veltamar {

namespace {

int playingRow = -1;

std::vector<ColorListCtrl*>& liveLists() {
    static std::vector<ColorListCtrl*> lists;
    return lists;
}

}  // namespace

ColorListCtrl::ColorListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                             long style)
    : wxListCtrl(parent, id, pos, size, style) {
    liveLists().push_back(this);
    Bind(wxEVT_LIST_INSERT_ITEM, &ColorListCtrl::onRowsChanged, this);
    Bind(wxEVT_LIST_DELETE_ITEM, &ColorListCtrl::onRowsChanged, this);
    Bind(wxEVT_LIST_DELETE_ALL_ITEMS, &ColorListCtrl::onRowsChanged, this);
}

ColorListCtrl::~ColorListCtrl() {
    std::erase(liveLists(), this);
}

int ColorListCtrl::playingIndex() {
    return playingRow;
}

void ColorListCtrl::setPlayingIndex(int index) {
    playingRow = index;
    for (ColorListCtrl* list : liveLists()) list->refreshRowColors();
}

void ColorListCtrl::refreshRowColors() {
    const wxColour text = toWxColour(LIST_ROW_TEXT);
    const wxColour row = toWxColour(LIST_ROW_BACKGROUND);
    const wxColour playing = toWxColour(LIST_PLAYING_BACKGROUND);
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        SetItemTextColour(i, text);
        SetItemBackgroundColour(i, i == playingRow ? playing : row);
    }
}

// Rows shift when one is inserted or deleted, and the deleting notice comes before the row has
// gone, so the colours are given again once the change is complete.
void ColorListCtrl::onRowsChanged(wxListEvent& event) {
    CallAfter(&ColorListCtrl::refreshRowColors);
    event.Skip();
}

}  // namespace veltamar
