#include "ui/fish_number_model.h"

#include "platform/profile_file.h"
#include "settings/settings_file.h"

namespace veltamar {

int FishNumberModel::previous = FISH_NO_SELECTION;

namespace {

bool repaintable(int index) {
    return index >= 0 && index < FISH_CELLS_REPAINTED;
}

}  // namespace

std::int64_t FishNumberModel::total() const {
    std::int64_t sum = 0;
    for (std::int32_t count : values) sum += count;
    return sum;
}

std::string FishNumberModel::totalText() const {
    return "Total: " + std::to_string(total()) + "/" + std::to_string(FISH_CAPACITY);
}

UiRect FishNumberModel::cellRect(int index) {
    return {FISH_CELL_WIDTH * (index % FISH_CELL_COLUMNS) + FISH_CELL_MARGIN,
            FISH_CELL_HEIGHT * (index / FISH_CELL_COLUMNS) + FISH_CELL_MARGIN, FISH_CELL_WIDTH,
            FISH_CELL_HEIGHT};
}

UiRect FishNumberModel::countArea(int index) {
    const UiRect cell = cellRect(index);
    return {cell.x, cell.y, FISH_COUNT_AREA_WIDTH, FISH_COUNT_AREA_HEIGHT};
}

int FishNumberModel::cellAt(int x, int y) {
    return x / FISH_CELL_WIDTH + FISH_CELL_COLUMNS * (y / FISH_CELL_HEIGHT);
}

// The old cell is repainted whenever the selection moves away from it, so its oval never stays
// behind, also when the new index lies beyond the cells that can be repainted.
std::vector<UiRect> FishNumberModel::leftButtonDown(int x, int y) {
    std::vector<UiRect> repaint;
    if (selected == FISH_NO_SELECTION) previous = FISH_NO_SELECTION;
    if (y <= FISH_PICTURE_CLICK_LIMIT) {
        selected = cellAt(x, y);
        if (selected != previous) {
            if (repaintable(previous)) repaint.push_back(cellRect(previous));
            if (repaintable(selected)) repaint.push_back(cellRect(selected));
        }
        previous = selected;
    } else {
        if (repaintable(previous)) repaint.push_back(cellRect(previous));
        selected = FISH_NO_SELECTION;
    }
    return repaint;
}

std::vector<UiRect> FishNumberModel::add() {
    if (!speciesSelected() || total() >= FISH_CAPACITY) return {};
    std::int32_t& count = values[selected];
    if (count >= SPECIES_MAXIMUM) return {};
    ++count;
    return {countArea(selected)};
}

std::vector<UiRect> FishNumberModel::remove() {
    if (!speciesSelected()) return {};
    std::int32_t& count = values[selected];
    if (count <= 0) return {};
    --count;
    return {countArea(selected)};
}

std::vector<UiRect> FishNumberModel::randomize(const std::function<int()>& draw) {
    int sum = 0;
    for (std::int32_t& count : values) {
        const int drawn = draw() % 6;
        sum += drawn;
        count = sum >= FISH_CAPACITY ? 0 : drawn;
    }
    std::vector<UiRect> repaint;
    if (repaintable(selected)) repaint.push_back(cellRect(selected));
    const auto areas = allCountAreas();
    repaint.insert(repaint.end(), areas.begin(), areas.end());
    selected = FISH_NO_SELECTION;
    return repaint;
}

std::vector<UiRect> FishNumberModel::clear() {
    values.fill(0);
    return allCountAreas();
}

std::vector<UiRect> FishNumberModel::allCountAreas() const {
    std::vector<UiRect> areas;
    for (int s = 0; s < SPECIES_COUNT; ++s) areas.push_back(countArea(s));
    return areas;
}

FishCounts loadFishCounts(const std::string& settingsFile) {
    const ProfileDocument file = ProfileDocument::load(settingsFile);
    FishCounts counts{};
    for (int s = 0; s < SPECIES_COUNT; ++s)
        counts[s] = leadingInteger(file.get(SECTION_FISH, fishKey(s)).value_or(""));
    return counts;
}

void saveFishCounts(const FishCounts& counts, const std::string& settingsFile) {
    ProfileWriteBatch file(settingsFile);
    for (int s = 0; s < SPECIES_COUNT; ++s) file.write(SECTION_FISH, fishKey(s), std::to_string(counts[s]));
    file.commit();
    updateSpeciesCounts(counts);
}

}  // namespace veltamar
