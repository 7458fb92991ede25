#include "assets/jpeg_completeness.h"

namespace veltamar {

namespace {

constexpr std::uint8_t MARKER = 0xFF;
constexpr std::uint8_t START_OF_IMAGE = 0xD8;
constexpr std::uint8_t END_OF_IMAGE = 0xD9;
constexpr std::uint8_t START_OF_SCAN = 0xDA;

// Markers that stand alone, without a length and a segment.
bool standsAlone(std::uint8_t code) {
    return code == 0x01 || (code >= 0xD0 && code <= 0xD9);
}

}  // namespace

bool looksLikeJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == MARKER && bytes[1] == START_OF_IMAGE;
}

bool jpegIsComplete(std::span<const std::uint8_t> bytes) {
    if (!looksLikeJpeg(bytes)) return false;
    // Walk the segments before the first scan by their lengths (so that a thumbnail picture inside
    // them, with end marker of its own, is stepped over).
    std::size_t at = 2;
    for (;;) {
        while (at < bytes.size() && bytes[at] == MARKER) ++at;  // fill bytes
        if (at >= bytes.size() || bytes[at - 1] != MARKER) return false;
        const std::uint8_t code = bytes[at++];
        if (code == END_OF_IMAGE) return false;  // no scan at all
        if (standsAlone(code)) continue;
        if (at + 2 > bytes.size()) return false;
        const std::size_t length = (static_cast<std::size_t>(bytes[at]) << 8) | bytes[at + 1];
        if (length < 2) return false;
        at += length;
        if (code == START_OF_SCAN) break;
    }
    for (; at + 1 < bytes.size(); ++at)
        if (bytes[at] == MARKER && bytes[at + 1] == END_OF_IMAGE) return true;
    return false;
}

}  // namespace veltamar
