#pragma once

#include <optional>
#include <string>

// The per-user data directory: $XDG_CONFIG_HOME/VeltamarScr/ (default ~/.config/VeltamarScr/).
// It holds the settings file and the short-lived files made from the packed resources.

namespace veltamar {

// Finds the directory, creating it (mode 0700) when it does not exist yet, and checks that it can
// be written. Returns the path with a trailing '/', or nothing when it cannot be used. Shows no
// message.
std::optional<std::string> locateDataDirectory();

// As locateDataDirectory, but a directory that cannot be used shows the message
// "Error Find TempPath." (caption "ERROR") and gives the empty string, so files then go to the
// current directory.
std::string dataDirectory();

// Where the data directory is (with its trailing '/'), without creating or checking it: for reading
// the settings file where nothing may be written. Nothing when neither XDG_CONFIG_HOME nor HOME is
// set.
std::optional<std::string> dataDirectoryPath();

// The directory for the short-lived files made from the packed resources: the data directory, as
// locateDataDirectory finds it, unless a shell has named one of its own (the screensaver, which may
// run beside the aquarium and beside other savers, and must work where the data directory cannot be
// used). The path ends with '/'.
void useResourceDirectory(const std::string& directory);
std::optional<std::string> locateResourceDirectory();

}  // namespace veltamar
