#include "assets/pixel_scaling.h"

#include <algorithm>
#include <cmath>

namespace veltamar {

namespace {

// For each new position along one axis, the old positions it covers and their shares.
struct Span {
    int first = 0;
    std::vector<float> weights;  // of positions first, first + 1, ...; they add up to 1
};

std::vector<Span> spans(int oldSize, int newSize) {
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

}  // namespace

std::vector<std::uint8_t> scalePixelsDown(const std::uint8_t* pixels, int width, int height, int channels,
                                          int newWidth, int newHeight) {
    const std::vector<Span> across = spans(width, newWidth);
    const std::vector<Span> down = spans(height, newHeight);
    const auto c = static_cast<std::size_t>(channels);
    const auto rowLength = static_cast<std::size_t>(newWidth) * c;

    // Rows are narrowed one at a time and summed into the new row they belong to, so only one new
    // row of sums is kept besides the result.
    std::vector<std::uint8_t> result(rowLength * static_cast<std::size_t>(newHeight));
    std::vector<float> narrowed(rowLength);
    std::vector<float> sums(rowLength);
    for (int y = 0; y < newHeight; ++y) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        const Span& rows = down[static_cast<std::size_t>(y)];
        for (std::size_t k = 0; k < rows.weights.size(); ++k) {
            const std::uint8_t* source = pixels + static_cast<std::size_t>(rows.first + static_cast<int>(k)) *
                                                      static_cast<std::size_t>(width) * c;
            for (int x = 0; x < newWidth; ++x) {
                const Span& columns = across[static_cast<std::size_t>(x)];
                for (std::size_t ch = 0; ch < c; ++ch) {
                    float sum = 0.0f;
                    for (std::size_t j = 0; j < columns.weights.size(); ++j)
                        sum += columns.weights[j] *
                               source[(static_cast<std::size_t>(columns.first) + j) * c + ch];
                    narrowed[static_cast<std::size_t>(x) * c + ch] = sum;
                }
            }
            for (std::size_t i = 0; i < rowLength; ++i) sums[i] += rows.weights[k] * narrowed[i];
        }
        std::uint8_t* target = result.data() + static_cast<std::size_t>(y) * rowLength;
        for (std::size_t i = 0; i < rowLength; ++i)
            target[i] = static_cast<std::uint8_t>(std::clamp(std::lround(sums[i]), 0L, 255L));
    }
    return result;
}

}  // namespace veltamar
