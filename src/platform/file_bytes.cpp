#include "platform/file_bytes.h"

#include <algorithm>

#include "platform/regular_file.h"

namespace veltamar {

std::optional<std::string> readFileBytes(const std::string& path, std::size_t limit) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file || static_cast<std::uint64_t>(file->size()) > limit) return std::nullopt;
    std::string content;
    content.reserve(static_cast<std::size_t>(file->size()));
    char buffer[65536];
    long n;
    // The file may grow while it is read: the limit holds for what is read, not only for the size.
    while ((n = file->read(buffer, sizeof buffer)) > 0) {
        if (content.size() + static_cast<std::size_t>(n) > limit) return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    if (n < 0) return std::nullopt;
    return content;
}

}  // namespace veltamar
