#include "fish/shown_fish.h"

#include "fish/food_and_contact.h"

namespace veltamar {

void drawShownFish(FishTable& fish, const SpeciesCounts& counts, int revealCount, const GLuint* fishTextures,
                   std::span<FoodPellet> pellets, bool feedToolChosen) {
    const int shown = shownFishCount(counts, revealCount);
    for (int i = 0; i < shown; ++i) {
        Fish& f = fish[i];
        glPushMatrix();
        glTranslatef(f.position.x, f.position.y, f.position.z);
        const int species = speciesOfRecord(counts, i);
        if (species >= 0) {
            glBindTexture(GL_TEXTURE_2D, fishTextures[species]);
            f.drawFish();
            seekFood(f, pellets, feedToolChosen);
            pullFood(f, pellets);
        }
        glPopMatrix();
        // Food steering and pulling run a second time, then contact with the other shown fish.
        seekFood(f, pellets, feedToolChosen);
        pullFood(f, pellets);
        avoidFish(fish, i, shown);
    }
}

}  // namespace veltamar
