// The program's entry point: without arguments the aquarium (the interactive program, a wx
// application); with the screensaver options the saver on a window (veltamar-saver), and with --wallpaper or --idle
// the aquarium on the desktop's own surfaces, chosen before wx starts so that neither opens a
// toolkit window of the aquarium's or takes its single-instance lock.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/aquarium_app.h"
#include "desktop/desktop_session.h"
#include "platform/companion_program.h"
#include "platform/heap_tuning.h"
#include "saver/saver_options.h"
#include "saver/saver_session.h"

namespace {

// The saver is a program of its own (veltamar-saver), which leaves the toolkit's libraries out of its
// memory; where it is missing, or cannot be started, the saver runs in this process.
int runSaverProgram(int argc, char** argv, const veltamar::SaverOptions& options) {
    const std::string saver = veltamar::companionProgram(VELTAMAR_SAVER_FROM_BINDIR, "veltamar-saver");
    if (!saver.empty()) {
        std::vector<char*> arguments(argv, argv + argc + 1);  // with the null that ends them
        arguments[0] = const_cast<char*>(saver.c_str());
        execv(saver.c_str(), arguments.data());
    }
    return veltamar::runSaver(options);
}

}  // namespace

int main(int argc, char** argv) {
    veltamar::keepFrameMemoryInHeap();
    if (argc <= 1) return veltamar::runAquarium(argc, argv);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const veltamar::SaverCommandLine line =
        veltamar::parseSaverCommandLine(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    const std::string usage = veltamar::usageText("veltamar");
    switch (line.outcome) {
        case veltamar::SaverCommandLine::Outcome::Run:
            if (line.options.role != veltamar::SaverOptions::Role::Screensaver)
                return veltamar::runDesktop(line.options);
            return runSaverProgram(argc, argv, line.options);
        case veltamar::SaverCommandLine::Outcome::Help:
            std::fputs(usage.c_str(), stdout);
            return 0;
        case veltamar::SaverCommandLine::Outcome::Version:
            std::puts("veltamar " VELTAMAR_VERSION);
            return 0;
        case veltamar::SaverCommandLine::Outcome::Wrong:
            break;
    }
    std::fprintf(stderr, "veltamar: %s\n%s", line.problem.c_str(), usage.c_str());
    return 2;
}
