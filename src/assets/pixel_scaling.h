#pragma once

#include <cstdint>
#include <vector>

// Scaling a picture down by averaging: every new pixel is the mean of the part of the picture it
// covers, each old pixel weighted by how much of it lies inside. Pixels are rows of interleaved
// channels (1 to 4 bytes each), top row first, with no padding.

namespace veltamar {

// Takes the rows of a picture one at a time, in order, and keeps only what the smaller picture
// needs: the result and the sums of the new rows still open. A decoder that hands over each row as
// it reads it thus never holds the large picture, whatever its size.
class RowReducer {
  public:
    // The new sides are at most the old ones (and at least 1).
    RowReducer(int width, int height, int channels, int newWidth, int newHeight);

    int width() const { return oldWidth; }
    int height() const { return oldHeight; }
    int channels() const { return channelCount; }
    int newWidth() const { return targetWidth; }
    int newHeight() const { return targetHeight; }

    // The next row of the picture (width x channels bytes); rows past the last are ignored.
    void addRow(const std::uint8_t* row);
    // The next row, of which only the pixels from first up to end (exclusive) may be other than
    // black (all zero); the others are not read. A row that is black throughout costs next to
    // nothing, so a decoder whose file says "the rest is black" in a few bytes is not slowed by it.
    void addRow(const std::uint8_t* row, int first, int end);
    // True once every row has been added.
    bool complete() const { return rowsAdded >= oldHeight; }
    // The smaller picture, rows top first; only whole once complete.
    std::vector<std::uint8_t> takePixels() { return std::move(result); }

  private:
    // For each new position along one axis, the old positions it covers and their shares.
    struct Span {
        int first = 0;
        std::vector<float> weights;  // of positions first, first + 1, ...; they add up to 1
    };
    static std::vector<Span> spans(int oldSize, int newSize);
    void narrow(const std::uint8_t* row, int first, int end);
    void finishRow();

    int oldWidth, oldHeight, channelCount, targetWidth, targetHeight;
    std::vector<Span> across;
    std::vector<Span> down;
    std::vector<float> narrowed;
    // Sums of the new rows that the rows added so far reach into, the first one being nextRow.
    std::vector<std::vector<float>> openRows;
    int nextRow = 0;
    int rowsAdded = 0;
    std::vector<std::uint8_t> result;
};

std::vector<std::uint8_t> scalePixelsDown(const std::uint8_t* pixels, int width, int height, int channels,
                                          int newWidth, int newHeight);

}  // namespace veltamar
