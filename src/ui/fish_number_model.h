#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/live_settings.h"
#include "ui/ui_geometry.h"

// The rules of the fish number dialog, apart from any window: ten counts (one per species), the
// picture cell that is selected, and what Add, Delete, Random, Clear and a click on the picture do
// to them. The picture shows the species in five columns and two rows of 100 x 90 pixel cells;
// a click anywhere above y = 450 selects a cell by the same formula, so clicks below the two rows
// or right of the picture select cells (10 and beyond) that name no species.

namespace veltamar {

using FishCounts = std::array<std::int32_t, SPECIES_COUNT>;

constexpr int FISH_CELL_WIDTH = 100;
constexpr int FISH_CELL_HEIGHT = 90;
constexpr int FISH_CELL_COLUMNS = 5;
constexpr int FISH_CELL_MARGIN = 2;  // the cells start 2 pixels in from the client origin
// Clicks further down than this belong to the button row and clear the selection.
constexpr int FISH_PICTURE_CLICK_LIMIT = 450;
// Cells that can be repainted: every index a click above the limit inside the picture can give.
constexpr int FISH_CELLS_REPAINTED = 25;
// The count is written in this corner of its cell.
constexpr int FISH_COUNT_AREA_WIDTH = 25;
constexpr int FISH_COUNT_AREA_HEIGHT = 20;
constexpr int FISH_NO_SELECTION = -1;

class FishNumberModel {
  public:
    explicit FishNumberModel(const FishCounts& counts = {}) : values(counts) {}

    const FishCounts& counts() const { return values; }
    int selection() const { return selected; }
    // A selection of 0 to 9 names a species that Add and Delete act on.
    bool speciesSelected() const { return selected >= 0 && selected < SPECIES_COUNT; }
    // Sum of the counts (64 bits: a hand-edited file may hold anything).
    std::int64_t total() const;
    // "Total: 17/50".
    std::string totalText() const;

    // The cell of an index: left = 100 x (index mod 5) + 2, top = 90 x (index div 5) + 2.
    static UiRect cellRect(int index);
    // The corner of a cell the count is written in.
    static UiRect countArea(int index);
    // The index a click at (x, y) selects: (x div 100) + 5 x (y div 90).
    static int cellAt(int x, int y);

    // The index selected before the current click, shared by every dialog of the process for
    // repainting; -1 until a click sets it.
    static int previousSelection() { return previous; }

    // A left click at client point (x, y). Returns the rectangles to repaint.
    std::vector<UiRect> leftButtonDown(int x, int y);

    // Add (button, key A, left double-click): one more fish of the selected species while the
    // total is below 50 and the count below 50. Returns the count area to repaint (none when
    // nothing changed).
    std::vector<UiRect> add();
    // Delete (button, key D, right double-click): one fish fewer of the selected species, not
    // below 0.
    std::vector<UiRect> remove();
    // Random (button, key R): each count becomes draw() mod 6, in species order; once the running
    // sum of the draws reaches 50 the species gets 0 instead. The selection is cleared.
    std::vector<UiRect> randomize(const std::function<int()>& draw);
    // Clear (button, key C): every count 0; the selection stays.
    std::vector<UiRect> clear();

  private:
    std::vector<UiRect> allCountAreas() const;

    FishCounts values;
    int selected = FISH_NO_SELECTION;
    static int previous;
};

// The "Fish Number" section: ten keys Fish0 to Fish9, a missing key reading as 0.
FishCounts loadFishCounts(const std::string& settingsFile);
// Writes the ten counts (one file update) and hands them to the scene through
// updateSpeciesCounts, which limits each to 50.
void saveFishCounts(const FishCounts& counts, const std::string& settingsFile);

}  // namespace veltamar
