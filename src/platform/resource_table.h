#pragma once

#include <cstdint>
#include <optional>
#include <span>

// The resources built into the executable: the scrambled "RCAD" files (pictures and music) and the
// pictures of the dialogs, menus and toolbar.

namespace veltamar {

// The stored bytes of "RCAD" resource id, or nothing when there is none.
std::optional<std::span<const std::uint8_t>> findRcadResource(int id);

// An RGBA picture (top row first) of the user interface.
struct UiPicture {
    int width;
    int height;
    std::span<const std::uint8_t> rgba;
};
std::optional<UiPicture> findUiPicture(int id);

// Lets the memory pages that hold nothing but these stored bytes leave the process's resident
// memory once they have been copied out: the bytes stay in the program's file, and a later read
// brings them back.
void releaseStoredBytes(std::span<const std::uint8_t> bytes);

}  // namespace veltamar
