// veltamar-saver: the screensaver shell on its own. `veltamar` hands its screensaver options over to
// it, so that a saver drawing all night on every monitor carries no toolkit library in its memory.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/heap_tuning.h"
#include "saver/saver_options.h"
#include "saver/saver_session.h"

int main(int argc, char** argv) {
    veltamar::keepFrameMemoryInHeap();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const veltamar::SaverCommandLine line =
        veltamar::parseSaverCommandLine(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (line.outcome == veltamar::SaverCommandLine::Outcome::Run &&
        line.options.role == veltamar::SaverOptions::Role::Screensaver)
        return veltamar::runSaver(line.options);
    std::fprintf(stderr, "veltamar-saver: veltamar runs this for its screensaver options\n%s",
                 veltamar::usageText("veltamar").c_str());
    return 2;
}
