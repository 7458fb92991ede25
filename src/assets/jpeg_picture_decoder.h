#pragma once

#include "assets/decoded_picture.h"
#include "platform/regular_file.h"

// JPEG pictures, read from the file as they are decoded. A large photo is decoded at a reduced
// scale straight from its data (1/2, 1/4 or 1/8 of its size, whichever still leaves at least the
// size it will be shown at) and each decoded row is reduced at once, so a 24-megapixel photo never
// lies in memory at full size. Progressive pictures need the decoder to keep all their
// coefficients; it may keep no more than 80 MB (a 26-megapixel photo), so a huge progressive
// picture is refused rather than decoded. Grey pictures stay grey, CMYK ones become RGB. A file cut
// short (an interrupted download or copy), which the decoder would finish with grey rows, is
// refused too.

namespace veltamar {

// The largest of 8, 4, 2 and 1 that divides the picture down to no less than the target size.
int jpegScaleDenominator(PictureSize picture, PictureSize target);

// The picture fitted into the bounds (see fittedPictureSize); !ok() when it cannot be read or is
// too large.
DecodedPicture decodeJpegPicture(RegularFile& file, PictureSize bounds);

}  // namespace veltamar
