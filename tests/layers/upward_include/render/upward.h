#pragma once

// A scene file that includes the view: the layer check must name it (tests/CMakeLists.txt).

#include "render/scene_state.h"
#include "view/view_commands.h"
