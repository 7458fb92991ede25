#include "platform/file_bytes.h"

#include "platform/regular_file.h"

namespace veltamar {

std::optional<std::string> readFileBytes(const std::string& path) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file) return std::nullopt;
    std::string content;
    content.reserve(static_cast<std::size_t>(file->size()));
    char buffer[65536];
    long n;
    while ((n = file->read(buffer, sizeof buffer)) > 0) content.append(buffer, static_cast<std::size_t>(n));
    if (n < 0) return std::nullopt;
    return content;
}

}  // namespace veltamar
