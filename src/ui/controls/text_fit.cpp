#include "ui/controls/text_fit.h"

namespace veltamar {

UiRect fitToText(UiRect box, int textWidth, int textHeight, TextAlign align) {
    UiRect fitted{box.x, box.y, textWidth, textHeight};
    switch (align) {
        case TextAlign::Left:
            break;
        case TextAlign::Right:
            fitted.x = box.right() - textWidth;
            break;
        case TextAlign::Centre:
            fitted.x = box.x + (box.width - textWidth) / 2;
            fitted.y = box.y + (box.height - textHeight) / 2;
            break;
    }
    return fitted;
}

}  // namespace veltamar
