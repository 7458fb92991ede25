#include "assets/bmp_picture_decoder.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "assets/bmp_file.h"

namespace veltamar {

namespace {

constexpr std::size_t READ_SIZE = 64 * 1024;
constexpr std::size_t FILE_HEADER_SIZE = 14;
// The largest information header (version 5), the colour masks that may follow a version 1
// header, and a palette of 256 entries.
constexpr std::size_t HEADER_BYTES = FILE_HEADER_SIZE + 124 + 12 + 256 * 4;
constexpr std::uint32_t UNCOMPRESSED = 0;
constexpr std::uint32_t COLOUR_MASKS = 3;

std::uint32_t read32(const std::uint8_t* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
std::uint16_t read16(const std::uint8_t* b) {
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

// Where a colour lies in a 32-bit pixel, from its mask; -1 unless the mask is one whole byte.
int byteShift(std::uint32_t mask) {
    for (int shift : {0, 8, 16, 24})
        if (mask == 0xFFu << shift) return shift;
    return -1;
}

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    // Whether this decoder reads it a few rows at a time; the toolkit's decoder takes the rest.
    bool streamable = false;
    std::int64_t pixelOffset = 0;
    std::array<int, 3> shifts{16, 8, 0};               // red, green and blue in a 32-bit pixel
    std::vector<std::array<std::uint8_t, 3>> palette;  // red, green, blue
};

std::optional<BmpLayout> readLayout(RegularFile& file) {
    std::vector<std::uint8_t> header(HEADER_BYTES, 0);
    const long n = file.readAt(0, header.data(), header.size());
    if (n < static_cast<long>(FILE_HEADER_SIZE + 12) || header[0] != 'B' || header[1] != 'M')
        return std::nullopt;
    const std::uint8_t* h = header.data();
    BmpLayout layout;
    layout.pixelOffset = read32(h + 10);
    const std::uint32_t infoSize = read32(h + 14);
    if (infoSize == 12) {  // OS/2
        layout.width = read16(h + 18);
        layout.height = read16(h + 20);
        return layout;
    }
    if (infoSize < 40 || infoSize > 124) return std::nullopt;
    layout.width = static_cast<std::int32_t>(read32(h + 18));
    const auto height = static_cast<std::int32_t>(read32(h + 22));
    layout.topDown = height < 0;
    layout.height = std::abs(static_cast<std::int64_t>(height));
    layout.bits = read16(h + 28);
    const std::uint32_t compression = read32(h + 30);
    std::uint32_t coloursUsed = read32(h + 46);

    if (compression == UNCOMPRESSED) {
        layout.streamable = layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 24 ||
                            layout.bits == 32;
    } else if (compression == COLOUR_MASKS && layout.bits == 32) {
        for (std::size_t i = 0; i < 3; ++i) layout.shifts[i] = byteShift(read32(h + 54 + 4 * i));
        layout.streamable = std::ranges::none_of(layout.shifts, [](int s) { return s < 0; });
    }
    if (layout.streamable && layout.bits <= 8) {
        if (coloursUsed == 0 || coloursUsed > (1u << layout.bits)) coloursUsed = 1u << layout.bits;
        const std::size_t at = FILE_HEADER_SIZE + infoSize;
        for (std::size_t i = 0; i < coloursUsed && at + i * 4 + 3 <= header.size(); ++i) {
            const std::uint8_t* entry = h + at + i * 4;
            layout.palette.push_back({entry[2], entry[1], entry[0]});
        }
    }
    return layout;
}

// One stored row as RGB.
void rowToRgb(const BmpLayout& layout, const std::uint8_t* row, std::uint8_t* rgb) {
    const auto width = static_cast<std::size_t>(layout.width);
    const auto colour = [&](unsigned index) {
        static constexpr std::array<std::uint8_t, 3> BLACK{0, 0, 0};
        return index < layout.palette.size() ? layout.palette[index] : BLACK;
    };
    for (std::size_t x = 0; x < width; ++x, rgb += 3) {
        switch (layout.bits) {
            case 24:
                rgb[0] = row[x * 3 + 2];
                rgb[1] = row[x * 3 + 1];
                rgb[2] = row[x * 3];
                break;
            case 32: {
                const std::uint32_t pixel = read32(row + x * 4);
                for (std::size_t c = 0; c < 3; ++c)
                    rgb[c] = static_cast<std::uint8_t>(pixel >> layout.shifts[c]);
                break;
            }
            default: {
                const std::size_t perByte = 8 / static_cast<std::size_t>(layout.bits);
                const unsigned shift =
                    static_cast<unsigned>(8 - layout.bits * (1 + static_cast<int>(x % perByte)));
                const unsigned index = (row[x / perByte] >> shift) & ((1u << layout.bits) - 1);
                std::memcpy(rgb, colour(index).data(), 3);
            }
        }
    }
}

void turnUpsideDown(DecodedPicture& picture) {
    const std::size_t stride =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.channels);
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(picture.pixels.begin() + static_cast<std::ptrdiff_t>(stride * top),
                         picture.pixels.begin() + static_cast<std::ptrdiff_t>(stride * (top + 1)),
                         picture.pixels.begin() + static_cast<std::ptrdiff_t>(stride * bottom));
}

DecodedPicture decodeStreamed(RegularFile& file, const BmpLayout& layout, PictureSize bounds) {
    const auto stride = static_cast<std::size_t>(rowStride(layout.bits, static_cast<int>(layout.width)));
    const auto height = static_cast<std::size_t>(layout.height);
    if (layout.pixelOffset < static_cast<std::int64_t>(FILE_HEADER_SIZE) ||
        layout.pixelOffset + static_cast<std::int64_t>(stride * height) > file.size())
        return {};
    const PictureSize original{static_cast<int>(layout.width), static_cast<int>(layout.height)};
    const PictureSize shown = fittedPictureSize(original, bounds);
    RowReducer reducer(original.width, original.height, 3, shown.width, shown.height);
    const std::size_t rowsPerRead = std::max<std::size_t>(1, READ_SIZE / stride);
    std::vector<std::uint8_t> stored(rowsPerRead * stride);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(layout.width) * 3);
    for (std::size_t y = 0; y < height; y += rowsPerRead) {
        const std::size_t rows = std::min(rowsPerRead, height - y);
        if (!file.readExactlyAt(layout.pixelOffset + static_cast<std::int64_t>(y * stride), stored.data(),
                                rows * stride))
            return {};
        for (std::size_t r = 0; r < rows; ++r) {
            rowToRgb(layout, stored.data() + r * stride, rgb.data());
            reducer.addRow(rgb.data());
        }
    }
    DecodedPicture picture = reducedPicture(reducer, original);
    if (!layout.topDown) turnUpsideDown(picture);  // the rows came bottom first
    return picture;
}

// The toolkit's decoder for the rarer kinds, quietly: an unreadable file is reported by the
// dialog, not by the toolkit.
DecodedPicture decodeWithToolkit(RegularFile& file, const BmpLayout& layout, PictureSize bounds) {
    if (layout.width <= 0 || layout.height <= 0 || layout.width * layout.height > WHOLE_PICTURE_PIXELS ||
        file.size() > WHOLE_PICTURE_FILE_BYTES)
        return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size()));
    if (!file.readExactlyAt(0, bytes.data(), bytes.size())) return {};
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxImageHandler* handler = wxImage::FindHandler(wxBITMAP_TYPE_BMP);
    wxImage image;
    if (!handler || !handler->LoadFile(&image, stream, false) || !image.IsOk()) return {};
    if (image.HasMask() && !image.HasAlpha()) image.InitAlpha();
    const PictureSize original{image.GetWidth(), image.GetHeight()};
    const PictureSize shown = fittedPictureSize(original, bounds);
    const int channels = image.HasAlpha() ? 4 : 3;
    RowReducer reducer(original.width, original.height, channels, shown.width, shown.height);
    const auto width = static_cast<std::size_t>(original.width);
    std::vector<std::uint8_t> rgba(width * 4);
    for (int y = 0; y < original.height; ++y) {
        const std::uint8_t* rgb = image.GetData() + width * 3 * static_cast<std::size_t>(y);
        if (channels == 3) {
            reducer.addRow(rgb);
            continue;
        }
        // The toolkit keeps alpha apart from the colours.
        const std::uint8_t* alpha = image.GetAlpha() + width * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < width; ++x) {
            std::memcpy(&rgba[x * 4], rgb + x * 3, 3);
            rgba[x * 4 + 3] = alpha[x];
        }
        reducer.addRow(rgba.data());
    }
    return reducedPicture(reducer, original);
}

}  // namespace

void prepareToolkitBmpDecoder() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP)) wxImage::AddHandler(new wxBMPHandler);
}

DecodedPicture decodeBmpPicture(RegularFile& file, PictureSize bounds) {
    const std::optional<BmpLayout> layout = readLayout(file);
    if (!layout || !pictureSizeAllowed(layout->width, layout->height)) return {};
    try {
        return layout->streamable ? decodeStreamed(file, *layout, bounds)
                                  : decodeWithToolkit(file, *layout, bounds);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace veltamar
