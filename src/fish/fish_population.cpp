#include "fish/fish_population.h"

#include <algorithm>
#include <cstdint>

#include "platform/crt_rand.h"

namespace veltamar {

void placeFish(FishTable& fish, float sceneTop, float sceneBottom) {
    for (Fish& f : fish) {
        for (int i = 0; i < 4; ++i) crtRand();
        f.position.x = static_cast<float>(crtRand() % 100 - 50);
        if (crtRand() % 3 == 0) {
            f.position.y = sceneBottom + 6.0f;  // starts on the bottom
            f.speed = 0.05f;
        } else {
            f.position.y = static_cast<float>(crtRand() % 40) + sceneBottom + 6.0f;
            f.speed = 0.1f;
        }
        f.position.z = static_cast<float>(crtRand() % 20 - 80);
        for (int i = 0; i < 3; ++i) crtRand();

        f.lengthFactor = 1.0f;
        f.widthFactor = 0.34605f;
        f.heightFactor = 0.2778f;
        f.inContact = false;
        // The boxes stay empty until the fish first moves, which keeps it out of contact tests.
        f.bodyBox = {};
        f.contactBox = {};
    }
    fitFishBounds(fish, sceneTop, sceneBottom);
}

void fitFishBounds(FishTable& fish, float sceneTop, float sceneBottom) {
    for (Fish& f : fish) f.bounds = {-50.0f, 50.0f, sceneTop - 10.0f, sceneBottom + 11.0f, -85.0f, -55.0f};
}

// Sums are taken in 64 bits: a hand-edited settings file may hold any 32-bit counts.
int populationTotal(const SpeciesCounts& counts) {
    std::int64_t total = 0;
    for (std::int32_t count : counts) total += count;
    return static_cast<int>(std::clamp<std::int64_t>(total, INT32_MIN, INT32_MAX));
}

int shownFishCount(const SpeciesCounts& counts, int revealCount) {
    return std::max(0, std::min({populationTotal(counts), FISH_CAPACITY, revealCount + 1}));
}

int speciesOfRecord(const SpeciesCounts& counts, int i) {
    std::int64_t start = 0;
    for (int s = 0; s < SPECIES_COUNT; ++s) {
        const std::int64_t end = start + counts[s];
        if (start <= i && i < end) return s;
        start = end;
    }
    return -1;
}

}  // namespace veltamar
