#include "platform/data_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/message_box.h"

namespace veltamar {

namespace {

constexpr const char* APPLICATION_DIRECTORY = "VeltamarScr";

std::optional<std::string> ownResourceDirectory;

std::optional<std::string> configHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') return std::string(xdg);
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') return std::string(home) + "/.config";
    return std::nullopt;
}

bool isWritableDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && access(path.c_str(), W_OK | X_OK) == 0;
}

// mkdir -p: creates every missing component; the last one with the given mode.
bool makeDirectories(const std::string& path, mode_t mode) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

}  // namespace

std::optional<std::string> dataDirectoryPath() {
    const auto base = configHome();
    if (!base) return std::nullopt;
    return *base + "/" + APPLICATION_DIRECTORY + "/";
}

std::optional<std::string> locateDataDirectory() {
    const auto base = configHome();
    if (!base) return std::nullopt;
    const std::string directory = *base + "/" + APPLICATION_DIRECTORY;
    if (!isWritableDirectory(directory) && !(makeDirectories(directory, 0700) && isWritableDirectory(directory)))
        return std::nullopt;
    return directory + "/";
}

void useResourceDirectory(const std::string& directory) { ownResourceDirectory = directory; }

std::optional<std::string> locateResourceDirectory() {
    if (ownResourceDirectory) return ownResourceDirectory;
    return locateDataDirectory();
}

std::string dataDirectory() {
    if (auto directory = locateDataDirectory()) return *directory;
    showMessage("Error Find TempPath.", "ERROR");
    return "";
}

}  // namespace veltamar
