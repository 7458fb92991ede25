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

}  // namespace veltamar
