#pragma once

#include <string>

// The programs installed with the aquarium (the decoding helper, the screensaver) live in
// libexec/veltamar once installed and next to the program in a build tree; both are found from the
// folder of the running program, wherever the tree was installed or unpacked.

namespace veltamar {

// The path of the companion program that is executable at fromBinDirectory (relative to the
// running program's folder, as installed) or, failing that, under its name next to the running
// program; empty when there is neither.
std::string companionProgram(const std::string& fromBinDirectory, const std::string& name);

}  // namespace veltamar
