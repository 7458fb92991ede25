#include "assets/jpeg_picture_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <optional>

#include <jpeglib.h>

namespace veltamar {

namespace {

// The most the decoder may allocate for one picture. A baseline picture needs a few rows; a
// progressive one keeps all its coefficients, about three bytes a pixel, which this allows for a
// photo of 26 megapixels; a larger progressive picture is refused (the decoder has no backing
// store to spill to).
constexpr long DECODER_MEMORY_LIMIT = 80L << 20;
constexpr std::size_t READ_SIZE = 64 * 1024;
// A progressive picture comes in scans, about ten in a photo. The decoder takes any number, and
// a small file of thousands of near-empty scans keeps it busy for minutes.
constexpr int MAX_SCANS = 500;

// libjpeg reports errors by calling error_exit, which by default ends the process: jump back out
// instead, and say nothing (the dialog reports a picture it cannot read).
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void leave(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}
void quiet(j_common_ptr, int) {}
void quietMessage(j_common_ptr) {}

// Looked at by the decoder as it goes: too many scans end the decode as a damaged file.
void watchScans(j_common_ptr common) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > MAX_SCANS) (*common->err->error_exit)(common);
}

// Feeds the decoder from the file a block at a time. At the end of the file it hands over an
// end-of-image marker, as the decoder expects, and notes that the file was cut short.
struct FileSource {
    jpeg_source_mgr base;
    RegularFile* file;
    std::int64_t offset;
    bool cutShort;
    JOCTET buffer[READ_SIZE];
};

FileSource& sourceOf(j_decompress_ptr info) {
    return *reinterpret_cast<FileSource*>(info->src);
}

void startSource(j_decompress_ptr) {}
void endSource(j_decompress_ptr) {}

boolean fillBuffer(j_decompress_ptr info) {
    FileSource& source = sourceOf(info);
    long n = source.file->readAt(source.offset, source.buffer, READ_SIZE);
    if (n <= 0) {
        source.cutShort = true;
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        n = 2;
    } else {
        source.offset += n;
    }
    source.base.next_input_byte = source.buffer;
    source.base.bytes_in_buffer = static_cast<std::size_t>(n);
    return TRUE;
}

void skipData(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    FileSource& source = sourceOf(info);
    if (static_cast<std::size_t>(count) <= source.base.bytes_in_buffer) {
        source.base.next_input_byte += count;
        source.base.bytes_in_buffer -= static_cast<std::size_t>(count);
        return;
    }
    source.offset += count - static_cast<long>(source.base.bytes_in_buffer);
    source.base.bytes_in_buffer = 0;
}

// Everything the decoding keeps lives here, outside the function that may be jumped out of.
struct Decoding {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    std::unique_ptr<FileSource> source = std::make_unique<FileSource>();
    std::optional<RowReducer> reducer;
    std::vector<std::uint8_t> row;
    PictureSize original;
};

// Colours from the inverted CMYK that Adobe's programs store.
void cmykToRgb(std::uint8_t* row, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* cmyk = row + i * 4;
        const unsigned k = cmyk[3];
        row[i * 3] = static_cast<std::uint8_t>(cmyk[0] * k / 255);
        row[i * 3 + 1] = static_cast<std::uint8_t>(cmyk[1] * k / 255);
        row[i * 3 + 2] = static_cast<std::uint8_t>(cmyk[2] * k / 255);
    }
}

bool decode(Decoding& d, RegularFile& file, PictureSize bounds) {
    jpeg_decompress_struct& info = d.info;
    info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = leave;
    d.errors.base.emit_message = quiet;
    d.errors.base.output_message = quietMessage;
    if (setjmp(d.errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = DECODER_MEMORY_LIMIT;
    d.progress.progress_monitor = watchScans;
    info.progress = &d.progress;
    FileSource& source = *d.source;
    source.base.init_source = startSource;
    source.base.fill_input_buffer = fillBuffer;
    source.base.skip_input_data = skipData;
    source.base.resync_to_restart = jpeg_resync_to_restart;
    source.base.term_source = endSource;
    source.base.bytes_in_buffer = 0;
    source.base.next_input_byte = nullptr;
    source.file = &file;
    source.offset = 0;
    source.cutShort = false;
    info.src = &source.base;

    jpeg_read_header(&info, TRUE);
    if (source.cutShort || !pictureSizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    d.original = {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
    const PictureSize shown = fittedPictureSize(d.original, bounds);
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(jpegScaleDenominator(d.original, shown));
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    d.reducer.emplace(static_cast<int>(info.output_width), static_cast<int>(info.output_height), grey ? 1 : 3,
                      shown.width, shown.height);
    d.row.resize(static_cast<std::size_t>(info.output_width) *
                 static_cast<std::size_t>(info.output_components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = d.row.data();
        if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
        if (cmyk) cmykToRgb(d.row.data(), info.output_width);
        d.reducer->addRow(d.row.data());
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !source.cutShort;
}

}  // namespace

int jpegScaleDenominator(PictureSize picture, PictureSize target) {
    for (int denominator : {8, 4, 2}) {
        const int width = (picture.width + denominator - 1) / denominator;
        const int height = (picture.height + denominator - 1) / denominator;
        if (width >= target.width && height >= target.height) return denominator;
    }
    return 1;
}

DecodedPicture decodeJpegPicture(RegularFile& file, PictureSize bounds) {
    Decoding decoding;
    bool decoded = false;
    try {
        decoded = decode(decoding, file, bounds);
    } catch (...) {  // no memory for the rows
        jpeg_destroy_decompress(&decoding.info);
    }
    if (!decoded || !decoding.reducer) return {};
    return reducedPicture(*decoding.reducer, decoding.original);
}

}  // namespace veltamar
