#include "assets/decoded_picture.h"

namespace veltamar {

bool pictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height <= MAX_PICTURE_PIXELS;
}

DecodedPicture reducedPicture(RowReducer& reducer, PictureSize original) {
    if (!reducer.complete()) return {};
    DecodedPicture picture;
    picture.width = reducer.newWidth();
    picture.height = reducer.newHeight();
    picture.channels = reducer.channels();
    picture.pixels = reducer.takePixels();
    picture.original = original;
    return picture;
}

}  // namespace veltamar
