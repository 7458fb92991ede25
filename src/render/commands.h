#pragma once

// Command ids of the aquarium view. Every command that reaches the view becomes its tool mode;
// the tool mode decides what a left click in the tank does.

namespace veltamar {

constexpr int CMD_FISH_DIALOG = 1034;
constexpr int TOOL_TOUCH = 1035;
constexpr int TOOL_FEED = 1036;
constexpr int TOOL_ZOOM_IN = 1037;
constexpr int TOOL_ZOOM_OUT = 1038;
constexpr int CMD_SETTINGS_DIALOG = 1040;
constexpr int CMD_EXIT = 1042;
constexpr int TOOL_NONE = 1043;
constexpr int TOOL_SPARE = 1044;
constexpr int TOOL_RIPPLE = 1045;
constexpr int TOOL_POINT = 1046;
constexpr int TOOL_SWIRL = 1047;
constexpr int CMD_MUSIC_DIALOG = 1050;
constexpr int CMD_BACKGROUND_DIALOG = 1052;

}  // namespace veltamar
