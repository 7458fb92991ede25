#include "assets/jpeg_scaled_decoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace veltamar {

namespace {

// libjpeg reports errors by calling error_exit, which by default ends the process: jump back out
// instead, and say nothing (the dialog reports a picture it cannot read).
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void leave(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }
void quiet(j_common_ptr, int) {}
void quietMessage(j_common_ptr) {}

void prepare(jpeg_decompress_struct& info, ErrorManager& errors) {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leave;
    errors.base.emit_message = quiet;
    errors.base.output_message = quietMessage;
}

}  // namespace

std::optional<JpegHeader> readJpegHeader(std::span<const std::uint8_t> file) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    prepare(info, errors);
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    const JpegHeader header{static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
    jpeg_destroy_decompress(&info);
    return header;
}

int jpegScaleDenominator(PictureSize picture, PictureSize target) {
    for (int denominator : {8, 4, 2}) {
        const int width = (picture.width + denominator - 1) / denominator;
        const int height = (picture.height + denominator - 1) / denominator;
        if (width >= target.width && height >= target.height) return denominator;
    }
    return 1;
}

std::optional<ScaledJpeg> decodeJpegScaled(std::span<const std::uint8_t> file, int denominator) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    prepare(info, errors);
    ScaledJpeg* volatile result = new ScaledJpeg;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        delete result;
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(denominator);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    result->width = static_cast<int>(info.output_width);
    result->height = static_cast<int>(info.output_height);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
    result->rgb.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result->rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::optional<ScaledJpeg> decoded = std::move(*result);
    delete result;
    return decoded;
}

}  // namespace veltamar
