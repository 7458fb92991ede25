#pragma once

// The font ImageMagick writes text on test pictures with. Without -font it asks for its default
// face, which comes from a package neither the program nor the tests install; DejaVu comes with
// the program's own fonts.
#define PICTURE_TEXT_FONT "-font /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "
