#include "assets/pixel_scaling.h"

#include <algorithm>
#include <cmath>

namespace veltamar {

RowReducer::RowReducer(int width, int height, int channels, int newWidth, int newHeight)
    : oldWidth(std::max(width, 1)),
      oldHeight(std::max(height, 1)),
      channelCount(std::clamp(channels, 1, 4)),
      targetWidth(std::clamp(newWidth, 1, oldWidth)),
      targetHeight(std::clamp(newHeight, 1, oldHeight)),
      across(spans(oldWidth, targetWidth)),
      down(spans(oldHeight, targetHeight)),
      narrowed(static_cast<std::size_t>(targetWidth) * static_cast<std::size_t>(channelCount)),
      result(narrowed.size() * static_cast<std::size_t>(targetHeight)) {}

std::vector<RowReducer::Span> RowReducer::spans(int oldSize, int newSize) {
    std::vector<Span> result(static_cast<std::size_t>(newSize));
    const double step = static_cast<double>(oldSize) / newSize;
    for (int i = 0; i < newSize; ++i) {
        const double begin = i * step;
        const double end = std::min<double>(oldSize, (i + 1) * step);
        Span& span = result[static_cast<std::size_t>(i)];
        span.first = static_cast<int>(std::floor(begin));
        for (int p = span.first; p < oldSize && p < end; ++p) {
            const double covered = std::min<double>(end, p + 1) - std::max<double>(begin, p);
            span.weights.push_back(static_cast<float>(covered / step));
        }
    }
    return result;
}

// Each new pixel of a row is the weighted sum of the old pixels it covers, of which only those
// from first up to end are read (the others are black).
void RowReducer::narrow(const std::uint8_t* row, int first, int end) {
    const auto c = static_cast<std::size_t>(channelCount);
    for (int x = 0; x < targetWidth; ++x) {
        const Span& columns = across[static_cast<std::size_t>(x)];
        const auto from = static_cast<std::size_t>(std::max(first, columns.first) - columns.first);
        const auto to = static_cast<std::size_t>(
            std::clamp(end - columns.first, 0, static_cast<int>(columns.weights.size())));
        const std::uint8_t* source = row + static_cast<std::size_t>(columns.first) * c;
        for (std::size_t ch = 0; ch < c; ++ch) {
            float sum = 0.0f;
            for (std::size_t j = from; j < to; ++j) sum += columns.weights[j] * source[j * c + ch];
            narrowed[static_cast<std::size_t>(x) * c + ch] = sum;
        }
    }
}

void RowReducer::addRow(const std::uint8_t* row) {
    addRow(row, 0, oldWidth);
}

// The row is narrowed once, then summed into every new row it reaches into (one or two, since
// the picture only gets smaller); a new row is finished when its last old row has come. Black adds
// nothing to the sums, so a black row only counts.
void RowReducer::addRow(const std::uint8_t* row, int first, int end) {
    if (complete()) return;
    first = std::max(first, 0);
    end = std::min(end, oldWidth);
    const bool black = first >= end;
    if (!black) narrow(row, first, end);
    const int y = rowsAdded++;
    for (int target = nextRow; target < targetHeight && !black; ++target) {
        const Span& rows = down[static_cast<std::size_t>(target)];
        if (rows.first > y) break;
        const auto k = static_cast<std::size_t>(y - rows.first);
        if (k >= rows.weights.size()) continue;
        const auto open = static_cast<std::size_t>(target - nextRow);
        while (openRows.size() <= open) openRows.emplace_back(narrowed.size(), 0.0f);
        std::vector<float>& sums = openRows[open];
        for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += rows.weights[k] * narrowed[i];
    }
    while (nextRow < targetHeight) {
        const Span& rows = down[static_cast<std::size_t>(nextRow)];
        if (rows.first + static_cast<int>(rows.weights.size()) > rowsAdded) break;
        finishRow();
    }
}

void RowReducer::finishRow() {
    if (openRows.empty()) openRows.emplace_back(narrowed.size(), 0.0f);
    std::vector<float> sums = std::move(openRows.front());
    openRows.erase(openRows.begin());
    std::uint8_t* target = result.data() + static_cast<std::size_t>(nextRow) * narrowed.size();
    for (std::size_t i = 0; i < sums.size(); ++i)
        target[i] = static_cast<std::uint8_t>(std::clamp(std::lround(sums[i]), 0L, 255L));
    ++nextRow;
}

std::vector<std::uint8_t> scalePixelsDown(const std::uint8_t* pixels, int width, int height, int channels,
                                          int newWidth, int newHeight) {
    RowReducer reducer(width, height, channels, newWidth, newHeight);
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    for (int y = 0; y < height; ++y) reducer.addRow(pixels + static_cast<std::size_t>(y) * stride);
    return reducer.takePixels();
}

}  // namespace veltamar
