#include "ui/controls/slider_model.h"

#include <algorithm>
#include <utility>

namespace veltamar {

SliderAction actionForKey(SliderKey key) {
    switch (key) {
        case SliderKey::Left:
        case SliderKey::Up:
            return SliderAction::LineUp;
        case SliderKey::Right:
        case SliderKey::Down:
            return SliderAction::LineDown;
        case SliderKey::PageUp:
            return SliderAction::PageUp;
        case SliderKey::PageDown:
            return SliderAction::PageDown;
        case SliderKey::Home:
            return SliderAction::Top;
        case SliderKey::End:
            break;
    }
    return SliderAction::Bottom;
}

void SliderModel::setRange(int newMinimum, int newMaximum) {
    if (newMinimum > newMaximum) std::swap(newMinimum, newMaximum);
    minimum = newMinimum;
    maximum = newMaximum;
    if (!pageSetExplicitly)
        page = std::max(1, static_cast<int>((static_cast<long long>(maximum) - minimum) / 5));
    position = std::clamp(position, minimum, maximum);
}

bool SliderModel::setPos(int newPosition) {
    newPosition = std::clamp(newPosition, minimum, maximum);
    if (newPosition == position) return false;
    position = newPosition;
    return true;
}

void SliderModel::setLineSize(int size) {
    line = std::max(1, size);
}

void SliderModel::setPageSize(int size) {
    page = std::max(1, size);
    pageSetExplicitly = true;
}

bool SliderModel::apply(SliderAction action) {
    // Steps are summed in 64 bits so a full-width range cannot overflow.
    auto stepped = [this](long long delta) {
        return static_cast<int>(std::clamp<long long>(position + delta, minimum, maximum));
    };
    switch (action) {
        case SliderAction::LineUp:
            return setPos(stepped(-line));
        case SliderAction::LineDown:
            return setPos(stepped(line));
        case SliderAction::PageUp:
            return setPos(stepped(-page));
        case SliderAction::PageDown:
            return setPos(stepped(page));
        case SliderAction::Top:
            return setPos(minimum);
        case SliderAction::Bottom:
            return setPos(maximum);
    }
    return false;
}

}  // namespace veltamar
