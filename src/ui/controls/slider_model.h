#pragma once

// The value side of a slider: range, position and the line and page steps that the keyboard and
// clicks beside the thumb move it by. Positions always stay inside the range.

namespace veltamar {

enum class SliderAction {
    LineUp,    // towards the minimum by one line
    LineDown,  // towards the maximum by one line
    PageUp,    // towards the minimum by one page
    PageDown,  // towards the maximum by one page
    Top,       // to the minimum
    Bottom,    // to the maximum
};

// Keys a slider answers.
enum class SliderKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

// Left and Up move towards the minimum, Right and Down towards the maximum (a vertical slider has
// its minimum at the top); Page Up and Page Down step by pages; Home and End jump to the ends.
SliderAction actionForKey(SliderKey key);

class SliderModel {
  public:
    // Sets the range (the ends are swapped when given in the wrong order) and keeps the position
    // inside it. Until a page size is set explicitly, a page is a fifth of the range (at least 1).
    void setRange(int minimum, int maximum);
    int rangeMin() const { return minimum; }
    int rangeMax() const { return maximum; }

    // Sets the position, limited to the range; true when it changed.
    bool setPos(int position);
    int getPos() const { return position; }

    void setLineSize(int size);
    void setPageSize(int size);
    int lineSize() const { return line; }
    int pageSize() const { return page; }

    // Applies a step; true when the position changed.
    bool apply(SliderAction action);

  private:
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int line = 1;
    int page = 20;
    bool pageSetExplicitly = false;
};

}  // namespace veltamar
