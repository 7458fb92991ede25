#pragma once

#include <array>
#include <cstdint>

#include "fish/fish.h"
#include "settings/live_settings.h"

// The fish table and who in it is shown. A record does not store its species: species s owns the
// records from start(s) to start(s) + count(s) - 1, where start(0) = 0 and each species starts
// where the one before it ends. Changing the counts re-skins records; it never moves them.

namespace veltamar {

using FishTable = std::array<Fish, FISH_CAPACITY>;
using SpeciesCounts = std::array<std::int32_t, SPECIES_COUNT>;

// Gives every record its start position, speed, bounds and dimensions (once, at scene
// initialisation), drawing from the program's generator in a fixed order.
void placeFish(FishTable& fish, float sceneTop, float sceneBottom);
// The bounds every fish keeps to: x -50..50, z -85..-55, and from 11 above the tank's bottom to 10
// below its top. A fish outside them is put back on them by its next move.
void fitFishBounds(FishTable& fish, float sceneTop, float sceneBottom);

// The sum of the ten counts.
int populationTotal(const SpeciesCounts& counts);

// How many records, from index 0, are shown in a frame: the fish appear one per frame after
// start-up (record i needs i <= revealCount), and never more than the population or the table.
int shownFishCount(const SpeciesCounts& counts, int revealCount);

// The species (0..9) whose range holds record i, or -1 when none does.
int speciesOfRecord(const SpeciesCounts& counts, int i);

}  // namespace veltamar
