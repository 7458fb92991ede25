#pragma once

#include <cstdint>
#include <span>

// Whether a JPEG file is whole. A file cut short (an interrupted download or copy) still decodes
// with the toolkit's decoder, which fills the missing rows with grey; such a file is no picture to
// show. A whole JPEG has its end-of-image marker after the start of its first scan (the marker
// cannot occur inside the scan data, where every 0xFF byte is followed by 0x00 or a restart code).

namespace veltamar {

// True when the bytes begin like a JPEG file (start-of-image marker).
bool looksLikeJpeg(std::span<const std::uint8_t> bytes);

// True when the JPEG's segments lead to a scan that is followed by the end-of-image marker. Data
// after that marker (some cameras append their own) does not matter.
bool jpegIsComplete(std::span<const std::uint8_t> bytes);

}  // namespace veltamar
