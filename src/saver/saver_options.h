#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's command line. Without arguments it is the aquarium; with the options screensaver
// daemons give their programs (the xscreensaver conventions, which xfce4-screensaver,
// mate-screensaver and others share; one leading dash or two) it is the screensaver on a window.

namespace veltamar {

struct SaverOptions {
    // Where the aquarium is shown without a person driving it.
    enum class Role {
        Screensaver,  // on a window a screensaver daemon hands over
        Wallpaper,    // behind the windows, on every monitor (src/desktop/)
        IdleScreen,   // over every monitor until the first input (src/desktop/)
    };
    Role role = Role::Screensaver;
    unsigned long windowId = 0;  // the window to draw on; 0 is the screen's root window
    bool sound = false;          // the built-in music plays only when asked for
};

struct SaverCommandLine {
    enum class Outcome {
        Run,      // start the saver with `options`
        Help,     // print the usage text and end with status 0
        Version,  // print the program's name and version and end with status 0
        Wrong,    // print `problem` and the usage text and end with status 2
    };
    Outcome outcome = Outcome::Wrong;
    SaverOptions options;
    std::string problem;
};

// Reads the arguments after the program's name (at least one):
//   --root            the window named by XSCREENSAVER_WINDOW (its value is passed here, or null
//                     when it is not set), else the root window
//   --window-id ID    window ID, decimal or 0x-hex (also --window-id=ID)
//   --sound           play the built-in music
//   --wallpaper       the desktop's background on every monitor (no window option)
//   --idle            the idle screen over every monitor (no window option)
//   --help, -h        the usage text
//   --version         the program's version
// The screensaver requires a window; --window-id wins over --root. Anything else is wrong.
SaverCommandLine parseSaverCommandLine(const std::vector<std::string>& arguments,
                                       const char* xscreensaverWindow);

// A window id as daemons write them: decimal, or hexadecimal after 0x. Nothing for anything else,
// 0 included.
std::optional<unsigned long> parseWindowId(std::string_view text);

// What the program accepts, for the usage message.
std::string usageText(std::string_view programName);

}  // namespace veltamar
