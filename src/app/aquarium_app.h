#pragma once

// The interactive program: the wx application with the aquarium's main frame.

namespace veltamar {

// Runs the application (wxEntry) with the process's arguments and gives its exit status.
int runAquarium(int argc, char** argv);

}  // namespace veltamar
