#include "ui/ui_pictures.h"

#include <cstdlib>
#include <cstring>

#include "platform/resource_table.h"

namespace veltamar {

wxImage uiImage(int id) {
    const auto picture = findUiPicture(id);
    if (!picture || picture->width <= 0 || picture->height <= 0) return {};
    const std::size_t pixels = static_cast<std::size_t>(picture->width) * picture->height;
    if (picture->rgba.size() != pixels * 4) return {};

    // wxImage takes ownership of malloc'ed planes: one RGB plane and one alpha plane.
    auto* rgb = static_cast<unsigned char*>(std::malloc(pixels * 3));
    auto* alpha = static_cast<unsigned char*>(std::malloc(pixels));
    if (!rgb || !alpha) {
        std::free(rgb);
        std::free(alpha);
        return {};
    }
    const std::uint8_t* source = picture->rgba.data();
    for (std::size_t i = 0; i < pixels; ++i) {
        std::memcpy(rgb + 3 * i, source + 4 * i, 3);
        alpha[i] = source[4 * i + 3];
    }
    wxImage image(picture->width, picture->height, rgb);
    image.SetAlpha(alpha);
    return image;
}

wxBitmap uiBitmap(int id) {
    const wxImage image = uiImage(id);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxIcon uiIcon(int id) {
    wxIcon icon;
    const wxBitmap bitmap = uiBitmap(id);
    if (bitmap.IsOk()) icon.CopyFromBitmap(bitmap);
    return icon;
}

}  // namespace veltamar
