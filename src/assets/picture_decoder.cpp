#include "assets/picture_decoder.h"

#include <SOIL/SOIL.h>
#include <wx/image.h>
#include <wx/imagjpeg.h>
#include <wx/imagpng.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstring>

#include "assets/jpeg_completeness.h"
#include "assets/jpeg_scaled_decoder.h"
#include "assets/pixel_scaling.h"
#include "platform/file_bytes.h"

namespace veltamar {

namespace {

// Takes the decoder's pixels into the result, scaled down when the picture is larger than the
// bounds.
DecodedPicture fromPixels(const std::uint8_t* pixels, int width, int height, int channels,
                          PictureSize bounds) {
    DecodedPicture picture;
    picture.original = {width, height};
    const PictureSize size = fittedPictureSize(picture.original, bounds);
    picture.width = size.width;
    picture.height = size.height;
    picture.channels = channels;
    if (size == picture.original) {
        picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height * channels);
    } else {
        picture.pixels = scalePixelsDown(pixels, width, height, channels, size.width, size.height);
    }
    return picture;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes) return {};
    return {bytes->begin(), bytes->end()};
}

// A JPEG at least twice as large as it will be shown is decoded at a reduced scale, so the whole
// photo is never held at full size.
DecodedPicture decodeLargeJpeg(const std::vector<std::uint8_t>& file, PictureSize bounds) {
    const auto header = readJpegHeader(file);
    if (!header) return {};
    const PictureSize original{header->width, header->height};
    const int denominator = jpegScaleDenominator(original, fittedPictureSize(original, bounds));
    if (denominator == 1) return {};
    const auto scaled = decodeJpegScaled(file, denominator);
    if (!scaled) return {};
    DecodedPicture picture = fromPixels(scaled->rgb.data(), scaled->width, scaled->height, 3, bounds);
    picture.original = original;
    return picture;
}

DecodedPicture decodeWithSoil(const std::vector<std::uint8_t>& file, PictureSize bounds) {
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = SOIL_load_image_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                                        &height, &channels, SOIL_LOAD_AUTO);
    if (!pixels) return {};
    DecodedPicture picture;
    if (width > 0 && height > 0 && channels >= 1 && channels <= 4)
        picture = fromPixels(pixels, width, height, channels, bounds);
    SOIL_free_image_data(pixels);
    return picture;
}

// The kinds of picture the dialog offers.
constexpr wxBitmapType PICTURE_TYPES[] = {wxBITMAP_TYPE_JPEG, wxBITMAP_TYPE_PNG, wxBITMAP_TYPE_BMP};

// The toolkit's decoder of the file's kind (told by its content, not its name) reads it, quietly:
// an unreadable file is reported by the dialog, not by the toolkit.
wxImage loadWithToolkit(const std::vector<std::uint8_t>& file) {
    wxLogNull quiet;
    wxMemoryInputStream stream(file.data(), file.size());
    for (wxBitmapType type : PICTURE_TYPES) {
        wxImageHandler* handler = wxImage::FindHandler(type);
        if (!handler || !handler->CanRead(stream)) continue;
        wxImage image;
        if (handler->LoadFile(&image, stream, false) && image.IsOk()) return image;
        return {};
    }
    return {};
}

DecodedPicture decodeWithToolkit(const std::vector<std::uint8_t>& file, PictureSize bounds) {
    wxImage image = loadWithToolkit(file);
    if (!image.IsOk()) return {};
    if (image.HasMask() && !image.HasAlpha()) image.InitAlpha();
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (!image.HasAlpha()) return fromPixels(image.GetData(), width, height, 3, bounds);

    // The toolkit keeps alpha apart from the colours.
    const auto count = static_cast<std::size_t>(width) * height;
    std::vector<std::uint8_t> rgba(count * 4);
    const std::uint8_t* rgb = image.GetData();
    const std::uint8_t* alpha = image.GetAlpha();
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(&rgba[i * 4], rgb + i * 3, 3);
        rgba[i * 4 + 3] = alpha[i];
    }
    image.Destroy();
    return fromPixels(rgba.data(), width, height, 4, bounds);
}

}  // namespace

void preparePictureDecoders() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP)) wxImage::AddHandler(new wxBMPHandler);
}

DecodedPicture decodePicture(const std::string& path, PictureSize bounds) {
    const std::vector<std::uint8_t> file = readFile(path);
    if (file.empty() || file.size() > static_cast<std::size_t>(INT32_MAX)) return {};
    if (looksLikeJpeg(file) && !jpegIsComplete(file)) return {};
    DecodedPicture picture = looksLikeJpeg(file) ? decodeLargeJpeg(file, bounds) : DecodedPicture{};
    if (!picture.ok()) picture = decodeWithSoil(file, bounds);
    if (!picture.ok()) picture = decodeWithToolkit(file, bounds);
    return picture;
}

}  // namespace veltamar
