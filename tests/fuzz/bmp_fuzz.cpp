// Any bytes as a bitmap: the parser refuses or yields a picture whose every pixel can be read.
#include <cstdint>
#include <cstdlib>

#include "assets/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bmp = veltamar::parseBmp({data, size});
    if (!bmp) return 0;
    const auto rgba = veltamar::blackKeyedRgba(*bmp);
    if (rgba.size() != static_cast<std::size_t>(bmp->width) * bmp->height * 4) std::abort();
    if (bmp->bitsPerPixel == 8) (void)veltamar::expandPaletteToBgr(*bmp);
    return 0;
}
