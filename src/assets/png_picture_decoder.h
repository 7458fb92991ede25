#pragma once

#include "assets/decoded_picture.h"
#include "platform/regular_file.h"

// PNG pictures, read row by row (libpng's row interface) and reduced while they are read, so a
// picture of any size takes no more memory than what is shown plus a row or two. Every kind of
// PNG is taken: palettes, grey, transparency and 16-bit channels become 8-bit grey, grey and
// alpha, RGB or RGBA. An interlaced picture is sent in seven passes; a small one is put together
// whole, while of a large one only the last pass is kept, every second row at full width, which
// is plenty for a picture shown many times smaller.

namespace veltamar {

// The picture fitted into the bounds (see fittedPictureSize); !ok() when it cannot be read or is
// too large.
DecodedPicture decodePngPicture(RegularFile& file, PictureSize bounds);

}  // namespace veltamar
