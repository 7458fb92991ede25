#include "platform/companion_program.h"

#include <unistd.h>

#include <climits>
#include <vector>

namespace veltamar {

namespace {

std::string directoryOfThisProgram() {
    std::vector<char> path(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", path.data(), PATH_MAX);
    if (length <= 0) return {};
    std::string self(path.data(), static_cast<std::size_t>(length));
    const std::size_t slash = self.find_last_of('/');
    return slash == std::string::npos ? std::string{} : self.substr(0, slash + 1);
}

}  // namespace

std::string companionProgram(const std::string& fromBinDirectory, const std::string& name) {
    const std::string directory = directoryOfThisProgram();
    if (directory.empty()) return {};
    for (const std::string& candidate : {directory + fromBinDirectory, directory + name})
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    return {};
}

}  // namespace veltamar
