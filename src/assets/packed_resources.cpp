#include "assets/packed_resources.h"

#include <unistd.h>

#include <cstdio>

#include "platform/c_file.h"
#include "platform/resource_table.h"

namespace veltamar {

int extractResource(int id, const std::string& directory, const std::string& baseName) {
    const auto resource = findRcadResource(id);
    if (!resource) return 0;

    // Written from scratch: a longer file left from an earlier run must not leave a stale tail.
    const std::string raw = rawFileName(directory, baseName);
    if (CFile out = openCFile(raw, "wb")) std::fwrite(resource->data(), 1, resource->size(), out.get());
    // The stored copy is not needed in memory again until the next extraction.
    releaseStoredBytes(*resource);
    return descrambleFile(directory, baseName) ? 1 : 0;
}

void deleteFile(const std::string& fullName) {
    unlink(fullName.c_str());
}

void deleteExtractedFiles(const std::string& directory, const std::string& baseName) {
    deleteFile(rawFileName(directory, baseName));
    deleteFile(plainFileName(directory, baseName));
}

}  // namespace veltamar
