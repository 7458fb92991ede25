#include "platform/resource_table.h"

#include <sys/mman.h>
#include <unistd.h>

#include "platform/resource_kinds.h"

namespace {

// Laid out by the build's packer (one row of six 64-bit words per resource, a zero row at the end).
struct ResourceEntry {
    std::uint64_t kind;
    std::uint64_t id;
    std::uint64_t width;
    std::uint64_t height;
    const std::uint8_t* data;
    std::uint64_t size;
};
static_assert(sizeof(ResourceEntry) == 48);

}  // namespace

extern "C" const ResourceEntry veltamar_resource_table[];

namespace veltamar {

namespace {

const ResourceEntry* findEntry(int kind, int id) {
    for (const ResourceEntry* e = veltamar_resource_table; e->kind != 0; ++e)
        if (e->kind == static_cast<std::uint64_t>(kind) && e->id == static_cast<std::uint64_t>(id)) return e;
    return nullptr;
}

}  // namespace

std::optional<std::span<const std::uint8_t>> findRcadResource(int id) {
    if (id < 0) return std::nullopt;
    const ResourceEntry* e = findEntry(RESOURCE_KIND_RCAD, id);
    if (!e) return std::nullopt;
    return std::span<const std::uint8_t>(e->data, e->size);
}

std::optional<UiPicture> findUiPicture(int id) {
    if (id < 0) return std::nullopt;
    const ResourceEntry* e = findEntry(RESOURCE_KIND_UI_PICTURE, id);
    if (!e) return std::nullopt;
    return UiPicture{static_cast<int>(e->width), static_cast<int>(e->height), {e->data, e->size}};
}

void releaseStoredBytes(std::span<const std::uint8_t> bytes) {
    const long page = sysconf(_SC_PAGESIZE);
    if (page <= 0 || bytes.empty()) return;
    const auto pageSize = static_cast<std::uintptr_t>(page);
    const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t first = (begin + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t end = (begin + bytes.size()) / pageSize * pageSize;
    // The stored bytes are read-only data of the program's file, so the pages are dropped, not lost.
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

}  // namespace veltamar
