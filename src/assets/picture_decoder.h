#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "assets/decoded_picture.h"
#include "platform/regular_file.h"

// Reading the user's own pictures (JPEG, PNG or Windows bitmap, told by their content) into
// pixels, away from the user-interface thread. Only a regular file is read: a named pipe, a device
// or a directory is refused unread. Each picture is decoded at the size it will be shown at (see
// fittedPictureSize), by decoders that read it a few rows at a time, so neither a huge picture
// nor a small file claiming one takes more than a few tens of megabytes; one whose header claims
// more than MAX_PICTURE_PIXELS is refused before decoding.

namespace veltamar {

// Reads the picture of a file; !ok() when it cannot be read. Every byte read from the file is
// counted in bytesRead when given. Safe to run on any thread, one decode per thread at a time.
DecodedPicture decodePicture(const std::string& path, PictureSize bounds,
                             std::atomic<std::uint64_t>* bytesRead = nullptr);
// The same for a file already open, read from its start (the decoding helper opens its file before
// it shuts itself in).
DecodedPicture decodePictureFile(RegularFile& file, PictureSize bounds);

}  // namespace veltamar
