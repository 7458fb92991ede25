#include "saver/saver_options.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace veltamar {

namespace {

// "--name" and "-name" are the same option; gives the name without its dashes, or nothing when the
// argument is not an option.
std::optional<std::string_view> optionName(std::string_view argument) {
    if (argument.size() > 2 && argument.substr(0, 2) == "--") return argument.substr(2);
    if (argument.size() > 1 && argument[0] == '-' && argument[1] != '-') return argument.substr(1);
    return std::nullopt;
}

}  // namespace

std::optional<unsigned long> parseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 20) return std::nullopt;
    unsigned long value = 0;
    for (const char c : text) {
        int digit;
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
            digit = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        else
            return std::nullopt;
        if (value > (std::numeric_limits<unsigned long>::max() - digit) / base) return std::nullopt;
        value = value * base + digit;
    }
    if (value == 0) return std::nullopt;
    return value;
}

SaverCommandLine parseSaverCommandLine(const std::vector<std::string>& arguments,
                                       const char* xscreensaverWindow) {
    SaverCommandLine line;
    using Role = SaverOptions::Role;
    bool root = false;
    std::optional<unsigned long> windowId;
    const auto wrong = [&line](std::string problem) {
        line.outcome = SaverCommandLine::Outcome::Wrong;
        line.problem = std::move(problem);
        return line;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto name = optionName(argument);
        if (!name) return wrong("unexpected argument '" + argument + "'");
        if (*name == "root") {
            root = true;
        } else if (*name == "sound") {
            line.options.sound = true;
        } else if (*name == "wallpaper" || *name == "idle") {
            const Role role = *name == "idle" ? Role::IdleScreen : Role::Wallpaper;
            if (line.options.role != Role::Screensaver && line.options.role != role)
                return wrong("--wallpaper and --idle cannot be given together");
            line.options.role = role;
        } else if (*name == "help" || *name == "h") {
            line.outcome = SaverCommandLine::Outcome::Help;
            return line;
        } else if (*name == "version") {
            line.outcome = SaverCommandLine::Outcome::Version;
            return line;
        } else if (*name == "window-id" || name->substr(0, 10) == "window-id=") {
            std::string value;
            if (*name == "window-id") {
                if (i + 1 >= arguments.size()) return wrong("'" + argument + "' needs a window id");
                value = arguments[++i];
            } else {
                value = std::string(name->substr(10));
            }
            windowId = parseWindowId(value);
            if (!windowId) return wrong("'" + value + "' is not a window id (decimal or 0x-hex)");
        } else {
            return wrong("unknown option '" + argument + "'");
        }
    }

    if (line.options.role != Role::Screensaver) {
        // The wallpaper and the idle screen make surfaces of their own on every monitor.
        if (windowId || root) return wrong("--wallpaper and --idle take no window");
    } else if (windowId) {
        line.options.windowId = *windowId;
    } else if (root) {
        // The daemon's window when it hands one over; a value that is no window id is ignored.
        if (xscreensaverWindow) line.options.windowId = parseWindowId(xscreensaverWindow).value_or(0);
    } else {
        return wrong("the screensaver needs --root or --window-id");
    }
    line.outcome = SaverCommandLine::Outcome::Run;
    return line;
}

std::string usageText(std::string_view programName) {
    const std::string name(programName);
    std::string text;
    // One form a line, its meaning in a column of its own.
    const auto row = [&](const std::string& form, const std::string& meaning) {
        std::string left = form;
        left.resize(std::max<std::size_t>(left.size() + 2, name.size() + 34), ' ');
        text += left + meaning + "\n";
    };
    row("usage: " + name, "the aquarium");
    row("       " + name + " --root [--sound]", "the screensaver on the window named by XSCREENSAVER_WINDOW");
    row("", "(a screensaver daemon's), else on the root window");
    row("       " + name + " --window-id ID [--sound]", "the screensaver on window ID (decimal or 0x-hex)");
    row("       " + name + " --wallpaper [--sound]", "the desktop's background on every monitor, behind");
    row("", "the windows (Wayland layer shell, or X11)");
    row("       " + name + " --idle [--sound]", "an idle screen over every monitor that ends at the");
    row("", "first key, click or mouse move (Wayland layer shell)");
    text +=
        "\n"
        "The screensaver, the wallpaper and the idle screen draw the aquarium as it has been set\n"
        "up, read the settings and never write them, and play no sound unless given --sound.\n"
        "Only the idle screen takes input. Options may start with one dash or two. --help shows\n"
        "this text, --version the program's version.\n";
    return text;
}

}  // namespace veltamar
