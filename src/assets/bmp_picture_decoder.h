#pragma once

#include "assets/decoded_picture.h"
#include "platform/regular_file.h"

// Windows bitmap pictures. The common kinds (uncompressed, 1, 4, 8, 24 or 32 bits per pixel,
// bottom-up or top-down) are read a few rows at a time and reduced while they are read, so a
// bitmap of any size takes no more memory than what is shown. The rarer kinds (run-length
// encoded, 16-bit, OS/2 headers) go to the toolkit's decoder, which decodes a whole picture at
// once; it takes only pictures within WHOLE_PICTURE_PIXELS.

namespace veltamar {

// Registers the toolkit's bitmap decoder; run once on the user-interface thread before any
// decoding.
void prepareToolkitBmpDecoder();

// The picture fitted into the bounds (see fittedPictureSize); !ok() when it cannot be read or is
// too large.
DecodedPicture decodeBmpPicture(RegularFile& file, PictureSize bounds);

}  // namespace veltamar
