#include "fish/shown_fish.h"

namespace veltamar {

void drawShownFish(FishTable& fish, const SpeciesCounts& counts, int revealCount,
                   const GLuint* fishTextures) {
    const int shown = shownFishCount(counts, revealCount);
    for (int i = 0; i < shown; ++i) {
        Fish& f = fish[i];
        glPushMatrix();
        glTranslatef(f.position.x, f.position.y, f.position.z);
        const int species = speciesOfRecord(counts, i);
        if (species >= 0) {
            glBindTexture(GL_TEXTURE_2D, fishTextures[species]);
            f.drawFish();
        }
        glPopMatrix();
    }
}

}  // namespace veltamar
