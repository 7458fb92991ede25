#include "assets/png_picture_decoder.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace veltamar {

namespace {

constexpr std::size_t READ_SIZE = 64 * 1024;
constexpr int LAST_PASS = 6;

// Everything the decoding keeps lives here, outside the function that may be jumped out of.
struct Decoding {
    png_structp png = nullptr;
    png_infop info = nullptr;
    RegularFile* file = nullptr;
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(READ_SIZE);
    std::size_t buffered = 0;
    std::size_t used = 0;
    std::optional<RowReducer> reducer;
    std::vector<std::uint8_t> rows;  // one row, or a whole small interlaced picture
    std::vector<png_bytep> rowPointers;
    PictureSize original;
};

// libpng's errors jump back to decode(); its warnings are not the user's business.
void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

// Hands libpng the file's bytes, read a block at a time.
void readBytes(png_structp png, png_bytep out, std::size_t length) {
    Decoding& d = *static_cast<Decoding*>(png_get_io_ptr(png));
    while (length > 0) {
        if (d.used == d.buffered) {
            const long n = d.file->read(d.buffer.data(), d.buffer.size());
            if (n <= 0) png_error(png, "file cut short");
            d.buffered = static_cast<std::size_t>(n);
            d.used = 0;
        }
        const std::size_t n = std::min(length, d.buffered - d.used);
        std::memcpy(out, d.buffer.data() + d.used, n);
        d.used += n;
        out += n;
        length -= n;
    }
}

bool decode(Decoding& d, PictureSize bounds) {
    if (setjmp(png_jmpbuf(d.png))) return false;
    png_set_read_fn(d.png, &d, readBytes);
    png_set_user_limits(d.png, MAX_PICTURE_SIDE, MAX_PICTURE_SIDE);
    // Damaged checksums are read through, as most picture viewers do.
    png_set_crc_action(d.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_read_info(d.png, d.info);

    const png_uint_32 width = png_get_image_width(d.png, d.info);
    const png_uint_32 height = png_get_image_height(d.png, d.info);
    if (!pictureSizeAllowed(width, height)) return false;
    d.original = {static_cast<int>(width), static_cast<int>(height)};
    const bool interlaced = png_get_interlace_type(d.png, d.info) != PNG_INTERLACE_NONE;
    const bool whole = interlaced && std::int64_t{width} * height <= WHOLE_PICTURE_PIXELS;

    png_set_expand(d.png);
    png_set_scale_16(d.png);
    if (whole) png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    const int channels = png_get_channels(d.png, d.info);
    const std::size_t stride = png_get_rowbytes(d.png, d.info);
    if (channels < 1 || channels > 4 || stride != std::size_t{width} * static_cast<std::size_t>(channels))
        return false;
    const PictureSize shown = fittedPictureSize(d.original, bounds);

    if (whole) {
        d.rows.resize(stride * height);
        d.rowPointers.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) d.rowPointers[y] = d.rows.data() + stride * y;
        png_read_image(d.png, d.rowPointers.data());
        d.reducer.emplace(static_cast<int>(width), static_cast<int>(height), channels, shown.width,
                          shown.height);
        for (png_uint_32 y = 0; y < height; ++y) d.reducer->addRow(d.rowPointers[y]);
        return true;
    }

    d.rows.resize(stride);
    if (!interlaced) {
        d.reducer.emplace(static_cast<int>(width), static_cast<int>(height), channels, shown.width,
                          shown.height);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(d.png, d.rows.data(), nullptr);
            d.reducer->addRow(d.rows.data());
        }
        return true;
    }

    // The passes come one after the other, each a small picture of its own; the last holds the
    // odd rows at full width. Each of them stands for itself and the even row above it (and the
    // last one also for the even row below it when the picture has an odd number of rows), so the
    // picture keeps its height.
    d.reducer.emplace(static_cast<int>(width), static_cast<int>(height), channels, shown.width, shown.height);
    for (int pass = 0; pass <= LAST_PASS; ++pass) {
        if (PNG_PASS_COLS(width, pass) == 0) continue;
        const png_uint_32 rows = PNG_PASS_ROWS(height, pass);
        for (png_uint_32 r = 0; r < rows; ++r) {
            png_read_row(d.png, d.rows.data(), nullptr);
            if (pass != LAST_PASS) continue;
            d.reducer->addRow(d.rows.data());
            d.reducer->addRow(d.rows.data());
            if (r + 1 == rows && height % 2 == 1) d.reducer->addRow(d.rows.data());
        }
    }
    return true;
}

}  // namespace

DecodedPicture decodePngPicture(RegularFile& file, PictureSize bounds) {
    Decoding decoding;
    decoding.file = &file;
    decoding.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (!decoding.png) return {};
    decoding.info = png_create_info_struct(decoding.png);
    bool decoded = false;
    if (decoding.info) {
        try {
            decoded = decode(decoding, bounds);
        } catch (...) {  // no memory for the rows
            decoded = false;
        }
    }
    png_destroy_read_struct(&decoding.png, &decoding.info, nullptr);
    if (!decoded || !decoding.reducer) return {};
    return reducedPicture(*decoding.reducer, decoding.original);
}

}  // namespace veltamar
