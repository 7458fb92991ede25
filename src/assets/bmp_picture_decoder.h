#pragma once

#include "assets/decoded_picture.h"
#include "platform/regular_file.h"

// Windows bitmap pictures of every kind in use, read a few rows at a time and reduced while they
// are read, so a bitmap of any size takes no more memory than what is shown:
// - headers of OS/2 1.x (12 bytes), OS/2 2.x (16 to 64 bytes) and Windows (40, 52, 56, 108 and
//   124 bytes);
// - 1, 2, 4 and 8 bits a pixel with a palette, uncompressed or run-length encoded (8 and 4 bits);
// - 16, 24 and 32 bits a pixel, 16 bits as 5-5-5 and 32 bits as 8-8-8 unless colour masks say
//   otherwise (any contiguous masks, scaled to 8 bits).
// Uncompressed pictures may be stored top row first. Bitmaps holding a JPEG or PNG, OS/2's Huffman
// and 24-bit run-length encodings, and files whose header contradicts itself or the file's size
// are refused. Run-length encoded pixels are kept inside the picture whatever the file says; what
// the encoding skips or leaves out is black, and a palette index past the palette is black too.

namespace veltamar {

// The picture fitted into the bounds (see fittedPictureSize); !ok() when it cannot be read, is
// too large, or is cut short (rows missing).
DecodedPicture decodeBmpPicture(RegularFile& file, PictureSize bounds);

}  // namespace veltamar
